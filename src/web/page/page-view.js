// The figure's zoom and pan on the page: two fingers pinch and drag it, Ctrl and the wheel (or a
// touchpad's pinch) zoom it at the pointer, "+", "−" and "0" zoom it from the keyboard, as the
// window's zoom does. The view is a scale of the whole figure and an offset, in the canvas's
// own pixels; the figure always covers the canvas, so it can never be lost.
"use strict";

/** The most the figure is enlarged. */
const KymataMaxZoom = 20;

/** The whole figure, as drawn at the start. */
function KymataWholeView() {
  return {scale: 1, x: 0, y: 0};
}

/** `view` with its scale within 1 to `KymataMaxZoom` and its offset keeping the enlarged
 *  figure over the whole canvas of `width` × `height`. */
function KymataClampView(view, width, height) {
  const scale = Math.min(KymataMaxZoom, Math.max(1, view.scale));
  const x = Math.min(0, Math.max(width - width * scale, view.x));
  const y = Math.min(0, Math.max(height - height * scale, view.y));
  return {scale, x, y};
}

/** `view` enlarged by `factor` with the canvas point `at` kept where it is. */
function KymataZoomAt(view, factor, at, width, height) {
  const scale = Math.min(KymataMaxZoom, Math.max(1, view.scale * factor));
  const k = scale / view.scale;
  return KymataClampView(
      {scale, x: at.x - (at.x - view.x) * k, y: at.y - (at.y - view.y) * k}, width, height);
}

/** `view` after two fingers moved from the points `before` to `after`: enlarged by the ratio of
 *  their distances, and the point between them carried along with them. */
function KymataPinch(view, before, after, width, height) {
  const distance = (t) => Math.hypot(t[1].x - t[0].x, t[1].y - t[0].y);
  const middle = (t) => ({x: (t[0].x + t[1].x) / 2, y: (t[0].y + t[1].y) / 2});
  const start = distance(before);
  const scale =
      Math.min(KymataMaxZoom, Math.max(1, view.scale * (start > 0 ? distance(after) / start : 1)));
  const k = scale / view.scale;
  const from = middle(before);
  const to = middle(after);
  return KymataClampView(
      {scale, x: to.x - (from.x - view.x) * k, y: to.y - (from.y - view.y) * k}, width, height);
}

/** The area, in canvas pixels, that the whole figure is fitted into for `view`. */
function KymataViewArea(view, width, height) {
  return {x: view.x, y: view.y, width: width * view.scale, height: height * view.scale};
}

/**
 * Lets the user zoom and pan the figure on `canvas`: `get()` gives the view, `set(view)` takes
 * the new one and repaints. A one-finger swipe across the figure (more across than down) goes to
 * `swiped(-1 or 1)`, so that a lesson steps on a touch screen; one finger up or down scrolls the
 * page as ever.
 */
function KymataViewGestures(canvas, get, set, swiped) {
  const ratio = () => canvas.width / Math.max(1, canvas.getBoundingClientRect().width);
  const pointOf = (touch) => {
    const box = canvas.getBoundingClientRect();
    return {x: (touch.clientX - box.left) * ratio(), y: (touch.clientY - box.top) * ratio()};
  };
  let fingers = null;
  let swipe = null;
  canvas.addEventListener("touchstart", (e) => {
    if (e.touches.length === 2) {
      fingers = [pointOf(e.touches[0]), pointOf(e.touches[1])];
      swipe = null;
    } else if (e.touches.length === 1) {
      swipe = {x: e.touches[0].clientX, y: e.touches[0].clientY};
    }
  }, {passive: true});
  canvas.addEventListener("touchmove", (e) => {
    if (e.touches.length !== 2 || !fingers) return;
    // Two fingers on the figure move the figure, not the page.
    e.preventDefault();
    const now = [pointOf(e.touches[0]), pointOf(e.touches[1])];
    set(KymataPinch(get(), fingers, now, canvas.width, canvas.height));
    fingers = now;
  }, {passive: false});
  canvas.addEventListener("touchend", (e) => {
    if (e.touches.length < 2) fingers = null;
    if (!swipe || e.changedTouches.length !== 1 || e.touches.length > 0) return;
    const dx = e.changedTouches[0].clientX - swipe.x;
    const dy = e.changedTouches[0].clientY - swipe.y;
    swipe = null;
    if (Math.abs(dx) > 60 && Math.abs(dy) < 0.5 * Math.abs(dx)) swiped(dx < 0 ? 1 : -1);
  });
  canvas.addEventListener("wheel", (e) => {
    if (!e.ctrlKey) return;
    e.preventDefault();
    const box = canvas.getBoundingClientRect();
    const at = {x: (e.clientX - box.left) * ratio(), y: (e.clientY - box.top) * ratio()};
    set(KymataZoomAt(get(), Math.exp(-e.deltaY / 300), at, canvas.width, canvas.height));
  }, {passive: false});
  canvas.addEventListener("keydown", (e) => {
    const centre = {x: canvas.width / 2, y: canvas.height / 2};
    if (e.key === "+" || e.key === "=")
      set(KymataZoomAt(get(), 1.25, centre, canvas.width, canvas.height));
    else if (e.key === "-" || e.key === "−")
      set(KymataZoomAt(get(), 0.8, centre, canvas.width, canvas.height));
    else if (e.key === "0")
      set(KymataWholeView());
    else
      return;
    e.preventDefault();
  });
}

if (typeof module !== "undefined") {
  module.exports =
      {KymataMaxZoom, KymataWholeView, KymataClampView, KymataZoomAt, KymataPinch, KymataViewArea};
}
