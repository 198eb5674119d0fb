// The page's words beside the figure: the scroll bars' read-outs, the controls' captions, names
// and descriptions, the canvas's description for screen readers, and the wave view's ledger as
// HTML text. Every word comes from the figure core, in the page's language.
"use strict";

/**
 * `work` done at once after a quiet moment of `ms`, and otherwise once the changes settle, at
 * most once every `ms`: a scroll bar dragged across its range asks for it a few times, and the
 * last setting is always the one done.
 */
function KymataSettled(work, ms) {
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
    if (wait <= 0)
      run();
    else
      timer = setTimeout(run, wait);
  };
}

/** The page's words; `page` gives the page's state, its core and its settings. */
function KymataWordsPart(page) {
  const {$, state} = page;

  function ShowLabels(labels) {
    const sliders = ["initial_POINT", "fOCUS_POINT", "n_DIATHLASI", "pachos"];
    ["Label1", "Label2", "Label3", "Label4"].forEach((name, k) => {
      Put($(name), "value", labels[name]);
      PutAttribute($(sliders[k]), "aria-valuetext", labels[name].trim());
    });
  }

  /** The controls' captions, names and descriptions in the page's language; the page is
   *  written only where they change, so a scroll bar's step lays out nothing else. */
  function ShowTexts() {
    const s = state.settings;
    const answer = page.core.texts(...page.Args());
    const shown = `${answer}/${page.Switches(s, false)}/${state.playing}/${state.speed}`;
    if (shown !== state.textsShown) {
      state.textsShown = shown;
      WriteTexts(page.Parsed(answer));
    }
    Describe();
  }

  /** Writes `value` into `element[key]` only where it differs: a write of the same text still
   *  makes the browser lay the page out again. */
  const Put = (element, key, value) => {
    if (element[key] !== value) element[key] = value;
  };
  const PutAttribute = (element, name, value) => {
    if (element.getAttribute(name) !== value) element.setAttribute(name, value);
  };

  function WriteTexts(all) {
    const s = state.settings;
    const t = all.texts;
    const m = all.messages;
    state.texts = t;
    Put(document.documentElement, "lang", s.lang);
    Put(document.querySelector("meta[name=\"description\"]"), "content", m["page.description"]);
    Put($("waveViewCaption"), "textContent", t.waveViewCaption);
    Put($("perfectLensCaption"), "textContent", t.perfectLensCaption);
    Put($("playButton"), "textContent", state.playing ? t.pauseCaption : t.playCaption);
    Put($("flashButton"), "textContent", t.flashCaption);
    Put($("bestFocusButton"), "textContent", t.bestFocusCaption);
    PutAttribute($("slower"), "aria-label", t.slower);
    Put($("slower"), "title", t.slower);
    PutAttribute($("faster"), "aria-label", t.faster);
    Put($("faster"), "title", t.faster);
    PutAttribute($("stepFrame"), "aria-label", t.stepFrame);
    Put($("stepFrame"), "title", t.stepFrame);
    Put($("stepFrame"), "disabled", state.playing);
    Put($("slower"), "disabled", state.speed <= 0.25);
    Put($("faster"), "disabled", state.speed >= 4);
    Put($("speedLabel"), "textContent", m["page.speed"].replace("%1", String(state.speed)));
    Put($("speedKeys"), "textContent", m["page.speedKeys"]);
    for (const step of document.querySelectorAll(".step")) {
      PutAttribute(step, "aria-label", m[step.textContent === "+" ? "page.more" : "page.less"]);
    }
    Put($("saveFigureCaption"), "textContent", t.saveFigure);
    Put($("saveWorksheetCaption"), "textContent", t.saveWorksheet);
    Put($("printWorksheet"), "textContent", t.printWorksheet);
    Put($("presentation"), "textContent", t.presentation);
    Put($("pngSizeCaption"), "textContent", t.pngSizeCaption);
    Put(document, "title", t.windowTitle);
    Put($("Command1"), "textContent", t.printCaption);
    Put($("parallelBeamCaption"), "textContent", t.parallelBeamCaption);
    Put($("hyperbolaCaption"), "textContent", t.hyperbolaCaption);
    Put($("greekCaption"), "textContent", t.greekCaption);
    Put($("englishCaption"), "textContent", t.englishCaption);
    Put($("ledgerTitle"), "textContent", t.ledgerTitle);
    Put($("waveControls"), "hidden", !KymataViewHas(s, "tracesWaves"));
    Put($("perfectLens").parentElement, "hidden", !KymataViewHas(s, "takesLensShape"));
    const descriptions = $("descriptions");
    for (const [id, d] of Object.entries(all.controls)) {
      const control = $(id);
      if (!control) continue;
      // An empty name: the control's own caption or text is its name.
      if (d.name)
        PutAttribute(control, "aria-label", d.name);
      else
        control.removeAttribute("aria-label");
      let holder = $(`${id}-description`);
      if (!holder) {
        holder = document.createElement("span");
        holder.id = `${id}-description`;
        descriptions.append(holder);
      }
      // The canvas's own words say what it shows; they come from Describe.
      if (id !== "EIKON") Put(holder, "textContent", d.description);
    }
  }

  /** The canvas's words on what it shows; they cost a second drawing of the figure. */
  const Describe = KymataSettled(() => {
    if (page.core)
      $("EIKON-description").textContent =
          page.Parsed(page.core.describe(...page.Args())).description;
  }, 250);

  function ShowLedger() {
    const waves = KymataViewHas(state.settings, "hasLedger");
    $("ledger").hidden = !waves;
    if (!waves) return;
    const ledger = page.Parsed(page.core.ledger(...page.Args()));
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
    $("ledgerSummary")
        .replaceChildren(
            ...ledger.summary.map((line) => {
              const li = document.createElement("li");
              li.textContent = line;
              return li;
            }),
        );
  }

  return {ShowLabels, ShowTexts, ShowLedger};
}
