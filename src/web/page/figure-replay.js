// Replays a recorded figure (the "canvas" or "page" member of a figure document) on a drawing
// target: the page's Canvas 2D, or an SVG document. The figure is the core's; this file only
// maps its user coordinates onto the target the way the desktop's painter does: the box fitted
// into the area with its aspect kept, line widths and text sizes given on a 1000-pixel reference
// canvas at 96 dpi, texts at their top-left corner, turned counter-clockwise about it.
"use strict";

const KymataReferencePixels = 1000;
const KymataReferenceDpi = 96;
/** The width of the light halo round every text, as a part of its pixel size (the desktop's). */
const KymataHaloWidth = 0.22;
const KymataFontFamily = "\"DejaVu Sans\", \"Liberation Sans\", Arial, Helvetica, sans-serif";

/** The largest rectangle of the box's aspect centred in `area` ({x, y, width, height}). */
function KymataFitBox(box, area) {
  const [left, top, right, bottom] = box;
  const w = Math.abs(right - left);
  const h = Math.abs(bottom - top);
  if (!(w > 0 && h > 0 && area.width > 0 && area.height > 0)) return area;
  const unit = Math.min(area.width / w, area.height / h);
  return {
    x: area.x + area.width / 2 - (w * unit) / 2,
    y: area.y + area.height / 2 - (h * unit) / 2,
    width: w * unit,
    height: h * unit
  };
}

/**
 * The mapping of a recording onto `area`: device points of user points, device radii, and the
 * zoom (device units per reference pixel); `zoom` may be fixed, as for a printed page.
 */
function KymataFrame(recording, area, zoom) {
  const box = recording.scale;
  const target = KymataFitBox(box, area);
  const [left, top, right, bottom] = box;
  return {
    zoom: zoom ?? Math.min(target.width, target.height) / KymataReferencePixels,
    x: (x) => target.x + ((x - left) / (right - left)) * target.width,
    y: (y) => target.y + ((y - top) / (bottom - top)) * target.height,
    rx: (r) => Math.abs((r * target.width) / (right - left)),
    ry: (r) => Math.abs((r * target.height) / (bottom - top)),
    // +1 when the axis keeps its direction on the device, -1 when it is mirrored.
    sx: right > left ? 1 : -1,
    sy: bottom > top ? 1 : -1,
  };
}

/** The pixel size of a text of `size` points on the reference canvas, as the desktop rounds it. */
function KymataFontPixels(size) {
  return Math.max(1, Math.round((size * KymataReferenceDpi) / 72));
}

function KymataFinite(...values) {
  return values.every((v) => typeof v === "number" && Number.isFinite(v));
}

/**
 * An arc of a circle item on the device: its start angle and end angle in the device's angle
 * (clockwise on screen), and whether it runs anticlockwise there. User angles are
 * counter-clockwise as the viewer sees the figure when y points up; a mirrored axis turns them.
 */
function KymataDeviceArc(item, frame) {
  const twoPi = 2 * Math.PI;
  let span = (item.end - item.start) % twoPi;
  if (span <= 0) span += twoPi;
  const start = Math.atan2(frame.sy * Math.sin(item.start), frame.sx * Math.cos(item.start));
  const turn = frame.sx * frame.sy;
  return {start, end: start + turn * span, anticlockwise: turn < 0};
}

/** Draws `recording` on a Canvas 2D context within `area` (device pixels of the context). */
function KymataDrawCanvas(ctx, recording, area, options = {}) {
  const frame = KymataFrame(recording, area, options.zoom);
  ctx.save();
  ctx.beginPath();
  ctx.rect(area.x, area.y, area.width, area.height);
  ctx.clip();
  // The pen last set, so that a run of items in one colour, width and style sets it once.
  let penSet = "";
  const penKey = (item, join) => `${item.color}|${item.width}|${item.style}|${join}`;
  const pen = (item, join) => {
    const key = penKey(item, join);
    if (key === penSet) return;
    penSet = key;
    const width = Math.max(1, item.width) * frame.zoom;
    ctx.strokeStyle = item.color;
    ctx.lineWidth = width;
    ctx.setLineDash(item.style === "dotted" ? [width, 2 * width] : []);
    ctx.lineCap = item.style === "dotted" ? "butt" : "round";
    ctx.lineJoin = join;
  };
  // Consecutive lines with one pen are stroked as one path: a figure of a thousand rays and
  // ticks paints several times faster, and looks the same (each line is a subpath of its own,
  // its dashes start where it starts).
  let lines = 0;
  const strokeLines = () => {
    if (lines > 0) ctx.stroke();
    lines = 0;
  };
  for (const item of recording.items) {
    if (item.type === "line") {
      if (!KymataFinite(item.x1, item.y1, item.x2, item.y2)) continue;
      if (lines > 0 && penKey(item, "round") !== penSet) strokeLines();
      pen(item, "round");
      if (lines === 0) ctx.beginPath();
      ctx.moveTo(frame.x(item.x1), frame.y(item.y1));
      ctx.lineTo(frame.x(item.x2), frame.y(item.y2));
      lines += 1;
      continue;
    }
    strokeLines();
    if (item.type === "polyline") {
      pen(item, "bevel");
      ctx.beginPath();
      let open = false;
      for (const [x, y] of item.points) {
        if (!KymataFinite(x, y)) {
          open = false;
          continue;
        }
        if (open)
          ctx.lineTo(frame.x(x), frame.y(y));
        else
          ctx.moveTo(frame.x(x), frame.y(y));
        open = true;
      }
      ctx.stroke();
    } else if (item.type === "circle") {
      if (!KymataFinite(item.x, item.y, item.r)) continue;
      pen(item, "round");
      ctx.beginPath();
      const [cx, cy, rx, ry] =
          [frame.x(item.x), frame.y(item.y), frame.rx(item.r), frame.ry(item.r)];
      if (item.start === undefined || item.end === undefined) {
        ctx.ellipse(cx, cy, rx, ry, 0, 0, 2 * Math.PI);
      } else {
        if (!KymataFinite(item.start, item.end)) continue;
        const arc = KymataDeviceArc(item, frame);
        ctx.ellipse(cx, cy, rx, ry, 0, arc.start, arc.end, arc.anticlockwise);
      }
      ctx.stroke();
    } else if (item.type === "text") {
      if (!KymataFinite(item.x, item.y, item.angle, item.size) || item.size <= 0) continue;
      const family = item.font ? `"${item.font}", ${KymataFontFamily}` : KymataFontFamily;
      ctx.save();
      ctx.translate(frame.x(item.x), frame.y(item.y));
      ctx.rotate((-item.angle * Math.PI) / 180);
      ctx.scale(frame.zoom, frame.zoom);
      ctx.font = `${KymataFontPixels(item.size)}px ${family}`;
      ctx.fillStyle = item.color;
      ctx.textBaseline = "alphabetic";
      // A light halo round the letters, as the desktop draws it, so that texts read over rays.
      ctx.strokeStyle = "rgba(255, 255, 255, 0.86)";
      ctx.lineWidth = KymataHaloWidth * KymataFontPixels(item.size);
      ctx.lineJoin = "round";
      ctx.strokeText(item.text, 0, KymataAscent(ctx, item.text));
      ctx.fillText(item.text, 0, KymataAscent(ctx, item.text));
      ctx.restore();
    }
  }
  strokeLines();
  ctx.restore();
}

/** The ascent of the context's current font: the distance from a text's top to its baseline. */
function KymataAscent(ctx, text) {
  const m = ctx.measureText(text || "M");
  return m.fontBoundingBoxAscent ?? m.actualBoundingBoxAscent ?? 0;
}

function KymataEscapeXml(text) {
  return text.replace(
      /[&<>"']/g,
      (c) => ({"&": "&amp;", "<": "&lt;", ">": "&gt;", "\"": "&quot;", "'": "&apos;"})[c]);
}

/** A number for SVG: at most three decimals, no trailing zeros. */
function KymataSvgNumber(value) {
  return String(Math.round(value * 1000) / 1000);
}

/**
 * The SVG elements of `recording` within `area` (SVG user units), as one string. `ascentOf`
 * gives the ascent of a font of so many pixels, measured as the canvas measures it.
 */
function KymataSvgItems(recording, area, ascentOf, zoom) {
  const frame = KymataFrame(recording, area, zoom);
  const n = KymataSvgNumber;
  const out = [];
  const stroke = (item, join) => {
    const width = Math.max(1, item.width) * frame.zoom;
    const dotted = item.style === "dotted";
    return (
        ` fill="none" stroke="${item.color}" stroke-width="${n(width)}"` +
        ` stroke-linecap="${dotted ? "butt" : "round"}" stroke-linejoin="${join}"` +
        (dotted ? ` stroke-dasharray="${n(width)} ${n(2 * width)}"` : ""));
  };
  for (const item of recording.items) {
    if (item.type === "line") {
      if (!KymataFinite(item.x1, item.y1, item.x2, item.y2)) continue;
      out.push(`<line x1="${n(frame.x(item.x1))}" y1="${n(frame.y(item.y1))}" x2="${
          n(frame.x(item.x2))}" y2="${n(frame.y(item.y2))}"${stroke(item, "round")}/>`);
    } else if (item.type === "polyline") {
      const runs = [[]];
      for (const [x, y] of item.points) {
        if (KymataFinite(x, y))
          runs[runs.length - 1].push(`${n(frame.x(x))},${n(frame.y(y))}`);
        else
          runs.push([]);
      }
      for (const run of runs)
        if (run.length > 1)
          out.push(`<polyline points="${run.join(" ")}"${stroke(item, "bevel")}/>`);
    } else if (item.type === "circle") {
      if (!KymataFinite(item.x, item.y, item.r)) continue;
      const [cx, cy, rx, ry] =
          [frame.x(item.x), frame.y(item.y), frame.rx(item.r), frame.ry(item.r)];
      if (item.start === undefined || item.end === undefined) {
        out.push(`<ellipse cx="${n(cx)}" cy="${n(cy)}" rx="${n(rx)}" ry="${n(ry)}"${
            stroke(item, "round")}/>`);
        continue;
      }
      if (!KymataFinite(item.start, item.end)) continue;
      const arc = KymataDeviceArc(item, frame);
      const at = (a) => `${n(cx + rx * Math.cos(a))} ${n(cy + ry * Math.sin(a))}`;
      // A full turn is two half arcs: one SVG arc cannot end where it starts.
      const middle = (arc.start + arc.end) / 2;
      out.push(
          `<path d="M ${at(arc.start)} A ${n(rx)} ${n(ry)} 0 0 ${arc.anticlockwise ? 0 : 1} ${
              at(middle)}` +
              ` A ${n(rx)} ${n(ry)} 0 0 ${arc.anticlockwise ? 0 : 1} ${at(arc.end)}"${
                  stroke(item, "round")}/>`,
      );
    } else if (item.type === "text") {
      if (!KymataFinite(item.x, item.y, item.angle, item.size) || item.size <= 0) continue;
      const pixels = KymataFontPixels(item.size);
      const family =
          item.font ? `'${KymataEscapeXml(item.font)}', ${KymataFontFamily}` : KymataFontFamily;
      out.push(
          `<text transform="translate(${n(frame.x(item.x))} ${n(frame.y(item.y))}) rotate(${
              n(-item.angle)}) scale(${n(frame.zoom)})"` +
              ` y="${n(ascentOf(pixels, family))}" font-family="${
                  KymataEscapeXml(family).replace(/&quot;/g, "'")}" font-size="${pixels}"` +
              ` fill="${item.color}" stroke="#ffffff" stroke-opacity="0.86" stroke-width="${
                  n(KymataHaloWidth * pixels)}"` +
              ` stroke-linejoin="round" paint-order="stroke" xml:space="preserve">${
                  KymataEscapeXml(item.text)}</text>`,
      );
    }
  }
  return out.join("\n");
}

/** A standalone SVG document of `recording` on a white square of `size` pixels. */
function KymataSvgDocument(recording, size, ascentOf, title) {
  const area = {x: 0, y: 0, width: size, height: size};
  return (
      `<?xml version="1.0" encoding="UTF-8"?>\n` +
      `<svg xmlns="http://www.w3.org/2000/svg" width="${size}" height="${size}" viewBox="0 0 ${
          size} ${size}">\n` +
      `<title>${KymataEscapeXml(title)}</title>\n` +
      `<rect width="${size}" height="${size}" fill="#ffffff"/>\n` +
      `<clipPath id="area"><rect width="${size}" height="${
          size}"/></clipPath>\n<g clip-path="url(#area)">\n` +
      KymataSvgItems(recording, area, ascentOf) + `\n</g>\n</svg>\n`);
}

/**
 * The recording that the module packed into its memory (`answer` from kymata_draw or
 * kymata_wave_layer: the address and count of its 32-bit floats and its strings), in the shape
 * of a figure document's recording: {scale, items}.
 */
function KymataUnpack(heap, answer) {
  const v = heap.subarray(answer.values / 4, answer.values / 4 + answer.count);
  const colour = (c) => `#${(c >>> 0).toString(16).padStart(6, "0")}`;
  const style = (s) => (s === 1 ? "dotted" : "solid");
  const roles = ["plain", "count", "axisCount"];
  const items = [];
  let i = 5;
  for (let n = 0; n < v[4]; ++n) {
    const kind = v[i];
    if (kind === 1) {
      items.push({
        type: "line",
        x1: v[i + 1],
        y1: v[i + 2],
        x2: v[i + 3],
        y2: v[i + 4],
        color: colour(v[i + 5]),
        width: v[i + 6],
        style: style(v[i + 7])
      });
      i += 8;
    } else if (kind === 2) {
      const circle = {
        type: "circle",
        x: v[i + 1],
        y: v[i + 2],
        r: v[i + 3],
        color: colour(v[i + 4]),
        width: v[i + 5],
        style: style(v[i + 6])
      };
      if (v[i + 7] === 1) Object.assign(circle, {start: v[i + 8], end: v[i + 9]});
      items.push(circle);
      i += 10;
    } else if (kind === 3) {
      items.push({
        type: "text",
        x: v[i + 1],
        y: v[i + 2],
        color: colour(v[i + 3]),
        size: v[i + 4],
        angle: v[i + 5],
        role: roles[v[i + 6]],
        text: answer.strings[v[i + 7]],
        font: answer.strings[v[i + 8]]
      });
      i += 9;
    } else {
      const count = v[i + 4];
      const points = new Array(count);
      for (let k = 0; k < count; ++k) points[k] = [v[i + 5 + 2 * k], v[i + 6 + 2 * k]];
      items.push({
        type: "polyline",
        color: colour(v[i + 1]),
        width: v[i + 2],
        style: style(v[i + 3]),
        points
      });
      i += 5 + 2 * count;
    }
  }
  return {scale: [v[0], v[1], v[2], v[3]], items};
}

if (typeof module !== "undefined") {
  module.exports = {
    KymataUnpack,
    KymataFitBox,
    KymataFrame,
    KymataDeviceArc,
    KymataSvgItems,
    KymataSvgDocument,
    KymataFontPixels
  };
}
