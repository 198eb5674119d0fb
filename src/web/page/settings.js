// The controls of the web page and the address fragment that carries them. The ranges, steps
// and start values are the window's; a fragment value outside them is named in a sentence and
// the start value used instead.
"use strict";

/** The four scroll bars: the name in the address, the window's object name, range, steps and
 *  start value. The refractive index is held as hundredths, as the window holds it. */
const KymataSliders = [
  {key: "source", id: "initial_POINT", min: -200, max: -3, step: 1, page: 10, start: -20},
  {key: "focus", id: "fOCUS_POINT", min: 1, max: 50, step: 1, page: 10, start: 5},
  {key: "index", id: "n_DIATHLASI", min: 105, max: 250, step: 1, page: 10, start: 150},
  {key: "thickness", id: "pachos", min: 1, max: 20, step: 1, page: 5, start: 20},
];

/** The switches: the name in the address and the window's object name, all off at the start. */
const KymataSwitches = [
  {key: "hyperbola", id: "YPERVOLIKO"},
  {key: "beam", id: "f_apeiro"},
  {key: "perfect", id: "perfectLens"},
];

/** The core's tables: the views with their traits, the switches' bits and the places' shifts,
 *  which the build writes from the web module's `kymata_tables` into kymata-tables.js (a script
 *  of the page before this one; in Node, beside this file). */
const KymataCoreTables =
    typeof KymataTables !== "undefined" ? KymataTables : require("./kymata-tables.js").KymataTables;

/** The views by the names the core gives them, in the core's order; the first the start. */
const KymataViews = KymataCoreTables.views.map((row) => row.name);

/** True when the settings' view has `trait` in the core's table of views: "tracesWaves",
 *  "takesLensShape", "movingCrests" or "hasLedger". */
function KymataViewHas(settings, trait) {
  const row = KymataCoreTables.views.find((v) => v.name === settings.view);
  return Boolean(row && row[trait]);
}

/** The settings of a fresh page. */
function KymataStartSettings() {
  const settings = {lang: "el", view: KymataViews[0], lesson: 0};
  for (const s of KymataSliders) settings[s.key] = s.start;
  for (const s of KymataSwitches) settings[s.key] = false;
  return settings;
}

/** A slider's value as the address writes it: the index as a number with two decimals. */
function KymataValueText(key, value) {
  if (key !== "index") return String(value);
  return `${Math.trunc(value / 100)}.${String(value % 100).padStart(2, "0")}`;
}

/** The address fragment of `settings`, every control named: "source=-30&focus=5&...". */
function KymataFragment(settings) {
  const parts = KymataSliders.map((s) => `${s.key}=${KymataValueText(s.key, settings[s.key])}`);
  for (const s of KymataSwitches)
    if (settings[s.key]) parts.push(`${s.key}=1`);
  if (settings.view !== KymataViews[0]) parts.push(`view=${settings.view}`);
  parts.push(`lang=${settings.lang}`);
  if (settings.lesson > 0) parts.push(`lesson=${settings.lesson}`);
  return parts.join("&");
}

/** A problem's sentence: the catalogue's text `messages[problem.key]` with its placeholders
 *  %1, %2, ... replaced by the problem's values in order. */
function KymataSentence(problem, messages) {
  const pattern = messages[problem.key] || problem.key;
  return pattern.replace(
      /%([1-9])/g, (all, n) => (n <= problem.values.length ? problem.values[n - 1] : all));
}

/** A decimal number as the address may give it, or NaN: digits with an optional sign and point,
 *  nothing else (no exponents, no spaces, no hexadecimal). */
function KymataDecimal(text) {
  return /^[+-]?(\d+(\.\d*)?|\.\d+)$/.test(text) ? Number(text) : NaN;
}

/**
 * The settings an address fragment gives ("#source=-30&index=1.65&hyperbola=1&lang=en&lesson=3";
 * a lesson step beyond `lessonSteps`, or a language not among `languages`, is refused), and a
 * problem for every part of it that is not a control's value: the key of its sentence in the
 * message catalogue and the values it names (`KymataSentence` words it, in the language the
 * fragment settles on). Bad parts leave their control at its start value.
 */
function KymataParseFragment(fragment, lessonSteps = Infinity, languages = ["el", "en"]) {
  const settings = KymataStartSettings();
  const found = [];
  const text = fragment.startsWith("#") ? fragment.slice(1) : fragment;
  for (const part of text.split("&")) {
    if (part === "") continue;
    const at = part.indexOf("=");
    let key, value;
    try {
      key = decodeURIComponent(at < 0 ? part : part.slice(0, at));
      value = at < 0 ? "" : decodeURIComponent(part.slice(at + 1).replace(/\+/g, " "));
    } catch (e) {
      key = part;
      value = "";
    }
    found.push([key, value]);
  }
  // The language first, so that every sentence is in it.
  const problems = [];
  const lang = found.find(([k]) => k === "lang");
  // A part given twice: the first one counts, as the desktop takes each option once.
  const seen = new Set();
  for (let i = 0; i < found.length; ++i) {
    const [key] = found[i];
    if (!seen.has(key)) {
      seen.add(key);
      continue;
    }
    found.splice(i--, 1);
    problems.push({key: "page.address.repeated", values: [key]});
  }
  if (lang && !languages.includes(lang[1]))
    problems.push(
        {key: "page.address.choice", values: ["lang", lang[1], languages.join(" / "), "el"]});
  else if (lang)
    settings.lang = lang[1];
  for (const [key, value] of found) {
    const slider = KymataSliders.find((s) => s.key === key);
    const toggle = KymataSwitches.find((s) => s.key === key);
    const start = slider ? KymataValueText(key, slider.start) : "";
    if (key === "lang") continue;
    if (slider) {
      const number = KymataDecimal(value);
      const scaled = key === "index" ? number * 100 : number;
      const whole = Math.round(scaled);
      const lo = KymataValueText(key, slider.min);
      const hi = KymataValueText(key, slider.max);
      const range = {key: "page.address.range", values: [key, value, lo, hi, start]};
      if (Number.isNaN(number))
        problems.push({key: "page.address.number", values: [key, value, start]});
      else if (Math.abs(scaled - whole) > 1e-6 && key === "index")
        problems.push({key: "page.address.step", values: [key, value, start]});
      else if (Math.abs(scaled - whole) > 1e-6)
        problems.push(range);
      else if (whole < slider.min || whole > slider.max)
        problems.push(range);
      else
        settings[key] = whole;
    } else if (toggle) {
      if (value === "1")
        settings[key] = true;
      else if (value === "0")
        settings[key] = false;
      else
        problems.push({key: "page.address.choice", values: [key, value, "0 / 1", "0"]});
    } else if (key === "lesson") {
      // A bad step opens the lesson at its first step.
      const step = KymataDecimal(value);
      const last = Number.isFinite(lessonSteps) ? String(lessonSteps) : "…";
      settings.lesson = 1;
      if (Number.isNaN(step))
        problems.push({key: "page.address.number", values: [key, value, "1"]});
      else if (!Number.isInteger(step) || step < 1 || step > lessonSteps)
        problems.push({key: "page.address.range", values: [key, value, "1", last, "1"]});
      else
        settings.lesson = step;
    } else if (key === "view") {
      if (KymataViews.includes(value))
        settings.view = value;
      else
        problems.push({
          key: "page.address.choice",
          values: [key, value, KymataViews.join(" / "), KymataViews[0]]
        });
    } else {
      problems.push({key: "page.address.unknown", values: [key]});
    }
  }
  return {settings, problems};
}

if (typeof module !== "undefined") {
  module.exports = {
    KymataCoreTables,
    KymataViews,
    KymataViewHas,
    KymataSliders,
    KymataSwitches,
    KymataStartSettings,
    KymataFragment,
    KymataParseFragment,
    KymataSentence,
    KymataValueText
  };
}
