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
    view: KymataWholeView(), // the figure's zoom and pan
    textsShown: "", // the texts the controls show, as the core gave them
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
    Parsed, Args, Switches, LanguagePlace, Motion, Redraw, ShowControls, ShowLabels, Paint, ShowProblems,
  };
  const files = KymataFilesPart(page);
  const lesson = KymataLessonPart(page);

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

  /** Sizes the canvas's backing store to its box at the screen's pixel density, at most twice
   *  its CSS pixels: a phone's third pixel is not seen, and would cost half again as much to
   *  paint every frame. */
  function FitCanvas(canvas) {
    const ratio = Math.min(2, window.devicePixelRatio || 1);
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
    ShowLabels(drawn.labels);
    ShowTexts();
    ShowLedger();
    lesson.Show();
    PaintFrame();
    WriteFragment();
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

  function ShowLabels(labels) {
    const sliders = ["initial_POINT", "fOCUS_POINT", "n_DIATHLASI", "pachos"];
    ["Label1", "Label2", "Label3", "Label4"].forEach((name, k) => {
      $(name).value = labels[name];
      $(sliders[k]).setAttribute("aria-valuetext", labels[name].trim());
    });
  }

  /** The controls' captions, names and descriptions in the page's language; the page is
   *  written only where they change, so a scroll bar's step lays out nothing else. */
  function ShowTexts() {
    const s = state.settings;
    const answer = core.texts(...Args());
    const shown = `${answer}/${Switches(s, false)}/${state.playing}/${state.speed}`;
    if (shown !== state.textsShown) {
      state.textsShown = shown;
      WriteTexts(Parsed(answer));
    }
    Describe();
  }

  function WriteTexts(all) {
    const s = state.settings;
    const t = all.texts;
    const m = all.messages;
    state.texts = t;
    document.documentElement.lang = s.lang;
    document.querySelector('meta[name="description"]').content = m["page.description"];
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
    $("speedLabel").textContent = m["page.speed"].replace("%1", String(state.speed));
    $("speedKeys").textContent = m["page.speedKeys"];
    for (const step of document.querySelectorAll(".step")) {
      step.setAttribute("aria-label", m[step.textContent === "+" ? "page.more" : "page.less"]);
    }
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
      // The canvas's own words say what it shows; they come from Describe.
      if (id !== "EIKON") holder.textContent = d.description;
    }
  }

  /**
   * `work` done at once after a quiet moment of `ms`, and otherwise once the changes settle, at
   * most once every `ms`: a scroll bar dragged across its range asks for it a few times, and the
   * last setting is always the one done.
   */
  function Settled(work, ms) {
    let last = -Infinity;
    let timer = 0;
    const run = () => {
      timer = 0;
      last = performance.now();
      work();
    };
    return () => {
      if (timer) return;
      const wait = last + ms - performance.now();
      if (wait <= 0) run();
      else timer = setTimeout(run, wait);
    };
  }

  /** The canvas's words on what it shows; they cost a second drawing of the figure. */
  const Describe = Settled(() => {
    if (core) $("EIKON-description").textContent = Parsed(core.describe(...Args())).description;
  }, 250);

  /** The address's fragment, kept in step with the controls. The browser takes only so many
   *  changes of the address a second, and would drop the last of a long drag. */
  const WriteFragment = Settled(() => {
    const fragment = `#${KymataFragment(state.settings)}`;
    if (location.hash !== fragment) history.replaceState(null, "", fragment);
  }, 100);

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
    $("Command1").addEventListener("click", () => files.Print(false));
    $("printWorksheet").addEventListener("click", () => files.Print(true));
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
      button.addEventListener("click", () => files.Save(button.dataset.save, button.dataset.worksheet === "1"));
    }
    window.addEventListener("hashchange", () => {
      if (location.hash === `#${KymataFragment(state.settings)}`) return;
      ReadFragment();
      Redraw();
    });
    // Printing from the browser's own menu prints the figure's page too; PRINT and "Print
    // worksheet…" have laid their sheet already.
    window.addEventListener("beforeprint", () => {
      if (!state.sheetLaid) files.PreparePrint(false);
    });
    window.addEventListener("afterprint", () => {
      state.sheetLaid = false;
    });
    document.addEventListener("keydown", Shortcut);
    // The controls are no form to send: Enter in a field changes nothing else (no inline
    // handler, which the page's security policy forbids).
    $("panel").addEventListener("submit", (event) => event.preventDefault());
    $("lessonButton").addEventListener("click", () => (state.settings.lesson > 0 ? lesson.Close() : lesson.Open(1)));
    $("lessonNext").addEventListener("click", () => lesson.Step(1));
    $("lessonBack").addEventListener("click", () => lesson.Step(-1));
    $("lessonAgain").addEventListener("click", () => lesson.Open(state.settings.lesson));
    $("lessonClose").addEventListener("click", lesson.Close);
    $("lessonPlan").addEventListener("click", lesson.PrintPlan);
    $("bestFocusButton").addEventListener("click", MoveFocusToBestFocus);
    $("ledgerDetails").addEventListener("change", ShowLedger);
    $("lessonShowAnswer").addEventListener("click", () => {
      state.answerShown = true;
      lesson.Show();
      $("lessonAnswer").focus?.();
    });
    // Two fingers zoom and pan the figure; a swipe across it steps the lesson.
    KymataViewGestures($("EIKON"), () => state.view, (view) => {
      state.view = view;
      PaintFrame();
    }, (by) => {
      if (state.settings.lesson > 0) lesson.Step(by);
    });
    // The scroll bars' − and + for a finger, one step each, as the arrow keys step them.
    for (const slider of KymataSliders) {
      const input = $(slider.id);
      const row = document.createElement("div");
      row.className = "sliderRow";
      input.replaceWith(row);
      const less = StepButton("−", -1, input);
      const more = StepButton("+", 1, input);
      row.append(less, input, more);
    }
    // Key hints are for a keyboard: shown once one is used, where the screen is for fingers.
    document.addEventListener("keydown", () => document.body.classList.add("keyboard"), { once: true });
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
      files.Print(false);
      return;
    }
    if (event.ctrlKey || event.metaKey || event.altKey || typing) return;
    const waves = KymataTracesWaves(state.settings);
    const inLesson = state.settings.lesson > 0;
    const onCanvas = target === $("EIKON");
    if (event.key === "F2") inLesson ? lesson.Close() : lesson.Open(1);
    // A presenter's remote sends Page Down and Page Up.
    else if (inLesson && (event.key === "PageDown" || (onCanvas && event.key === "ArrowRight"))) lesson.Step(1);
    else if (inLesson && (event.key === "PageUp" || (onCanvas && event.key === "ArrowLeft"))) lesson.Step(-1);
    else if (inLesson && event.key === "Escape" && !document.fullscreenElement) lesson.Close();
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


  // ---- start -----------------------------------------------------------------------------------

  /** A − or + beside a scroll bar, for a finger: one step of `input` by `by`, as an arrow key
   *  steps it. */
  function StepButton(text, by, input) {
    const button = document.createElement("button");
    button.type = "button";
    button.className = "step";
    button.textContent = text;
    // Not a stop of its own for Tab: the arrow keys step the scroll bar itself.
    button.tabIndex = -1;
    button.addEventListener("click", () => {
      const value = Math.min(Number(input.max), Math.max(Number(input.min), Number(input.value) + by * Number(input.step)));
      if (value === Number(input.value)) return;
      input.value = String(value);
      input.dispatchEvent(new Event("input", { bubbles: true }));
    });
    return button;
  }

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
          lesson.Open(state.settings.lesson);
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

  /** Served over http(s), the page installs its service worker, which keeps the edition for use
   *  offline; opened from a file, as the one-file edition (which has nothing beside it to keep),
   *  or where the browser refuses it (private windows), it goes on without, saying nothing. */
  function KeepForOffline() {
    if (!("serviceWorker" in navigator) || !/^https?:$/.test(location.protocol)) return;
    if (document.querySelector('meta[name="kymata-edition"][content="single-file"]')) return;
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }

  window.Kymata = { state, Redraw, get core() { return core; } };
  KeepForOffline();
  Start();
})();
