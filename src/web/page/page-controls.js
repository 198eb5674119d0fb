// The page's controls wired to the figure: scroll bars with their − and + for a finger, switches,
// languages, the wave view's buttons, saving and printing, the lesson's buttons, gestures on the
// figure, and the window's keyboard shortcuts.
"use strict";

/** Wires the page's controls; `page` gives the page's state, its parts and what redraws. */
function KymataControlsPart(page, motion) {
  const {$, state} = page;

  /** F to the whole step nearest the lens's best focus, as the window's B does, and a sentence
   *  that says what became of it. */
  function MoveFocusToBestFocus() {
    const answer = page.Parsed(page.core.bestFocus(...page.Args()));
    if (answer.focus) {
      state.settings.focus = answer.focus;
      page.ShowControls();
      page.Redraw();
    }
    $("bestFocusSaid").textContent = answer.said;
  }

  function Connect() {
    for (const slider of KymataSliders) {
      const input = $(slider.id);
      input.addEventListener("input", () => {
        state.settings[slider.key] = Number(input.value);
        page.Redraw();
      });
      // Page Up and Page Down move by the scroll bar's large change, as in the window.
      input.addEventListener("keydown", (event) => {
        if (event.key !== "PageUp" && event.key !== "PageDown") return;
        event.preventDefault();
        const step = event.key === "PageUp" ? slider.page : -slider.page;
        const value = Math.min(slider.max, Math.max(slider.min, Number(input.value) + step));
        if (value === Number(input.value)) return;
        input.value = String(value);
        input.dispatchEvent(new Event("input", {bubbles: true}));
      });
    }
    for (const toggle of KymataSwitches) {
      $(toggle.id).addEventListener("change", () => {
        state.settings[toggle.key] = $(toggle.id).checked;
        page.Redraw();
      });
    }
    for (const radio of $("languages").querySelectorAll("input")) {
      radio.addEventListener("change", () => {
        if (radio.checked) state.settings.lang = radio.value;
        page.Redraw();
      });
    }
    $("waveView").addEventListener("change", () => motion.SetWaveView($("waveView").checked));
    $("playButton").addEventListener("click", () => motion.SetPlaying(!state.playing));
    $("flashButton").addEventListener("click", motion.Flash);
    $("slower").addEventListener("click", () => motion.SetSpeed(state.speed / 2));
    $("faster").addEventListener("click", () => motion.SetSpeed(state.speed * 2));
    $("stepFrame").addEventListener("click", motion.StepFrame);
    $("Command1").addEventListener("click", () => page.files.Print(false));
    $("printWorksheet").addEventListener("click", () => page.files.Print(true));
    // Presentation mode: the figure alone over the whole screen; Escape leaves it.
    $("presentation").addEventListener("click", () => {
      if (document.fullscreenElement)
        document.exitFullscreen();
      else
        $("stage").requestFullscreen?.().catch(() => {});
    });
    document.addEventListener("fullscreenchange", () => {
      $("presentation").setAttribute("aria-pressed", String(document.fullscreenElement !== null));
      page.PaintFrame();
    });
    for (const button of document.querySelectorAll("[data-save]")) {
      button.addEventListener(
          "click", () => page.files.Save(button.dataset.save, button.dataset.worksheet === "1"));
    }
    window.addEventListener("hashchange", () => {
      if (location.hash === `#${KymataFragment(state.settings)}`) return;
      page.ReadFragment();
      page.Redraw();
    });
    // Printing from the browser's own menu prints the figure's page too; PRINT and "Print
    // worksheet…" have laid their sheet already.
    window.addEventListener("beforeprint", () => {
      if (!state.sheetLaid) page.files.PreparePrint(false);
    });
    window.addEventListener("afterprint", () => {
      state.sheetLaid = false;
    });
    document.addEventListener("keydown", Shortcut);
    // The controls are no form to send: Enter in a field changes nothing else (no inline
    // handler, which the page's security policy forbids).
    $("panel").addEventListener("submit", (event) => event.preventDefault());
    $("lessonButton")
        .addEventListener(
            "click", () => (state.settings.lesson > 0 ? page.lesson.Close() : page.lesson.Open(1)));
    $("lessonNext").addEventListener("click", () => page.lesson.Step(1));
    $("lessonBack").addEventListener("click", () => page.lesson.Step(-1));
    $("lessonAgain").addEventListener("click", () => page.lesson.Open(state.settings.lesson));
    $("lessonClose").addEventListener("click", page.lesson.Close);
    $("lessonPlan").addEventListener("click", page.lesson.PrintPlan);
    $("bestFocusButton").addEventListener("click", MoveFocusToBestFocus);
    $("ledgerDetails").addEventListener("change", page.ShowLedger);
    $("lessonShowAnswer").addEventListener("click", () => {
      state.answerShown = true;
      page.lesson.Show();
      $("lessonAnswer").focus?.();
    });
    // Two fingers zoom and pan the figure; a swipe across it steps the page.lesson.
    KymataViewGestures(
        $("EIKON"), () => state.view,
        (view) => {
          state.view = view;
          page.PaintFrame();
        },
        (by) => {
          if (state.settings.lesson > 0) page.lesson.Step(by);
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
    document.addEventListener(
        "keydown", () => document.body.classList.add("keyboard"), {once: true});
    new ResizeObserver(([entry]) => {
      const [size] = entry.borderBoxSize;
      state.box = {width: size.inlineSize, height: size.blockSize};
      page.PaintFrame();
    }).observe($("EIKON"));
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
        .addEventListener("change", page.PaintFrame);
  }

  /** The window's shortcuts: F6 the wave view, Space play, "." one frame, "[" "]" speed, L a
   *  flash, Ctrl+P PRINT. Keys that a focused control uses itself are left to it. */
  function Shortcut(event) {
    const target = event.target;
    const typing = target instanceof HTMLInputElement && target.type === "number";
    const pressable = target instanceof HTMLButtonElement ||
        (target instanceof HTMLInputElement &&
         (target.type === "checkbox" || target.type === "radio"));
    if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === "p") {
      event.preventDefault();
      page.files.Print(false);
      return;
    }
    if (event.ctrlKey || event.metaKey || event.altKey || typing) return;
    const waves = KymataViewHas(state.settings, "tracesWaves");
    const inLesson = state.settings.lesson > 0;
    const onCanvas = target === $("EIKON");
    if (event.key === "F2") inLesson ? page.lesson.Close() : page.lesson.Open(1);
    // A presenter's remote sends Page Down and Page Up.
    else if (inLesson && (event.key === "PageDown" || (onCanvas && event.key === "ArrowRight")))
      page.lesson.Step(1);
    else if (inLesson && (event.key === "PageUp" || (onCanvas && event.key === "ArrowLeft")))
      page.lesson.Step(-1);
    else if (inLesson && event.key === "Escape" && !document.fullscreenElement)
      page.lesson.Close();
    else if (event.code === "KeyB")
      MoveFocusToBestFocus();
    else if (event.key === "F6")
      motion.SetWaveView(!waves);
    else if (event.key === " " && waves && !pressable)
      motion.SetPlaying(!state.playing);
    else if (event.key === "." && waves)
      motion.StepFrame();
    else if (event.key === "[" && waves)
      motion.SetSpeed(state.speed / 2);
    else if (event.key === "]" && waves)
      motion.SetSpeed(state.speed * 2);
    else if ((event.key === "l" || event.key === "L") && waves)
      motion.Flash();
    else
      return;
    event.preventDefault();
  }

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
      const value = Math.min(
          Number(input.max),
          Math.max(Number(input.min), Number(input.value) + by * Number(input.step)));
      if (value === Number(input.value)) return;
      input.value = String(value);
      input.dispatchEvent(new Event("input", {bubbles: true}));
    });
    return button;
  }

  /** A choice beside GREEK and ENGLISH for every further language of the core, named in
   *  itself, as the window's Language menu offers it. */
  function AddLanguages() {
    for (const {code, name} of state.languages) {
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

  return {Connect, AddLanguages, MoveFocusToBestFocus};
}
