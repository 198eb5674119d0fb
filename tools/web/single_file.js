// Writes the web edition as one self-contained HTML file, to hand out by e-mail, on a USB stick
// or through a course site: the style sheet, the scripts and the icons (the browser's and a
// tablet's home screen's) are written into the page itself, and the page's security policy
// allows exactly those scripts by their SHA-256 hashes. The file refers to no other file, and it
// does not ask for a service worker (which cannot run from a file) nor for the manifest (which
// belongs to the served folder).
//
//   node tools/web/single_file.js WEB_FOLDER OUTPUT
"use strict";

const crypto = require("crypto");
const fs = require("fs");
const path = require("path");

const MostBytes = 2 * 1024 * 1024;  // what a course site or an e-mail takes without complaint

const [folder, output] = process.argv.slice(2);
if (!folder || !output) {
  console.error("Usage: node single_file.js WEB_FOLDER OUTPUT");
  process.exit(2);
}

const Read = (name) => fs.readFileSync(path.join(folder, name), "utf8");

/** A script's text made safe inside a <script> element: nothing in it can end the element or
 *  open an HTML comment. `<\/` is the same text to JavaScript in strings, comments and
 *  regular expressions. */
function ScriptText(text) {
  return text.replace(/<\/(script)/gi, "<\\/$1").replace(/<!--/g, "<\\!--");
}

const Hash = (text) =>
    `'sha256-${crypto.createHash("sha256").update(text, "utf8").digest("base64")}'`;

let page = Read("index.html");
const hashes = [];
const Fail = (why) => {
  console.error(`single_file.js: ${why}`);
  process.exit(1);
};

page = page.replace(/<script src="([^"]+)"><\/script>/g, (_, name) => {
  const text = ScriptText(Read(name));
  hashes.push(Hash(text));
  return `<script>${text}</script>`;
});
page = page.replace(
    /<link rel="stylesheet" href="([^"]+)">/, (_, name) => `<style>${Read(name)}</style>`);
page = page.replace(/<link rel="icon" href="([^"]+)" type="image\/svg\+xml">/, (_, name) => {
  const data = Buffer.from(Read(name), "utf8").toString("base64");
  return `<link rel="icon" href="data:image/svg+xml;base64,${data}" type="image/svg+xml">`;
});
page = page.replace(/<link rel="apple-touch-icon" href="([^"]+)">/, (_, name) => {
  const data = fs.readFileSync(path.join(folder, name)).toString("base64");
  return `<link rel="apple-touch-icon" href="data:image/png;base64,${data}">`;
});
page = page.replace(/<link rel="manifest" href="[^"]+">\n?/, "");
page = page.replace(
    /<meta name="description"/, "<meta name=\"kymata-edition\" content=\"single-file\">\n$&");
page = page.replace(/script-src [^;]*;/, `script-src ${hashes.join(" ")} 'wasm-unsafe-eval';`);
page = page.replace(/ manifest-src 'self'; worker-src 'self';/, "");

// Nothing in the page may still point at a file beside it.
const left = page.match(/\s(?:src|href)="(?!data:|#)[^"]*"/g);
if (left) Fail(`the page still refers to ${left.join(", ")}`);
const bytes = Buffer.byteLength(page, "utf8");
if (bytes > MostBytes) Fail(`the page is ${bytes} bytes, more than ${MostBytes}`);

fs.writeFileSync(`${output}.part`, page);
fs.renameSync(`${output}.part`, output);
