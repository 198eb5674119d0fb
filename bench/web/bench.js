// The web edition's benchmarks, run in the browser: the figure core alone in WebAssembly (to set
// beside the desktop's native compute benchmark for the same settings), the page's full redraw
// of a 1000-pixel canvas as the page does it (the core's packed recording, its unpacking, and
// the Canvas 2D replay, with the raster forced before the clock stops), and writing the figure
// document as "Save as JSON" does. Medians of many runs.
"use strict";

const BenchSettings = [
  {name: "spherical_start", args: [-20, 5, 150, 20, 0]},
  {name: "spherical_far", args: [-200, 5, 150, 20, 0]},
  {name: "hyperbolic_start", args: [-20, 5, 150, 20, 1]},
  {name: "hyperbolic_far", args: [-200, 5, 150, 20, 1]},
  {name: "waves_sphere_start", args: [-20, 5, 150, 20, 1 << 16]},
  {name: "waves_sphere_far", args: [-200, 5, 150, 20, 1 << 16]},
];

function Median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

/** Microseconds a call of `compute` for `args`, the median of 15 batches of at least 20 ms. */
function ComputeMicroseconds(compute, args) {
  let repeats = 1;
  for (;;) {
    const start = performance.now();
    compute(...args, repeats);
    if (performance.now() - start >= 20) break;
    repeats *= 2;
  }
  const times = [];
  for (let batch = 0; batch < 15; ++batch) {
    const start = performance.now();
    compute(...args, repeats);
    times.push(((performance.now() - start) * 1000) / repeats);
  }
  return Median(times);
}

/** Milliseconds of a full redraw, the median of 31 after 5 to warm up, with its parts. */
function RedrawMilliseconds(module, draw, args, ctx) {
  const parts = {total: [], core: [], parse: [], draw: []};
  for (let run = 0; run < 36; ++run) {
    const t0 = performance.now();
    const answer = JSON.parse(draw(...args, NaN, NaN));
    const t1 = performance.now();
    const recording = KymataUnpack(module.HEAPF32, answer);
    const t2 = performance.now();
    ctx.fillStyle = "#ffffff";
    ctx.fillRect(0, 0, 1000, 1000);
    KymataDrawCanvas(ctx, recording, {x: 0, y: 0, width: 1000, height: 1000});
    ctx.getImageData(0, 0, 1, 1);  // the raster happens here, not later
    const t3 = performance.now();
    if (run < 5) continue;
    parts.total.push(t3 - t0);
    parts.core.push(t1 - t0);
    parts.parse.push(t2 - t1);
    parts.draw.push(t3 - t2);
  }
  return Object.fromEntries(Object.entries(parts).map(([k, v]) => [k, Median(v)]));
}

KymataModule().then((module) => {
  const compute = module.cwrap("kymata_compute", "number", Array(6).fill("number"));
  const figure = module.cwrap("kymata_figure", "string", Array(7).fill("number"));
  const draw = module.cwrap("kymata_draw", "string", Array(7).fill("number"));
  const documentMilliseconds = (args) => {
    const times = [];
    for (let run = 0; run < 11; ++run) {
      const t0 = performance.now();
      figure(...args, NaN, NaN);
      times.push(performance.now() - t0);
    }
    return Median(times);
  };
  const ctx = document.getElementById("canvas").getContext("2d", {willReadFrequently: false});
  // Warm up first: the browser compiles WebAssembly quickly at first and optimises hot
  // functions in the background a moment later; the measures are of the optimised code.
  const warm = performance.now();
  while (performance.now() - warm < 1500) {
    for (const setting of BenchSettings) compute(...setting.args, 5);
  }
  const results = {};
  for (const setting of BenchSettings) {
    results[setting.name] = {
      computeMicroseconds: ComputeMicroseconds(compute, setting.args),
      redrawMilliseconds: RedrawMilliseconds(module, draw, setting.args, ctx),
      documentMilliseconds: documentMilliseconds(setting.args),
    };
  }
  window.benchResults = results;
  document.getElementById("results").textContent = JSON.stringify(results, null, 2);
});
