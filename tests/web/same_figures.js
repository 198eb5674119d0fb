// The web edition draws what the desktop draws: for a few hundred settings (both constructions,
// both languages, worksheets, printed pages, every view of the wave view) the WebAssembly
// module's figure document must equal, byte for byte, the one `kymata --export FILE.json` (or
// `--print-to FILE.json`) writes.
//
//   node tests/web/same_figures.js MODULE.js KYMATA [SETTINGS]
"use strict";

const {execFile} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const [modulePath, kymata, countText] = process.argv.slice(2);
const count = Number(countText || 320);
// The switches' bits, with the wave view's place in the core's list of views (waves) and
// English's place in its list of languages, as the module's tables give them.
let Switch = null;
let English = 0;

/** Setting `i`: the scroll bars spread by a fixed rule, and one of eight kinds of figure. */
function Setting(i) {
  const s = {
    source: -3 - ((i * 37) % 198),
    focus: 1 + ((i * 13) % 50),
    index: 105 + ((i * 29) % 146),
    thickness: 1 + ((i * 7) % 20),
    greek: i % 2 === 0,
    switches: 0,
    phase: NaN,
    flash: NaN,
    page: false,
  };
  const kind = i % 8;
  if (kind === 1 || kind === 5) s.switches |= Switch.hyperbola;
  if (kind === 2) s.switches |= Switch.worksheet | (i % 16 === 10 ? Switch.hyperbola : 0);
  if (kind === 3) {
    s.page = true;
    if (i % 24 === 11) s.switches |= Switch.hyperbola | Switch.worksheet;
    if (i % 24 === 19) s.switches |= Switch.waves;
  }
  if (kind >= 4) s.switches |= Switch.waves;
  if (kind === 5) s.switches |= Switch.beam;
  if (kind === 6) {
    s.switches |= Switch.perfect;
    s.phase = ((i * 7) % 20) / 20;
  }
  if (kind === 7) s.flash = (i * 3) % 60;
  if (!s.greek) s.switches |= English;
  return s;
}

function Arguments(s, file) {
  const index = `${Math.trunc(s.index / 100)}.${String(s.index % 100).padStart(2, "0")}`;
  const args = [
    "--source", String(s.source), "--focus", String(s.focus), "--index", index, "--thickness",
    String(s.thickness), "--lang", s.greek ? "el" : "en"
  ];
  if (s.switches & Switch.waves) {
    args.push("--view", "waves");
    if (s.switches & Switch.perfect) args.push("--lens", "perfect");
  }
  if (s.switches & Switch.hyperbola) args.push("--hyperbola");
  if (s.switches & Switch.beam) args.push("--parallel-beam");
  if (s.switches & Switch.worksheet) args.push("--worksheet");
  if (!Number.isNaN(s.phase)) args.push("--phase", String(s.phase));
  if (!Number.isNaN(s.flash)) args.push("--flash", String(s.flash));
  args.push(s.page ? "--print-to" : "--export", file);
  return args;
}

function Desktop(s, file) {
  return new Promise((resolve, reject) => {
    const env = {...process.env, QT_QPA_PLATFORM: "offscreen"};
    execFile(kymata, Arguments(s, file), {env}, (error, stdout, stderr) => {
      if (error)
        reject(new Error(`kymata ${Arguments(s, file).join(" ")}: ${stderr}`));
      else
        resolve(fs.readFileSync(file, "utf8"));
    });
  });
}

function FirstDifference(a, b) {
  const x = a.split("\n");
  const y = b.split("\n");
  for (let k = 0; k < Math.max(x.length, y.length); ++k) {
    if (x[k] !== y[k])
      return `line ${k + 1}:\n  desktop: ${(x[k] ?? "").slice(0, 300)}\n  web:     ${
          (y[k] ?? "").slice(0, 300)}`;
  }
  return "(same lines, other bytes)";
}

async function Main() {
  const module = await require(path.resolve(modulePath))();
  const tables = JSON.parse(module.cwrap("kymata_tables", "string", [])());
  const languages = JSON.parse(module.cwrap("kymata_languages", "string", [])()).languages;
  const waves = tables.views.findIndex((v) => v.name === tables.waveSwitchView) << tables.viewShift;
  Switch = {...tables.switches, waves};
  English = languages.findIndex((l) => l.code === "en") << tables.languageShift;
  const numbers = Array(7).fill("number");
  const figure = module.cwrap("kymata_figure", "string", numbers);
  const page = module.cwrap("kymata_page", "string", numbers);
  const work = fs.mkdtempSync(path.join(os.tmpdir(), "kymata-same-"));
  let differing = 0;
  const kinds = new Set();
  // Two desktop processes at a time: the machine's two cores.
  const queue = Array.from({length: count}, (_, i) => i);
  const worker = async (w) => {
    while (queue.length) {
      const i = queue.shift();
      const s = Setting(i);
      const desktop = await Desktop(s, path.join(work, `figure-${w}.json`));
      const web = (s.page ? page : figure)(
          s.source, s.focus, s.index, s.thickness, s.switches, s.phase, s.flash);
      kinds.add(`${s.page ? "page" : "figure"}:${s.switches}`);
      if (web !== desktop) {
        differing += 1;
        if (differing <= 3)
          console.error(
              `differs: ${Arguments(s, "x.json").join(" ")}\n${FirstDifference(desktop, web)}`);
      }
    }
  };
  await Promise.all([worker(0), worker(1)]);
  fs.rmSync(work, {recursive: true, force: true});
  console.log(`${count} settings (${kinds.size} kinds of figure): ${differing} differ`);
  process.exit(differing === 0 ? 0 : 1);
}

Main().catch((error) => {
  console.error(error.message || error);
  process.exit(1);
});
