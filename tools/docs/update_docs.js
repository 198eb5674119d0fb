// Writes what README.md and the man page copy from the program itself: README's copy of
// `kymata --help`, and in data/kymata.1 the value of every option's heading (--lang el|en|...,
// --view classic|waves), so that a new language, view or option edits no document by hand.
// The tests hold both equal to the program and name this command when they differ.
//
//   node tools/docs/update_docs.js KYMATA     (make docs)
"use strict";

const {execFileSync} = require("child_process");
const fs = require("fs");
const path = require("path");

const kymata = process.argv[2];
if (!kymata) {
  console.error("Usage: node update_docs.js KYMATA");
  process.exit(2);
}
const root = path.join(__dirname, "..", "..");
const env = {
  ...process.env,
  QT_QPA_PLATFORM: "offscreen",
  LANGUAGE: "",
  LC_ALL: "C",
  LANG: "C"
};
const help = execFileSync(kymata, ["--help"], {env, encoding: "utf8"});

/** Rewrites `file` through `change`, saying whether it changed. */
function Update(file, change) {
  const before = fs.readFileSync(file, "utf8");
  const after = change(before);
  if (after !== before) fs.writeFileSync(file, after);
  console.log(`${path.relative(root, file)}: ${after === before ? "unchanged" : "updated"}`);
}

// README: the fenced block that begins with the usage line holds the whole of --help.
Update(path.join(root, "README.md"), (text) => {
  const start = text.indexOf("```\nUsage: kymata ");
  if (start < 0) throw new Error("README.md has no block that begins with the usage line");
  const end = text.indexOf("```", start + 4);
  return `${text.slice(0, start)}\`\`\`\n${help}${text.slice(end)}`;
});

// The values of the options as --help's first column writes them: "--lang <el|en>".
const values = new Map();
for (const match of help.matchAll(/--([a-z-]+) <([^>]+)>/g)) values.set(match[1], match[2]);

// The man page: the heading of each option, ".BR \-\-lang " el|en"", takes the value of --help.
Update(
    path.join(root, "data", "kymata.1"),
    (text) => text.replace(
        /^(\.B[IR]? (?:.*, )?\\-\\-)([a-z\\-]+) "[^"]*"$/gm,
        (line, head, escaped, at, all) => {
          const name = escaped.replace(/\\-/g, "-");
          return values.has(name) ?
              `${head}${escaped} " ${values.get(name).replace(/-/g, "\\-")}"` :
              line;
        }),
);
