// The web page's shell: it keeps the controls, asks the figure core (the WebAssembly module) for
// the figure of every change and replays it on the canvas, saves and prints what the core
// recorded, and keeps the address fragment in step with the controls. It computes no optics.
"use strict";

(function () {
  const $ = (id) => document.getElementById(id);
  const Switch = { hyperbola: 1, beam: 2, waves: 8, perfect: 16, worksheet: 32 };
  const LanguageShift = 8; // the language's place in the core's list, above the switches
  const FlashSeconds = 8; // how long a flash takes to cross the figure at speed 1

  const LoadFailed = {
    el: (why) => `Το σχήμα δεν μπορεί να σχεδιαστεί: το πρόγραμμα περιήγησης δεν φόρτωσε τον πυρήνα WebAssembly (${why}). Ανοίξτε τη σελίδα σε ένα σύγχρονο πρόγραμμα περιήγησης και κρατήστε όλα τα αρχεία της στον ίδιο φάκελο.`,
    en: (why) => `The figure cannot be drawn: the browser did not load the WebAssembly core (${why}). Open the page in a current browser, with all the files of its folder beside it.`,
  };

  let core = null;
  const state = {
    settings: KymataStartSettings(),
    canvas: null, // the recording on the canvas
    playing: false,
    problems: [], // what the address fragment got wrong, to be worded in the page's language
    languages: [{ code: "el" }, { code: "en" }], // the core's languages, once it tells them
    lessonSteps: Infinity, // the lesson's number of steps, once the core tells it
    answerShown: false,
    lessonShown: "", // the step, language and answer the lesson's panel shows
    phase: 0,
    flash: null,
    speed: 1,
    last: 0,
    still: null, // the wave view's still layer while the waves move, as a recording
    most: 0,
    texts: null,
    sheetLaid: false, // the print sheet holds what PRINT or "Print worksheet…" laid there
  };

  // ---- the core ----------------------------------------------------------------------------

  function Bind(module) {
    const numbers = ["number", "number", "number", "number", "number"];
    const draw = module.cwrap("kymata_draw", "string", [...numbers, "number", "number"]);
    const layer = module.cwrap("kymata_wave_layer", "string", [...numbers, "number", "number", "number"]);
    // A packed recording, read out of the module's memory at once (the next call reuses it).
    const unpack = (text) => {
      const answer = Parsed(text);
      return { recording: KymataUnpack(module.HEAPF32, answer), labels: answer.labels };
    };
    return {
      draw: (...args) => unpack(draw(...args)),
      layer: (...args) => unpack(layer(...args)).recording,
      figure: module.cwrap("kymata_figure", "string", [...numbers, "number", "number"]),
      page: module.cwrap("kymata_page", "string", [...numbers, "number", "number"]),
      ledger: module.cwrap("kymata_ledger", "string", numbers),
      texts: module.cwrap("kymata_texts", "string", numbers),
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
      (s.hyperbola ? Switch.hyperbola : 0) |
      (s.beam ? Switch.beam : 0) |
      (LanguagePlace(s.lang) << LanguageShift) |
      (KymataTracesWaves(s) ? Switch.waves : 0) |
      (s.perfect ? Switch.perfect : 0) |
      (worksheet ? Switch.worksheet : 0)
    );
  }

  function Args(worksheet = false) {
    const s = state.settings;
    return [s.source, s.focus, s.index, s.thickness, Switches(s, worksheet)];
  }

  /** The running count of the crests now shown: the flash's, or the phase while it moves. */
  function Motion() {
    if (!KymataTracesWaves(state.settings)) return [NaN, NaN];
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

  /** Sizes the canvas's backing store to its box at the screen's pixel density. */
  function FitCanvas(canvas) {
    const ratio = window.devicePixelRatio || 1;
    const box = canvas.getBoundingClientRect();
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
    const area = { x: 0, y: 0, width: canvas.width, height: canvas.height };
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
    ShowLabels(drawn.labels);
    ShowTexts();
    ShowLedger();
    ShowLesson();
    PaintFrame();
    WriteFragment();
  }

  // ---- the lesson ------------------------------------------------------------------------------

  /** The lesson's panel for the step in the settings (hidden at step 0), in the page's language. */
  function ShowLesson() {
    const step = state.settings.lesson;
    const language = LanguagePlace(state.settings.lang);
    // Asked at every redraw; the words change only with the step or the language.
    const key = `${step}/${language}/${state.answerShown}`;
    if (state.lessonShown === key) return;
    state.lessonShown = key;
    const lesson = Parsed(core.lesson(step, language));
    const w = lesson.words;
    $("lessonButton").textContent = w.caption;
    $("lessonButton").setAttribute("aria-pressed", String(step > 0));
    $("lessonButton").title = `${w.title} (F2)`;
    $("lesson").hidden = step === 0;
    if (step === 0) return;
    const shown = $("lessonTitle").textContent;
    $("lessonProgress").textContent = lesson.progress;
    $("lessonTitle").textContent = lesson.title;
    $("lessonText").textContent = lesson.text;
    $("lessonQuestion").textContent = `${w.questionLabel}: ${lesson.question}`;
    $("lessonAnswer").textContent = `${w.answerLabel}: ${lesson.answer}`;
    $("lessonAnswer").hidden = !state.answerShown;
    $("lessonShowAnswer").hidden = state.answerShown;
    $("lessonShowAnswer").textContent = w.showAnswer;
    $("lessonBack").textContent = w.back;
    $("lessonBack").disabled = step <= 1;
    $("lessonAgain").textContent = w.again;
    $("lessonNext").textContent = w.next;
    $("lessonNext").disabled = step >= lesson.steps;
    $("lessonClose").setAttribute("aria-label", w.close);
    $("lessonClose").title = w.close;
    $("lessonKeys").textContent = w.keys;
    $("lessonPlan").textContent = w["plan.print"];
    if (shown !== lesson.title) $("lessonWords").setAttribute("aria-label", lesson.title);
  }

  /** Opens the lesson at `step` with its scene; the controls stay live. */
  function OpenLesson(step) {
    const language = LanguagePlace(state.settings.lang);
    const lesson = Parsed(core.lesson(Math.min(Math.max(1, step), state.lessonSteps), language));
    const scene = lesson.scene;
    Object.assign(state.settings, {
      source: scene.source, focus: scene.focus, index: scene.index, thickness: scene.thickness,
      hyperbola: scene.hyperbola, beam: scene.beam, perfect: scene.perfect, view: scene.view,
      lesson: lesson.step,
    });
    state.playing = false;
    state.phase = 0;
    // A flash's step shows its crest standing where the step puts it.
    state.flash = scene.flash;
    state.answerShown = false;
    ShowControls();
    Redraw();
  }

  /** F to the whole step nearest the lens's best focus, as the window's B does, and a sentence
   *  that says what became of it. */
  function MoveFocusToBestFocus() {
    const answer = Parsed(core.bestFocus(...Args()));
    if (answer.focus) {
      state.settings.focus = answer.focus;
      ShowControls();
      Redraw();
    }
    $("bestFocusSaid").textContent = answer.said;
  }

  function CloseLesson() {
    state.settings.lesson = 0;
    Redraw();
  }

  function LessonStep(by) {
    const step = state.settings.lesson;
    if (step > 0 && step + by >= 1 && step + by <= state.lessonSteps) OpenLesson(step + by);
  }

  /** The teacher's notes through the browser's print dialog: each step on a page, its figure
   *  beside its narration, question and answer. */
  function PrintLessonPlan() {
    const language = LanguagePlace(state.settings.lang);
    const esc = KymataEscapeXml;
    const pages = [];
    for (let step = 1; step <= state.lessonSteps; ++step) {
      const lesson = Parsed(core.lesson(step, language));
      const c = lesson.scene;
      const settings = { ...state.settings, ...c, lang: state.settings.lang };
      const args = [c.source, c.focus, c.index, c.thickness, Switches(settings, false)];
      const flash = c.flash === null ? NaN : c.flash;
      const figure = core.draw(...args, NaN, flash).recording;
      const mm = 120;
      const items = KymataSvgItems(figure, { x: 0, y: 0, width: mm, height: mm }, AscentOf, 25.4 / KymataReferenceDpi);
      const w = lesson.words;
      pages.push(
        `<section><svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${mm} ${mm}">${items}</svg>` +
          `<div><h2>${esc(lesson.progress)} — ${esc(lesson.title)}</h2><p>${esc(lesson.text)}</p>` +
          `<p><b>${esc(w.questionLabel)}:</b> ${esc(lesson.question)}</p>` +
          `<p><b>${esc(w.answerLabel)}:</b> ${esc(lesson.answer)}</p></div></section>`,
      );
    }
    const sheet = $("printPage");
    sheet.innerHTML = pages.join("");
    sheet.classList.add("plan");
    state.sheetLaid = true;
    window.print();
    state.sheetLaid = false;
  }

  function ShowLabels(labels) {
    const sliders = ["initial_POINT", "fOCUS_POINT", "n_DIATHLASI", "pachos"];
    ["Label1", "Label2", "Label3", "Label4"].forEach((name, k) => {
      $(name).value = labels[name];
      $(sliders[k]).setAttribute("aria-valuetext", labels[name].trim());
    });
  }

  function ShowTexts() {
    const s = state.settings;
    const all = Parsed(core.texts(...Args()));
    const t = all.texts;
    state.texts = t;
    document.documentElement.lang = s.lang;
    $("waveViewCaption").textContent = t.waveViewCaption;
    $("perfectLensCaption").textContent = t.perfectLensCaption;
    $("playButton").textContent = state.playing ? t.pauseCaption : t.playCaption;
    $("flashButton").textContent = t.flashCaption;
    $("bestFocusButton").textContent = t.bestFocusCaption;
    $("slower").setAttribute("aria-label", t.slower);
    $("slower").title = t.slower;
    $("faster").setAttribute("aria-label", t.faster);
    $("faster").title = t.faster;
    $("stepFrame").setAttribute("aria-label", t.stepFrame);
    $("stepFrame").title = t.stepFrame;
    $("stepFrame").disabled = state.playing;
    $("slower").disabled = state.speed <= 0.25;
    $("faster").disabled = state.speed >= 4;
    $("speedLabel").textContent = t.speed.replace("%1", String(state.speed));
    $("saveFigureCaption").textContent = t.saveFigure;
    $("saveWorksheetCaption").textContent = t.saveWorksheet;
    $("printWorksheet").textContent = t.printWorksheet;
    $("presentation").textContent = t.presentation;
    $("pngSizeCaption").textContent = t.pngSizeCaption;
    document.title = t.windowTitle;
    $("Command1").textContent = t.printCaption;
    $("parallelBeamCaption").textContent = t.parallelBeamCaption;
    $("hyperbolaCaption").textContent = t.hyperbolaCaption;
    $("greekCaption").textContent = t.greekCaption;
    $("englishCaption").textContent = t.englishCaption;
    $("ledgerTitle").textContent = t.ledgerTitle;
    $("waveControls").hidden = !KymataTracesWaves(s);
    const descriptions = $("descriptions");
    for (const [id, d] of Object.entries(all.controls)) {
      const control = $(id);
      if (!control) continue;
      // An empty name: the control's own caption or text is its name.
      if (d.name) control.setAttribute("aria-label", d.name);
      else control.removeAttribute("aria-label");
      let holder = $(`${id}-description`);
      if (!holder) {
        holder = document.createElement("span");
        holder.id = `${id}-description`;
        descriptions.append(holder);
      }
      holder.textContent = d.description;
    }
  }

  function ShowLedger() {
    const waves = KymataTracesWaves(state.settings);
    $("ledger").hidden = !waves;
    if (!waves) return;
    const ledger = Parsed(core.ledger(...Args()));
    state.most = ledger.most;
    const table = $("ledgerTable");
    const shown = $("ledgerDetails").checked ? ledger.columns.length : ledger.classColumns;
    $("ledgerDetailsCaption").textContent = ledger.details;
    $("ledgerRule").textContent = ledger.rule;
    table.replaceChildren();
    const head = table.createTHead().insertRow();
    for (const column of ledger.columns.slice(0, shown)) {
      const th = document.createElement("th");
      th.scope = "col";
      th.textContent = column;
      head.append(th);
    }
    const body = table.createTBody();
    for (const row of ledger.rows) {
      const tr = body.insertRow();
      for (const cell of row.slice(0, shown)) tr.insertCell().textContent = cell;
    }
    $("ledgerSummary").replaceChildren(
      ...ledger.summary.map((line) => {
        const li = document.createElement("li");
        li.textContent = line;
        return li;
      }),
    );
  }

  // ---- the controls and the address ------------------------------------------------------------

  function ShowControls() {
    const s = state.settings;
    for (const slider of KymataSliders) $(slider.id).value = String(s[slider.key]);
    for (const toggle of KymataSwitches) $(toggle.id).checked = s[toggle.key];
    for (const radio of $("languages").querySelectorAll("input")) radio.checked = radio.value === s.lang;
    $("waveView").checked = KymataTracesWaves(s);
  }

  function WriteFragment() {
    const fragment = `#${KymataFragment(state.settings)}`;
    if (location.hash !== fragment) history.replaceState(null, "", fragment);
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
    const { settings, problems } = KymataParseFragment(location.hash, state.lessonSteps, codes);
    state.settings = settings;
    state.problems = problems;
    ShowFragmentProblems();
    ShowControls();
  }

  /** The address's problems in the page's language, once the core that words them is there. */
  function ShowFragmentProblems() {
    if (!core) return;
    const messages = Parsed(core.texts(...Args())).messages;
    ShowProblems(state.problems.map((problem) => KymataSentence(problem, messages)));
  }

  function Connect() {
    for (const slider of KymataSliders) {
      const input = $(slider.id);
      input.addEventListener("input", () => {
        state.settings[slider.key] = Number(input.value);
        Redraw();
      });
      // Page Up and Page Down move by the scroll bar's large change, as in the window.
      input.addEventListener("keydown", (event) => {
        if (event.key !== "PageUp" && event.key !== "PageDown") return;
        event.preventDefault();
        const step = event.key === "PageUp" ? slider.page : -slider.page;
        const value = Math.min(slider.max, Math.max(slider.min, Number(input.value) + step));
        if (value === Number(input.value)) return;
        input.value = String(value);
        input.dispatchEvent(new Event("input", { bubbles: true }));
      });
    }
    for (const toggle of KymataSwitches) {
      $(toggle.id).addEventListener("change", () => {
        state.settings[toggle.key] = $(toggle.id).checked;
        Redraw();
      });
    }
    for (const radio of $("languages").querySelectorAll("input")) {
      radio.addEventListener("change", () => {
        if (radio.checked) state.settings.lang = radio.value;
        Redraw();
      });
    }
    $("waveView").addEventListener("change", () => SetWaveView($("waveView").checked));
    $("playButton").addEventListener("click", () => SetPlaying(!state.playing));
    $("flashButton").addEventListener("click", Flash);
    $("slower").addEventListener("click", () => SetSpeed(state.speed / 2));
    $("faster").addEventListener("click", () => SetSpeed(state.speed * 2));
    $("stepFrame").addEventListener("click", StepFrame);
    $("Command1").addEventListener("click", () => Print(false));
    $("printWorksheet").addEventListener("click", () => Print(true));
    // Presentation mode: the figure alone over the whole screen; Escape leaves it.
    $("presentation").addEventListener("click", () => {
      if (document.fullscreenElement) document.exitFullscreen();
      else $("stage").requestFullscreen?.().catch(() => {});
    });
    document.addEventListener("fullscreenchange", () => {
      $("presentation").setAttribute("aria-pressed", String(document.fullscreenElement !== null));
      PaintFrame();
    });
    for (const button of document.querySelectorAll("[data-save]")) {
      button.addEventListener("click", () => Save(button.dataset.save, button.dataset.worksheet === "1"));
    }
    window.addEventListener("hashchange", () => {
      if (location.hash === `#${KymataFragment(state.settings)}`) return;
      ReadFragment();
      Redraw();
    });
    // Printing from the browser's own menu prints the figure's page too; PRINT and "Print
    // worksheet…" have laid their sheet already.
    window.addEventListener("beforeprint", () => {
      if (!state.sheetLaid) PreparePrint(false);
    });
    window.addEventListener("afterprint", () => {
      state.sheetLaid = false;
    });
    document.addEventListener("keydown", Shortcut);
    // The controls are no form to send: Enter in a field changes nothing else (no inline
    // handler, which the page's security policy forbids).
    $("panel").addEventListener("submit", (event) => event.preventDefault());
    $("lessonButton").addEventListener("click", () => (state.settings.lesson > 0 ? CloseLesson() : OpenLesson(1)));
    $("lessonNext").addEventListener("click", () => LessonStep(1));
    $("lessonBack").addEventListener("click", () => LessonStep(-1));
    $("lessonAgain").addEventListener("click", () => OpenLesson(state.settings.lesson));
    $("lessonClose").addEventListener("click", CloseLesson);
    $("lessonPlan").addEventListener("click", PrintLessonPlan);
    $("bestFocusButton").addEventListener("click", MoveFocusToBestFocus);
    $("ledgerDetails").addEventListener("change", ShowLedger);
    $("lessonShowAnswer").addEventListener("click", () => {
      state.answerShown = true;
      ShowLesson();
      $("lessonAnswer").focus?.();
    });
    // A swipe across the figure steps the lesson on a touch screen.
    let touch = null;
    $("EIKON").addEventListener("touchstart", (e) => {
      touch = e.touches.length === 1 ? { x: e.touches[0].clientX, y: e.touches[0].clientY } : null;
    }, { passive: true });
    $("EIKON").addEventListener("touchend", (e) => {
      if (!touch || state.settings.lesson === 0 || e.changedTouches.length !== 1) return;
      const dx = e.changedTouches[0].clientX - touch.x;
      const dy = e.changedTouches[0].clientY - touch.y;
      if (Math.abs(dx) > 60 && Math.abs(dy) < 0.5 * Math.abs(dx)) LessonStep(dx < 0 ? 1 : -1);
      touch = null;
    });
    new ResizeObserver(() => PaintFrame()).observe($("EIKON"));
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener("change", PaintFrame);
  }

  /** The window's shortcuts: F6 the wave view, Space play, "." one frame, "[" "]" speed, L a
   *  flash, Ctrl+P PRINT. Keys that a focused control uses itself are left to it. */
  function Shortcut(event) {
    const target = event.target;
    const typing = target instanceof HTMLInputElement && target.type === "number";
    const pressable = target instanceof HTMLButtonElement || (target instanceof HTMLInputElement && (target.type === "checkbox" || target.type === "radio"));
    if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === "p") {
      event.preventDefault();
      Print(false);
      return;
    }
    if (event.ctrlKey || event.metaKey || event.altKey || typing) return;
    const waves = KymataTracesWaves(state.settings);
    const lesson = state.settings.lesson > 0;
    const onCanvas = target === $("EIKON");
    if (event.key === "F2") lesson ? CloseLesson() : OpenLesson(1);
    // A presenter's remote sends Page Down and Page Up.
    else if (lesson && (event.key === "PageDown" || (onCanvas && event.key === "ArrowRight"))) LessonStep(1);
    else if (lesson && (event.key === "PageUp" || (onCanvas && event.key === "ArrowLeft"))) LessonStep(-1);
    else if (lesson && event.key === "Escape" && !document.fullscreenElement) CloseLesson();
    else if (event.code === "KeyB") MoveFocusToBestFocus();
    else if (event.key === "F6") SetWaveView(!waves);
    else if (event.key === " " && waves && !pressable) SetPlaying(!state.playing);
    else if (event.key === "." && waves) StepFrame();
    else if (event.key === "[" && waves) SetSpeed(state.speed / 2);
    else if (event.key === "]" && waves) SetSpeed(state.speed * 2);
    else if ((event.key === "l" || event.key === "L") && waves) Flash();
    else return;
    event.preventDefault();
  }

  // ---- moving waves ----------------------------------------------------------------------------

  function SetWaveView(on) {
    state.settings.view = KymataViews[on ? 1 : 0];
    $("waveView").checked = on;
    if (!on) {
      state.playing = false;
      state.flash = null;
      state.phase = 0;
    }
    Redraw();
  }

  function SetPlaying(on) {
    on = on && KymataTracesWaves(state.settings);
    if (on === state.playing) return;
    state.playing = on;
    if (on) {
      state.last = performance.now();
      requestAnimationFrame(Tick);
    }
    Redraw();
  }

  function SetSpeed(speed) {
    state.speed = Math.min(4, Math.max(0.25, speed));
    ShowTexts();
  }

  function StepFrame() {
    if (KymataTracesWaves(state.settings) && !state.playing) Advance(1 / 60 / state.speed);
  }

  function Flash() {
    if (!KymataTracesWaves(state.settings)) return;
    state.flash = 0;
    if (!state.playing) SetPlaying(true);
    else PaintFrame();
  }

  function Advance(seconds) {
    const periods = Math.max(0, seconds) * state.speed;
    if (state.flash !== null) {
      state.flash += (periods * Math.max(state.most, 1)) / FlashSeconds;
      if (state.flash > state.most) state.flash = null;
    } else {
      state.phase = (state.phase + periods) % 1;
    }
    if (state.playing) PaintFrame();
    else Redraw();
  }

  function Tick(now) {
    if (!state.playing) return;
    Advance((now - state.last) / 1000);
    state.last = now;
    requestAnimationFrame(Tick);
  }

  // ---- files and printing ----------------------------------------------------------------------

  function Download(blob, name) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  const measure = document.createElement("canvas").getContext("2d");
  function AscentOf(pixels, family) {
    measure.font = `${pixels}px ${family}`;
    const m = measure.measureText("M");
    return m.fontBoundingBoxAscent ?? m.actualBoundingBoxAscent ?? 0.9 * pixels;
  }

  /** The figure document to save: the one on screen, or its worksheet. */
  function DocumentText(worksheet) {
    const [phase, flash] = Motion();
    return core.figure(...Args(worksheet), phase, flash);
  }

  function Save(format, worksheet) {
    if (!core) return;
    const text = DocumentText(worksheet);
    const name = worksheet ? "kymata-worksheet" : "kymata-figure";
    if (format === "json") {
      Download(new Blob([text], { type: "application/json" }), `${name}.json`);
      return;
    }
    const recording = Parsed(text).canvas;
    if (format === "svg") {
      const svg = KymataSvgDocument(recording, KymataReferencePixels, AscentOf, "Kymata");
      Download(new Blob([svg], { type: "image/svg+xml" }), `${name}.svg`);
      return;
    }
    const size = Math.min(8000, Math.max(10, Math.round(Number($("pngSize").value)) || 1000));
    $("pngSize").value = String(size);
    const canvas = document.createElement("canvas");
    canvas.width = size;
    canvas.height = size;
    const ctx = canvas.getContext("2d");
    ctx.fillStyle = "#ffffff";
    ctx.fillRect(0, 0, size, size);
    KymataDrawCanvas(ctx, recording, { x: 0, y: 0, width: size, height: size });
    canvas.toBlob((blob) => {
      if (blob) Download(blob, `${name}.png`);
      else ShowProblems([`${state.texts.saveFailed}`]);
    }, "image/png");
  }

  /** Lays the page that PRINT prints into the print sheet, and shows on the canvas what
   *  printing leaves there. */
  function PreparePrint(worksheet) {
    if (!core) return;
    $("printPage").classList.remove("plan");
    const [phase, flash] = Motion();
    const printed = Parsed(core.page(...Args(worksheet), phase, flash));
    const mm = { width: 277, height: 190 };
    const mmPerReferencePixel = 25.4 / KymataReferenceDpi;
    const items = KymataSvgItems(printed.page, { x: 0, y: 0, ...mm }, AscentOf, mmPerReferencePixel);
    $("printPage").innerHTML =
      `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${mm.width} ${mm.height}">` +
      `<clipPath id="printArea"><rect width="${mm.width}" height="${mm.height}"/></clipPath>` +
      `<g clip-path="url(#printArea)">${items}</g></svg>`;
    if (!worksheet) {
      ShowLabels(printed.labels);
      Paint([printed.canvas]);
    }
  }

  function Print(worksheet) {
    PreparePrint(worksheet);
    state.sheetLaid = true;
    window.print();
    state.sheetLaid = false;
  }

  // ---- start -----------------------------------------------------------------------------------

  /** A choice beside GREEK and ENGLISH for every further language of the core, named in
   *  itself, as the window's Language menu offers it. */
  function AddLanguages() {
    for (const { code, name } of state.languages) {
      if (code === "el" || code === "en") continue;
      const label = document.createElement("label");
      const radio = document.createElement("input");
      radio.type = "radio";
      radio.name = "lang";
      radio.value = code;
      radio.id = `lang-${code}`;
      const caption = document.createElement("span");
      caption.textContent = name;
      caption.lang = code;
      label.append(radio, " ", caption);
      $("languages").append(label);
    }
  }

  function Fail(reason) {
    const status = $("status");
    status.textContent = (LoadFailed[state.settings.lang] || LoadFailed.en)(reason);
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
        AddLanguages();
        ReadFragment();
        if (state.settings.lesson > 0) {
          const problems = state.problems;
          OpenLesson(state.settings.lesson);
          state.problems = problems;
          ShowFragmentProblems();
        }
        Connect();
        Redraw();
        document.body.dataset.ready = "yes";
        // The first figure is on screen with the next frame.
        requestAnimationFrame(() => performance.mark("kymata-first-figure"));
      })
      .catch((error) => Fail(String(error && error.message ? error.message : error)));
  }

  window.Kymata = { state, Redraw, get core() { return core; } };
  Start();
})();
