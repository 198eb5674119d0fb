// Renders the desktop's SVG icon into the PNG icons the web edition needs beside it: 180 px for
// a tablet's home screen (which takes no SVG) and 512 px for the web app manifest. Run it after
// changing data/org.kymata.Kymata.svg, and commit the two PNG files it writes.
//
//   node tools/web/render_icons.js
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const {Chromium} = require("../../tests/web/chromium.js");

const root = path.resolve(__dirname, "../..");
const svg = path.join(root, "data/org.kymata.Kymata.svg");

async function Render(size) {
  const browser = await Chromium.launch({scale: 1, width: size, height: size});
  const page = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "kymata-icon-")), "icon.html");
  try {
    await browser.send(
        "Emulation.setDeviceMetricsOverride",
        {width: size, height: size, deviceScaleFactor: 1, mobile: false});
    await browser.send(
        "Emulation.setDefaultBackgroundColorOverride", {color: {r: 0, g: 0, b: 0, a: 0}});
    fs.writeFileSync(
        page,
        `<body style="margin:0"><img src="file://${svg}" width="${size}" height="${
            size}" style="display:block"></body>`);
    await browser.open(`file://${page}`);
    await browser.until(`document.images[0].complete`);
    const shot = await browser.send(
        "Page.captureScreenshot",
        {format: "png", clip: {x: 0, y: 0, width: size, height: size, scale: 1}});
    fs.writeFileSync(
        path.join(root, `src/web/page/kymata-icon-${size}.png`), Buffer.from(shot.data, "base64"));
  } finally {
    await browser.close();
    fs.rmSync(path.dirname(page), {recursive: true, force: true});
  }
}

(async () => {
  for (const size of [180, 512]) await Render(size);
})().catch((error) => {
  console.error(error.stack || error);
  process.exit(1);
});
