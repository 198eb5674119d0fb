// Runs the web edition's benchmark page in headless Chromium and sets its figures beside the
// desktop's: WebAssembly compute against the native compute benchmark for the same settings,
// the full redraw of a 1000-pixel canvas, the first figure on screen after the page is opened
// from disk, and the size of the whole folder.
//
//   node bench/web/run_bench.js WEB_FOLDER NATIVE_BENCH
"use strict";

const {execFileSync} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const {Chromium} = require("../../tests/web/chromium.js");

const [webFolder, nativeBench] = process.argv.slice(2).map((p) => path.resolve(p));

function Median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

function NativeComputeMicroseconds(work) {
  const file = path.join(work, "native.json");
  execFileSync(
      nativeBench,
      [
        "--benchmark_filter=^BM_Compute/(spherical|hyperbolic|waves_sphere)_(start|far)$",
        "--benchmark_repetitions=5",
        "--benchmark_report_aggregates_only=true",
        `--benchmark_out=${file}`,
        "--benchmark_out_format=json",
      ],
      {env: {...process.env, QT_QPA_PLATFORM: "offscreen"}, stdio: "ignore"});
  const medians = {};
  for (const b of JSON.parse(fs.readFileSync(file, "utf8")).benchmarks) {
    if (b.aggregate_name === "median") medians[b.run_name.replace("BM_Compute/", "")] = b.real_time;
  }
  return medians;
}

function FolderBytes(folder) {
  return fs.readdirSync(folder).reduce((sum, f) => sum + fs.statSync(path.join(folder, f)).size, 0);
}

async function Main() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), "kymata-bench-"));
  for (const f of fs.readdirSync(webFolder))
    fs.copyFileSync(path.join(webFolder, f), path.join(work, f));
  for (const f of ["bench.html", "bench.js"])
    fs.copyFileSync(path.join(__dirname, f), path.join(work, f));

  const browser = await Chromium.launch({width: 1300, height: 1100});
  let results;
  const firsts = [];
  try {
    await browser.send(
        "Emulation.setDeviceMetricsOverride",
        {width: 1300, height: 1100, deviceScaleFactor: 1, mobile: false});
    await browser.open(`file://${work}/bench.html`);
    await browser.until("window.benchResults !== undefined", 300000);
    results = await browser.eval("window.benchResults");
    // The first figure on screen, from the start of navigation, over eleven fresh openings.
    for (let i = 0; i < 11; ++i) {
      await browser.open(`file://${webFolder}/index.html`);
      await browser.until(`performance.getEntriesByName("kymata-first-figure").length > 0`);
      firsts.push(
          await browser.eval(`performance.getEntriesByName("kymata-first-figure")[0].startTime`));
    }
  } finally {
    await browser.close();
  }
  const native = NativeComputeMicroseconds(work);
  fs.rmSync(work, {recursive: true, force: true});
  console.log("Web edition benchmarks (medians; headless Chromium, software raster):\n");
  console.log(
      "setting              native compute  wasm compute  ratio   full redraw 1000px (core / unpack / Canvas 2D)   JSON document");
  for (const [name, r] of Object.entries(results)) {
    const n = native[name];
    const d = r.redrawMilliseconds;
    console.log(
        `${name.padEnd(20)} ${n ? `${n.toFixed(1).padStart(9)} µs` : "        —   "}  ${
            r.computeMicroseconds.toFixed(1).padStart(
                9)} µs  ${n ? (r.computeMicroseconds / n).toFixed(2).padStart(5) : "  —  "}×` +
            `   ${d.total.toFixed(2).padStart(6)} ms (${d.core.toFixed(2)} / ${
                d.parse.toFixed(2)} / ${d.draw.toFixed(2)})` +
            `      ${r.documentMilliseconds.toFixed(2).padStart(6)} ms`,
    );
  }
  const bytes = FolderBytes(webFolder);
  console.log(`\nfirst figure on screen after opening from disk: ${
      Median(firsts).toFixed(0)} ms (median of ${firsts.length})`);
  console.log(`the whole folder: ${(bytes / 1024 / 1024).toFixed(2)} MB (${bytes} bytes)`);
}

Main().catch((error) => {
  console.error(error.stack || error);
  process.exit(1);
});
