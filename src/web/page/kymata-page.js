// The web page's shell: it keeps the controls, asks the figure core (the WebAssembly module) for
// the figure of every change and replays it on the canvas, saves and prints what the core
// recorded, and keeps the address fragment in step with the controls. It computes no optics.
"use strict";

(function() {
const $ = (id) => document.getElementById(id);
// The switches' bits and the places of the language and the view above them, as the core
// packs them.
const {switches: Switch, languageShift: LanguageShift, viewShift: ViewShift} = KymataCoreTables;

let core = null;
const state = {
  settings: KymataStartSettings(),
  canvas: null,  // the recording on the canvas
  playing: false,
  problems: [],  // what the address fragment got wrong, to be worded in the page's language
  languages: [{code: "el"}, {code: "en"}],  // the core's languages, once it tells them
  lessonSteps: Infinity,                    // the lesson's number of steps, once the core tells it
  answerShown: false,
  lessonShown: "",  // the step, language and answer the lesson's panel shows
  phase: 0,
  flash: null,
  speed: 1,
  last: 0,
  still: null,  // the wave view's still layer while the waves move, as a recording
  most: 0,
  texts: null,
  sheetLaid: false,         // the print sheet holds what PRINT or "Print worksheet…" laid there
  view: KymataWholeView(),  // the figure's zoom and pan
  textsShown: "",           // the texts the controls show, as the core gave them
  box: null,                // the canvas's size in CSS pixels, once the resize observer tells it
};

// What the page's parts share: its state, its core and what redraws.
const page = {
  $,
  state,
  get core() {
    return core;
  },
  get AscentOf() {
    return files.AscentOf;
  },
  Parsed,
  Args,
  Switches,
  LanguagePlace,
  Motion,
  Redraw,
  PaintFrame,
  Paint,
  ShowControls,
  ShowProblems,
  ReadFragment,
};
const files = KymataFilesPart(page);
const lesson = KymataLessonPart(page);
const words = KymataWordsPart(page);
const motion = KymataMotionPart(page);
const controls = KymataControlsPart(page, motion);
Object.assign(page, {
  files,
  lesson,
  ShowLabels: words.ShowLabels,
  ShowTexts: words.ShowTexts,
  ShowLedger: words.ShowLedger
});

// ---- the core ----------------------------------------------------------------------------

function Bind(module) {
  const numbers = ["number", "number", "number", "number", "number"];
  const draw = module.cwrap("kymata_draw", "string", [...numbers, "number", "number"]);
  const layer =
      module.cwrap("kymata_wave_layer", "string", [...numbers, "number", "number", "number"]);
  // A packed recording, read out of the module's memory at once (the next call reuses it).
  const unpack = (text) => {
    const answer = Parsed(text);
    return {recording: KymataUnpack(module.HEAPF32, answer), labels: answer.labels};
  };
  return {
    draw: (...args) => unpack(draw(...args)),
    layer: (...args) => unpack(layer(...args)).recording,
    figure: module.cwrap("kymata_figure", "string", [...numbers, "number", "number"]),
    page: module.cwrap("kymata_page", "string", [...numbers, "number", "number"]),
    ledger: module.cwrap("kymata_ledger", "string", numbers),
    texts: module.cwrap("kymata_texts", "string", numbers),
    describe: module.cwrap("kymata_describe", "string", numbers),
    lesson: module.cwrap("kymata_lesson", "string", ["number", "number"]),
    languages: module.cwrap("kymata_languages", "string", []),
    bestFocus: module.cwrap("kymata_best_focus", "string", numbers),
  };
}

/** The place of the language `lang` in the core's list (Greek, the first, for one it lacks). */
function LanguagePlace(lang) {
  return Math.max(0, state.languages.findIndex((l) => l.code === lang));
}

function Switches(s, worksheet) {
  return (
      (s.hyperbola ? Switch.hyperbola : 0) | (s.beam ? Switch.beam : 0) |
      (LanguagePlace(s.lang) << LanguageShift) |
      (Math.max(0, KymataViews.indexOf(s.view)) << ViewShift) | (s.perfect ? Switch.perfect : 0) |
      (worksheet ? Switch.worksheet : 0));
}

function Args(worksheet = false) {
  const s = state.settings;
  return [s.source, s.focus, s.index, s.thickness, Switches(s, worksheet)];
}

/** The running count of the crests now shown: the flash's, or the phase while it moves. */
function Motion() {
  if (!KymataViewHas(state.settings, "movingCrests")) return [NaN, NaN];
  if (state.flash !== null) return [NaN, state.flash];
  if (state.playing || state.phase > 0) return [state.phase, NaN];
  return [NaN, NaN];
}

function Parsed(text) {
  const value = JSON.parse(text);
  if (value.error) throw new Error(value.error);
  return value;
}

// ---- drawing ---------------------------------------------------------------------------

/** Sizes the canvas's backing store to its box at the screen's pixel density, at most twice
   *  its CSS pixels: a phone's third pixel is not seen, and would cost half again as much to
   *  paint every frame. */
function FitCanvas(canvas) {
  const ratio = Math.min(2, window.devicePixelRatio || 1);
  // The box as the resize observer last saw it: asking the page for it here would make the
  // browser lay out the whole page again at every scroll-bar step.
  const box = state.box || canvas.getBoundingClientRect();
  const width = Math.max(1, Math.round(box.width * ratio));
  const height = Math.max(1, Math.round(box.height * ratio));
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
}

function Paint(recordings) {
  const canvas = $("EIKON");
  FitCanvas(canvas);
  const ctx = canvas.getContext("2d");
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.fillStyle = "#ffffff";
  ctx.fillRect(0, 0, canvas.width, canvas.height);
  state.view = KymataClampView(state.view, canvas.width, canvas.height);
  const area = KymataViewArea(state.view, canvas.width, canvas.height);
  for (const recording of recordings) KymataDrawCanvas(ctx, recording, area);
}

function PaintFrame() {
  if (!state.canvas) return;
  if (state.playing && state.still) {
    const [phase, flash] = Motion();
    Paint([state.still, core.layer(...Args(), phase, flash, 1)]);
  } else {
    Paint([state.canvas]);
  }
}

/** One redraw: the figure of the controls from the core, its read-outs, texts and ledger. */
function Redraw() {
  if (!core) return;
  const [phase, flash] = Motion();
  const drawn = core.draw(...Args(), phase, flash);
  state.canvas = drawn.recording;
  state.still = state.playing ? core.layer(...Args(), NaN, NaN, 0) : null;
  words.ShowLabels(drawn.labels);
  words.ShowTexts();
  words.ShowLedger();
  lesson.Show();
  PaintFrame();
  WriteFragment();
}


// ---- the controls and the address ------------------------------------------------------------

/** The address's fragment, kept in step with the controls. The browser takes only so many
   *  changes of the address a second, and would drop the last of a long drag. */
const WriteFragment = KymataSettled(() => {
  const fragment = `#${KymataFragment(state.settings)}`;
  if (location.hash !== fragment) history.replaceState(null, "", fragment);
}, 100);

function ShowControls() {
  const s = state.settings;
  for (const slider of KymataSliders) $(slider.id).value = String(s[slider.key]);
  for (const toggle of KymataSwitches) $(toggle.id).checked = s[toggle.key];
  for (const radio of $("languages").querySelectorAll("input"))
    radio.checked = radio.value === s.lang;
  $("waveView").checked = KymataViewHas(s, "tracesWaves");
}

function ShowProblems(problems) {
  const list = $("problems");
  list.replaceChildren(
      ...problems.map((text) => {
        const li = document.createElement("li");
        li.textContent = text;
        return li;
      }),
  );
  list.hidden = problems.length === 0;
}

function ReadFragment() {
  const codes = state.languages.map((l) => l.code);
  const {settings, problems} = KymataParseFragment(location.hash, state.lessonSteps, codes);
  state.settings = settings;
  state.problems = problems;
  // The page says its language at once, so that no browser offers to translate it.
  document.documentElement.lang = settings.lang;
  ShowFragmentProblems();
  ShowControls();
}

/** The address's problems in the page's language, once the core that words them is there. */
function ShowFragmentProblems() {
  if (!core) return;
  const messages = Parsed(core.texts(...Args())).messages;
  ShowProblems(state.problems.map((problem) => KymataSentence(problem, messages)));
}

// ---- start -----------------------------------------------------------------------------------

function Fail(reason) {
  const status = $("status");
  // The sentence of the catalogues that the build wrote into the page's tables.
  const failed = KymataCoreTables.loadFailed;
  const pattern = failed[state.settings.lang] || failed.en;
  status.textContent =
      KymataSentence({key: "web.loadFailed", values: [reason]}, {"web.loadFailed": pattern});
  status.hidden = false;
  document.body.dataset.ready = "failed";
}

function Start() {
  ReadFragment();
  if (typeof KymataModule !== "function") {
    Fail("kymata-module.js");
    return;
  }
  let started;
  try {
    started = KymataModule();
  } catch (error) {
    Fail(String(error && error.message ? error.message : error));
    return;
  }
  Promise.resolve(started)
      .then((module) => {
        core = Bind(module);
        // Now that the lesson's length and the languages are known, the address is read again
        // against them.
        state.lessonSteps = Parsed(core.lesson(0, 0)).steps;
        state.languages = Parsed(core.languages()).languages;
        controls.AddLanguages();
        ReadFragment();
        if (state.settings.lesson > 0) {
          const problems = state.problems;
          lesson.Open(state.settings.lesson);
          state.problems = problems;
          ShowFragmentProblems();
        }
        controls.Connect();
        Redraw();
        document.body.dataset.ready = "yes";
        // The first figure is on screen with the next frame.
        requestAnimationFrame(() => performance.mark("kymata-first-figure"));
      })
      .catch((error) => Fail(String(error && error.message ? error.message : error)));
}

/** Served over http(s), the page installs its service worker, which keeps the edition for use
   *  offline; opened from a file, as the one-file edition (which has nothing beside it to keep),
   *  or where the browser refuses it (private windows), it goes on without, saying nothing. */
function KeepForOffline() {
  if (!("serviceWorker" in navigator) || !/^https?:$/.test(location.protocol)) return;
  if (document.querySelector("meta[name=\"kymata-edition\"][content=\"single-file\"]")) return;
  navigator.serviceWorker.register("sw.js").catch(() => {});
}

window.Kymata = {
  state,
  Redraw,
  get core() {
    return core;
  }
};
KeepForOffline();
Start();
})();
