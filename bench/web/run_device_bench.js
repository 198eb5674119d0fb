// The web edition on a school's cheap tablet: headless Chromium with the CPU slowed fourfold by
// DevTools and a phone's screen (390×844 CSS pixels at device pixel ratio 3), against the same
// machine unthrottled. It measures what a class waits for: the first figure on screen after
// the page is opened, one step of a scroll bar until its figure is drawn, and the moving waves'
// frames.
//
//   node bench/web/run_device_bench.js PAGE.html [PAGE.html ...]
"use strict";

const path = require("path");
const {Chromium} = require("../../tests/web/chromium.js");

const pages = process.argv.slice(2).map((p) => path.resolve(p));

function Quantile(values, q) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
}

/** The three measures on `page`, the CPU slowed `rate` times, on a 390×844 screen at 3×. */
async function Measure(page, rate) {
  const browser = await Chromium.launch({scale: 3, width: 390, height: 844});
  try {
    await browser.send(
        "Emulation.setDeviceMetricsOverride",
        {width: 390, height: 844, deviceScaleFactor: 3, mobile: true});
    await browser.send("Emulation.setTouchEmulationEnabled", {enabled: true, maxTouchPoints: 5});
    await browser.send("Emulation.setCPUThrottlingRate", {rate});
    const firsts = [];
    for (let i = 0; i < 15; ++i) {
      await browser.open(`file://${page}#lang=en`);
      await browser.until(`performance.getEntriesByName("kymata-first-figure").length > 0`, 60000);
      firsts.push(
          await browser.eval(`performance.getEntriesByName("kymata-first-figure")[0].startTime`));
    }
    // A scroll bar stepped as a finger or a key steps it: the figure redrawn before the next
    // frame is painted.
    const steps = await browser.eval(`(async () => {
      const bar = document.getElementById("initial_POINT");
      const times = [];
      for (let i = 0; i < 80; ++i) {
        await new Promise((r) => requestAnimationFrame(r));
        const start = performance.now();
        bar.value = String(Number(bar.value) + (i % 2 ? 1 : -1));
        bar.dispatchEvent(new Event("input", { bubbles: true }));
        await new Promise((r) => requestAnimationFrame(r));
        times.push(performance.now() - start);
      }
      return times;
    })()`);
    // The wave view's crests moving for four seconds: the gaps between painted frames.
    const gaps = await browser.eval(`(async () => {
      document.getElementById("waveView").click();
      document.getElementById("playButton").click();
      await new Promise((r) => setTimeout(r, 500));
      const stamps = [];
      await new Promise((done) => {
        const frame = (t) => {
          stamps.push(t);
          if (stamps.length > 1 && t - stamps[0] > 4000) done();
          else requestAnimationFrame(frame);
        };
        requestAnimationFrame(frame);
      });
      return stamps.slice(1).map((t, k) => t - stamps[k]);
    })()`);
    return {
      first: Quantile(firsts, 0.5),
      step: Quantile(steps, 0.5),
      stepP95: Quantile(steps, 0.95),
      fpsP95: 1000 / Quantile(gaps, 0.95),
      fpsMedian: 1000 / Quantile(gaps, 0.5)
    };
  } finally {
    await browser.close();
  }
}

async function Main() {
  console.log("The web edition on a phone's screen (390×844 at 3×), headless Chromium:\n");
  console.log(
      "page                     CPU     first figure   slider step (median / p95)   moving waves fps (median / p95)");
  for (const page of pages) {
    for (const rate of [1, 4]) {
      const m = await Measure(page, rate);
      console.log(
          `${path.relative(path.dirname(path.dirname(page)), page).padEnd(24).slice(0, 24)} ${
              (rate === 1 ? "1×" : `${rate}× slower`).padEnd(10)} ${
              m.first.toFixed(0).padStart(6)} ms` +
              `      ${m.step.toFixed(1).padStart(6)} / ${m.stepP95.toFixed(1).padStart(6)} ms` +
              `            ${m.fpsMedian.toFixed(1).padStart(5)} / ${
                  m.fpsP95.toFixed(1).padStart(5)}`,
      );
    }
  }
}

Main().catch((error) => {
  console.error(error.stack || error);
  process.exit(1);
});
