// Writes the page's kymata-tables.js from the web module: the core's tables of views with their
// traits, the switches' bits and the shifts of the places above them, and the sentence the page
// shows when the browser cannot load the module (from the catalogues, by way of the module).
// The page reads them from there before the module has loaded, so it copies none of them.
//
//   node tools/web/write_tables.js MODULE_JS OUTPUT
"use strict";

const fs = require("fs");
const path = require("path");

const [modulePath, output] = process.argv.slice(2);
if (!modulePath || !output) {
  console.error("Usage: node write_tables.js MODULE_JS OUTPUT");
  process.exit(2);
}

require(path.resolve(modulePath))()
    .then((module) => {
      const tables = JSON.parse(module.cwrap("kymata_tables", "string", [])());
      const text =
          `// Written by the build from the web module's kymata_tables; edit the core, not this file.
"use strict";

const KymataTables = ${JSON.stringify(tables, null, 2)};

if (typeof module !== "undefined") module.exports = { KymataTables };
`;
      fs.writeFileSync(output, text);
    })
    .catch((error) => {
      console.error(`write_tables.js: ${error.message || error}`);
      process.exit(1);
    });
