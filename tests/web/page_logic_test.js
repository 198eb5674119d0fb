// The page's own logic in Node, without a browser: the address fragment (every fault named, in
// the page's language, the start value kept), the mapping of a recording onto the canvas (the
// box fitted with its aspect kept, arcs turned the right way when an axis is mirrored), and the
// packed recording of a redraw against the figure document's, item for item.
//
//   node tests/web/page_logic_test.js WEB_FOLDER
"use strict";

const path = require("path");
const folder = path.resolve(process.argv[2]);
const fs = require("fs");
const {
  KymataCoreTables,
  KymataViews,
  KymataParseFragment,
  KymataFragment,
  KymataStartSettings,
  KymataSentence
} = require(path.join(folder, "settings.js"));
const {KymataFitBox, KymataFrame, KymataDeviceArc, KymataUnpack} =
    require(path.join(folder, "figure-replay.js"));
const {KymataMaxZoom, KymataWholeView, KymataClampView, KymataZoomAt, KymataPinch, KymataViewArea} =
    require(path.join(folder, "page-view.js"));

let failures = 0;
function Check(ok, what) {
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  if (!ok) failures += 1;
}
const near = (a, b) => Math.abs(a - b) < 1e-12;

// The fragment: rows of address, expected settings (changes from the start), expected faults.
const rows = [
  ["", {}, []],
  [
    "#source=-30&index=1.65&hyperbola=1&lang=en",
    {source: -30, index: 165, hyperbola: true, lang: "en"}, []
  ],
  [
    "#source=-200&focus=50&index=2.50&thickness=1&view=waves&perfect=1&beam=1",
    {source: -200, focus: 50, index: 250, thickness: 1, view: "waves", perfect: true, beam: true},
    []
  ],
  ["#index=1.5", {index: 150}, []],
  ["#source=-2&lang=en", {lang: "en"}, ["source=-2, outside -200 to -3"]],
  ["#focus=2.5&lang=en", {lang: "en"}, ["focus=2.5, outside 1 to 50"]],
  ["#index=1.655&lang=en", {lang: "en"}, ["not in steps of 0.01"]],
  ["#index=1e0&lang=en", {lang: "en"}, ["index=1e0, which is not a number"]],
  ["#thickness=&lang=en", {lang: "en"}, ["thickness=, which is not a number"]],
  ["#hyperbola=yes&lang=en", {lang: "en"}, ["hyperbola=yes; give 0 / 1"]],
  ["#view=3d&lang=en", {lang: "en"}, ["view=3d; give classic / waves"]],
  ["#zoom=2&lang=en", {lang: "en"}, ["names \"zoom\""]],
  ["#lang=qps", {}, ["lang=qps"]],
  ["#source=abc", {}, ["Η διεύθυνση της σελίδας ορίζει source=abc, που δεν είναι αριθμός"]],
  ["#%E0%A4%A=1&lang=en", {lang: "en"}, ["%E0%A4%A"]],
  // A part given twice: one sentence, the first value kept; a switch is 1 or 0, never empty.
  [
    "#source=-30&source=-40&lang=en", {source: -30, lang: "en"}, ["gives \"source\" more than once"]
  ],
  ["#lang=en&lang=xx", {lang: "en"}, ["gives \"lang\" more than once"]],
  ["#beam=&lang=en", {lang: "en"}, ["beam=; give 0 / 1"]],
];
// The sentences come from the message catalogue, as the module gives it for the language.
function CheckFragments(messagesOf) {
  for (const [fragment, changes, faults] of rows) {
    const {settings, problems: found} = KymataParseFragment(fragment);
    const problems = found.map((p) => KymataSentence(p, messagesOf(settings.lang)));
    const expected = {...KymataStartSettings(), ...changes};
    const sameSettings = JSON.stringify(settings) === JSON.stringify(expected);
    const sameFaults =
        problems.length === faults.length && faults.every((f, k) => problems[k].includes(f));
    Check(
        sameSettings && sameFaults,
        `fragment "${fragment}"${sameFaults ? "" : `: ${JSON.stringify(problems)}`}${
            sameSettings ? "" : `: ${JSON.stringify(settings)}`}`);
  }
}
// A language of the core's list beyond Greek and English is taken; one it lacks is named.
// "qpa" stands for a third language of the core's list, the made-up "qps" for one it lacks.
const more = KymataParseFragment("#lang=qpa", Infinity, ["el", "en", "qpa"]);
Check(
    more.settings.lang === "qpa" && more.problems.length === 0,
    "a third language of the core's list is taken from the address");
const lacking = KymataParseFragment("#lang=qps", Infinity, ["el", "en", "qpa"]);
Check(
    lacking.settings.lang === "el" && lacking.problems[0].values[2] === "el / en / qpa",
    "a language the core lacks is named with the core's list");
const written = {
  ...KymataStartSettings(),
  source: -31,
  index: 105,
  beam: true,
  view: "waves",
  lang: "en"
};
Check(
    JSON.stringify(KymataParseFragment(`#${KymataFragment(written)}`).settings) ===
        JSON.stringify(written),
    "a written fragment reads back as the same settings");

// The box fitted into the area: centred, its aspect kept.
const wide = KymataFitBox([-100, 100, 100, -100], {x: 0, y: 0, width: 400, height: 200});
Check(
    wide.x === 100 && wide.y === 0 && wide.width === 200 && wide.height === 200,
    "a square box in a wide area is centred, square");
const page = KymataFitBox([-102, 70, 102, -70], {x: 0, y: 0, width: 277, height: 190});
Check(
    near(page.width / page.height, 204 / 140) && page.width <= 277 && page.height <= 190,
    "a page's box keeps its aspect in the printable area");

// Arcs: the user's angles run counter-clockwise with y up; on the device y runs down.
const upright = KymataFrame({scale: [-1, 1, 1, -1]}, {x: 0, y: 0, width: 100, height: 100});
const quarter = KymataDeviceArc({start: 0, end: Math.PI / 2}, upright);
Check(
    near(quarter.start, 0) && near(quarter.end, -Math.PI / 2) && quarter.anticlockwise,
    "a quarter arc from +x to +y (y up) runs anticlockwise on the device to the top");
const half = KymataDeviceArc({start: Math.PI / 2, end: (3 * Math.PI) / 2}, upright);
const mid = (half.start + half.end) / 2;
Check(near(Math.cos(mid), -1), "the left half of a circle bulges to the left on the device");
const mirrored = KymataFrame({scale: [1, 1, -1, -1]}, {x: 0, y: 0, width: 100, height: 100});
const turned = KymataDeviceArc({start: 0, end: Math.PI / 2}, mirrored);
Check(
    near(Math.cos(turned.start), -1) && !turned.anticlockwise,
    "with x mirrored too, the same arc starts on the left and runs clockwise");
const wrapped = KymataDeviceArc({start: (3 * Math.PI) / 2, end: Math.PI / 2}, upright);
const through = (wrapped.start + wrapped.end) / 2;
Check(
    near(Math.abs(wrapped.end - wrapped.start), Math.PI) && near(Math.cos(through), 1),
    "an arc from 3π/2 to π/2 runs counter-clockwise through 0, on the right");

// Zoom and pan: the figure point under the fingers stays under them, and the figure always
// covers the whole canvas (never smaller than whole, never pulled off an edge).
const W = 800;
const H = 600;
const figurePoint = (view, at) =>
    ({x: (at.x - view.x) / view.scale, y: (at.y - view.y) / view.scale});
const pinched = KymataPinch(
    KymataWholeView(), [{x: 300, y: 300}, {x: 400, y: 300}], [{x: 250, y: 300}, {x: 450, y: 300}],
    W, H);
const kept = figurePoint(pinched, {x: 350, y: 300});
Check(
    near(pinched.scale, 2) && near(kept.x, 350) && near(kept.y, 300),
    "two fingers spread twofold enlarge twofold about the point between them");
const dragged = KymataPinch(
    pinched, [{x: 250, y: 300}, {x: 450, y: 300}], [{x: 200, y: 280}, {x: 400, y: 280}], W, H);
Check(
    near(dragged.scale, 2) && near(dragged.x - pinched.x, -50) && near(dragged.y - pinched.y, -20),
    "two fingers moved together pan the figure with them");
const covers = (v) =>
    v.x <= 1e-9 && v.y <= 1e-9 && v.x + W * v.scale >= W - 1e-9 && v.y + H * v.scale >= H - 1e-9;
const views = [
  [
    "pinched smaller than whole",
    KymataPinch(
        KymataWholeView(), [{x: 0, y: 0}, {x: 400, y: 0}], [{x: 100, y: 0}, {x: 200, y: 0}], W, H),
    (v) => v.scale === 1
  ],
  ["pulled far off the left", KymataClampView({scale: 3, x: 500, y: -100}, W, H), (v) => v.x === 0],
  [
    "pulled far off the bottom right", KymataClampView({scale: 3, x: -1e6, y: -1e6}, W, H),
    (v) => near(v.x, W - 3 * W) && near(v.y, H - 3 * H)
  ],
  [
    "zoomed past the most", KymataZoomAt(KymataWholeView(), 1e6, {x: 10, y: 10}, W, H),
    (v) => v.scale === KymataMaxZoom
  ],
  [
    "zoomed out of a zoom", KymataZoomAt({scale: 4, x: -900, y: -700}, 0.1, {x: 400, y: 300}, W, H),
    (v) => v.scale === 1 && v.x === 0 && v.y === 0
  ],
];
for (const [what, view, right] of views)
  Check(
      covers(view) && right(view),
      `the figure still covers the canvas: ${what} (${JSON.stringify(view)})`);
const area = KymataViewArea({scale: 2, x: -100, y: -50}, W, H);
Check(
    area.x === -100 && area.y === -50 && area.width === 2 * W && area.height === 2 * H,
    "the zoomed figure is fitted into the enlarged, shifted area");

// The packed recording of a redraw is the document's recording, item for item.
require(path.join(folder, "kymata-module.js"))().then((module) => {
  const texts = module.cwrap("kymata_texts", "string", Array(5).fill("number"));
  // The core names the languages of the catalogues, Greek and English first, each in itself as
  // its catalogue names it; the page counts them in this order.
  const languages = JSON.parse(module.cwrap("kymata_languages", "string", [])()).languages;
  const catalogues = path.join(__dirname, "..", "..", "data", "i18n");
  const codes =
      fs.readdirSync(catalogues).filter((f) => f.endsWith(".po")).map((f) => f.slice(0, -3));
  const order = (code) => (code === "el" ? "0" : code === "en" ? "1" : `2${code}`);
  codes.sort((a, b) => (order(a) < order(b) ? -1 : 1));
  const nameIn = (code) => /msgctxt "language\.name"\nmsgid "[^"]*"\nmsgstr "([^"]*)"/.exec(
      fs.readFileSync(path.join(catalogues, `${code}.po`), "utf8"))[1];
  const expected = codes.map((code) => ({code, name: nameIn(code)}));
  Check(
      JSON.stringify(languages) === JSON.stringify(expected),
      `the core lists the catalogues' languages, each named in itself (${
          JSON.stringify(languages)})`);
  // The page's tables are the module's, as the build wrote them.
  const tables = JSON.parse(module.cwrap("kymata_tables", "string", [])());
  Check(
      JSON.stringify(tables) === JSON.stringify(KymataCoreTables),
      "the page's tables are the core's");
  const views = tables.views.map((v) => v.name);
  Check(
      JSON.stringify(views) === JSON.stringify(KymataViews),
      `the page's views are the core's (${views})`);
  const place = (lang) => languages.findIndex((l) => l.code === lang) << tables.languageShift;
  CheckFragments((lang) => JSON.parse(texts(-20, 5, 150, 20, place(lang))).messages);
  const numbers = Array(7).fill("number");
  const draw = module.cwrap("kymata_draw", "string", numbers);
  const figure = module.cwrap("kymata_figure", "string", numbers);
  const english = place("en");
  const waves = views.indexOf(tables.waveSwitchView) << tables.viewShift;
  const {hyperbola, beam, perfect} = tables.switches;
  const settings = [
    [-20, 5, 150, 20, 0], [-77, 12, 188, 7, english | hyperbola], [-150, 30, 120, 3, waves],
    [-40, 5, 150, 20, english | waves | perfect],
    [-9, 2, 250, 20, english | waves | beam | hyperbola]
  ];
  for (const args of settings) {
    const answer = JSON.parse(draw(...args, NaN, NaN));
    const packed = KymataUnpack(module.HEAPF32, answer);
    const document = JSON.parse(figure(...args, NaN, NaN));
    const f = (x) => (x === null ? NaN : Math.fround(x));
    const same = (a, b) => (Number.isNaN(a) && Number.isNaN(b)) || a === b;
    let mismatch = "";
    const expected = document.canvas.items;
    if (expected.length !== packed.items.length)
      mismatch = `${packed.items.length} items, not ${expected.length}`;
    for (let k = 0; !mismatch && k < expected.length; ++k) {
      const e = expected[k];
      const p = packed.items[k];
      for (const key of Object.keys(e)) {
        const want = e[key];
        const got = p[key];
        const ok = key === "points" ?
            want.every(([x, y], i) => same(f(x), got[i][0]) && same(f(y), got[i][1])) :
            typeof want === "number" || want === null ? same(f(want), got) :
                                                        want === got;
        if (!ok) mismatch = `item ${k} ${key}: ${JSON.stringify(got)} for ${JSON.stringify(want)}`;
      }
    }
    const labels = JSON.stringify(answer.labels) === JSON.stringify(document.labels);
    Check(
        !mismatch && labels &&
            packed.scale.every((v, i) => v === Math.fround(document.canvas.scale[i])),
        `packed redraw of ${args.join(",")} is the document's recording${
            mismatch ? `: ${mismatch}` : ""}`);
  }
  console.log(failures ? `${failures} checks failed` : "all checks passed");
  process.exit(failures ? 1 : 0);
});
