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
    if (wait <= 0) run();
    else timer = setTimeout(run, wait);
  };
}

/** The page's words; `page` gives the page's state, its core and its settings. */
function KymataWordsPart(page) {
  const { $, state } = page;

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
    const answer = page.core.texts(...page.Args());
    const shown = `${answer}/${page.Switches(s, false)}/${state.playing}/${state.speed}`;
    if (shown !== state.textsShown) {
      state.textsShown = shown;
      WriteTexts(page.Parsed(answer));
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

  /** The canvas's words on what it shows; they cost a second drawing of the figure. */
  const Describe = KymataSettled(() => {
    if (page.core) $("EIKON-description").textContent = page.Parsed(page.core.describe(...page.Args())).description;
  }, 250);

  function ShowLedger() {
    const waves = KymataTracesWaves(state.settings);
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
    $("ledgerSummary").replaceChildren(
      ...ledger.summary.map((line) => {
        const li = document.createElement("li");
        li.textContent = line;
        return li;
      }),
    );
  }

  return { ShowLabels, ShowTexts, ShowLedger };
}
