// Serves the web edition's folder on this machine only (127.0.0.1), to try it as a served,
// installable web app: http://localhost is a secure origin, so the manifest and the service
// worker work there as on a school's https server. Only files inside the folder are served.
//
//   node tools/web/serve.js FOLDER [PORT]      (PORT 0: any free port; the address is printed)
"use strict";

const fs = require("fs");
const http = require("http");
const path = require("path");

const Types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".svg": "image/svg+xml",
  ".png": "image/png",
  ".json": "application/json",
  ".webmanifest": "application/manifest+json",
};

/** A server of the files in `folder`; index.html answers for the folder itself. */
function Serve(folder) {
  const root = fs.realpathSync(folder);
  return http.createServer((request, response) => {
    const answer = (status, type, body) => {
      response.writeHead(status, {"Content-Type": type, "Cache-Control": "no-cache"});
      response.end(body);
    };
    if (request.method !== "GET" && request.method !== "HEAD")
      return answer(405, "text/plain", "Only GET and HEAD.\n");
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    } catch {
      return answer(400, "text/plain", "A bad address.\n");
    }
    if (name.endsWith("/")) name += "index.html";
    const file = path.resolve(root, `.${name}`);
    let real;
    try {
      real = fs.realpathSync(file);
    } catch {
      return answer(404, "text/plain", "No such file.\n");
    }
    // Nothing outside the folder, not even through a link.
    if (real !== root && !real.startsWith(root + path.sep))
      return answer(404, "text/plain", "No such file.\n");
    if (!fs.statSync(real).isFile()) return answer(404, "text/plain", "No such file.\n");
    const type = Types[path.extname(real)] || "application/octet-stream";
    answer(200, type, request.method === "HEAD" ? undefined : fs.readFileSync(real));
  });
}

module.exports = {Serve};

if (require.main === module) {
  const [folder, port = "8000"] = process.argv.slice(2);
  if (!folder || !fs.existsSync(path.join(folder, "index.html"))) {
    console.error(`serve.js: ${folder || "(no folder)"} holds no web edition; run make web first.`);
    process.exit(1);
  }
  const server = Serve(folder);
  server.on("error", (error) => {
    console.error(`serve.js: cannot serve on port ${port}: ${error.message}`);
    process.exit(1);
  });
  server.listen(Number(port), "127.0.0.1", () => {
    console.log(
        `The web edition is at http://localhost:${server.address().port}/ (Ctrl+C stops it).`);
  });
}
