// Saving and printing on the page: the figure document, SVG and PNG of what the core recorded,
// and the page that PRINT prints, laid for the browser's print dialog.
"use strict";

/** The page's files and printing; `page` gives the page's state, its core and its drawing. */
function KymataFilesPart(page) {
  const {$, state} = page;

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
    const [phase, flash] = page.Motion();
    return page.core.figure(...page.Args(worksheet), phase, flash);
  }

  function Save(format, worksheet) {
    if (!page.core) return;
    const text = DocumentText(worksheet);
    const name = worksheet ? "kymata-worksheet" : "kymata-figure";
    if (format === "json") {
      Download(new Blob([text], {type: "application/json"}), `${name}.json`);
      return;
    }
    const recording = page.Parsed(text).canvas;
    if (format === "svg") {
      const svg = KymataSvgDocument(recording, KymataReferencePixels, AscentOf, "Kymata");
      Download(new Blob([svg], {type: "image/svg+xml"}), `${name}.svg`);
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
    KymataDrawCanvas(ctx, recording, {x: 0, y: 0, width: size, height: size});
    canvas.toBlob((blob) => {
      if (blob)
        Download(blob, `${name}.png`);
      else
        page.ShowProblems([`${state.texts.saveFailed}`]);
    }, "image/png");
  }

  /** Lays the page that PRINT prints into the print sheet, and shows on the canvas what
   *  printing leaves there. */
  function PreparePrint(worksheet) {
    if (!page.core) return;
    $("printPage").classList.remove("plan");
    const [phase, flash] = page.Motion();
    const printed = page.Parsed(page.core.page(...page.Args(worksheet), phase, flash));
    const mm = {width: 277, height: 190};
    const mmPerReferencePixel = 25.4 / KymataReferenceDpi;
    const items = KymataSvgItems(printed.page, {x: 0, y: 0, ...mm}, AscentOf, mmPerReferencePixel);
    $("printPage").innerHTML =
        `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${mm.width} ${mm.height}">` +
        `<clipPath id="printArea"><rect width="${mm.width}" height="${mm.height}"/></clipPath>` +
        `<g clip-path="url(#printArea)">${items}</g></svg>`;
    if (!worksheet) {
      page.ShowLabels(printed.labels);
      page.Paint([printed.canvas]);
    }
  }

  function Print(worksheet) {
    PreparePrint(worksheet);
    state.sheetLaid = true;
    window.print();
    state.sheetLaid = false;
  }

  return {Save, PreparePrint, Print, AscentOf};
}
