// The lesson beside the figure on the page: its narration, question and answer, its steps by
// buttons, keys and swipes, and the teacher's notes through the browser's print dialog. The
// words and each step's scene come from the figure core, as in the window.
"use strict";

/** The page's lesson; `page` gives the page's state, its core and what redraws. */
function KymataLessonPart(page) {
  const {$, state} = page;

  /** The lesson's panel for the step in the settings (hidden at step 0), in the page's language. */
  function ShowLesson() {
    const step = state.settings.lesson;
    const language = page.LanguagePlace(state.settings.lang);
    // Asked at every redraw; the words change only with the step or the language.
    const key = `${step}/${language}/${state.answerShown}`;
    if (state.lessonShown === key) return;
    state.lessonShown = key;
    const lesson = page.Parsed(page.core.lesson(step, language));
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
    const language = page.LanguagePlace(state.settings.lang);
    const lesson =
        page.Parsed(page.core.lesson(Math.min(Math.max(1, step), state.lessonSteps), language));
    const scene = lesson.scene;
    Object.assign(state.settings, {
      source: scene.source,
      focus: scene.focus,
      index: scene.index,
      thickness: scene.thickness,
      hyperbola: scene.hyperbola,
      beam: scene.beam,
      perfect: scene.perfect,
      view: scene.view,
      lesson: lesson.step,
    });
    state.playing = false;
    state.phase = 0;
    // A flash's step shows its crest standing where the step puts it.
    state.flash = scene.flash;
    state.answerShown = false;
    page.ShowControls();
    page.Redraw();
  }

  function CloseLesson() {
    state.settings.lesson = 0;
    page.Redraw();
  }

  function LessonStep(by) {
    const step = state.settings.lesson;
    if (step > 0 && step + by >= 1 && step + by <= state.lessonSteps) OpenLesson(step + by);
  }

  /** The teacher's notes through the browser's print dialog: each step on a page, its figure
   *  beside its narration, question and answer. */
  function PrintLessonPlan() {
    const language = page.LanguagePlace(state.settings.lang);
    const esc = KymataEscapeXml;
    const pages = [];
    for (let step = 1; step <= state.lessonSteps; ++step) {
      const lesson = page.Parsed(page.core.lesson(step, language));
      const c = lesson.scene;
      const settings = {...state.settings, ...c, lang: state.settings.lang};
      const args = [c.source, c.focus, c.index, c.thickness, page.Switches(settings, false)];
      const flash = c.flash === null ? NaN : c.flash;
      const figure = page.core.draw(...args, NaN, flash).recording;
      const mm = 120;
      const items = KymataSvgItems(
          figure, {x: 0, y: 0, width: mm, height: mm}, page.AscentOf, 25.4 / KymataReferenceDpi);
      const w = lesson.words;
      pages.push(
          `<section><svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${mm} ${mm}">${
              items}</svg>` +
              `<div><h2>${esc(lesson.progress)} — ${esc(lesson.title)}</h2><p>${
                  esc(lesson.text)}</p>` +
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

  return {
    Show: ShowLesson,
    Open: OpenLesson,
    Close: CloseLesson,
    Step: LessonStep,
    PrintPlan: PrintLessonPlan
  };
}
