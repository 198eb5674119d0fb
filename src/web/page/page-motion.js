// The wave view's moving crests on the page: play and pause, speed, one frame on and a flash, as
// the window's. The core draws each frame; this part keeps the clock.
"use strict";

/** The page's moving waves; `page` gives the page's state and what redraws. */
function KymataMotionPart(page) {
  const {$, state} = page;
  const FlashSeconds = 8;  // how long a flash takes to cross the figure at speed 1

  function SetWaveView(on) {
    state.settings.view = on ? KymataCoreTables.waveSwitchView : KymataViews[0];
    $("waveView").checked = on;
    if (!on) {
      state.playing = false;
      state.flash = null;
      state.phase = 0;
    }
    page.Redraw();
  }

  function SetPlaying(on) {
    on = on && KymataViewHas(state.settings, "movingCrests");
    if (on === state.playing) return;
    state.playing = on;
    if (on) {
      state.last = performance.now();
      requestAnimationFrame(Tick);
    }
    page.Redraw();
  }

  function SetSpeed(speed) {
    state.speed = Math.min(4, Math.max(0.25, speed));
    page.ShowTexts();
  }

  function StepFrame() {
    if (KymataViewHas(state.settings, "movingCrests") && !state.playing)
      Advance(1 / 60 / state.speed);
  }

  function Flash() {
    if (!KymataViewHas(state.settings, "movingCrests")) return;
    state.flash = 0;
    if (!state.playing)
      SetPlaying(true);
    else
      page.PaintFrame();
  }

  function Advance(seconds) {
    const periods = Math.max(0, seconds) * state.speed;
    if (state.flash !== null) {
      state.flash += (periods * Math.max(state.most, 1)) / FlashSeconds;
      if (state.flash > state.most) state.flash = null;
    } else {
      state.phase = (state.phase + periods) % 1;
    }
    if (state.playing)
      page.PaintFrame();
    else
      page.Redraw();
  }

  function Tick(now) {
    if (!state.playing) return;
    Advance((now - state.last) / 1000);
    state.last = now;
    requestAnimationFrame(Tick);
  }

  return {SetWaveView, SetPlaying, SetSpeed, StepFrame, Flash};
}
