// The web page as a user meets it, in headless Chromium opened from file://: it starts with the
// address's setting, its read-outs read as the desktop's, the controls move by mouse and keys,
// the canvas is drawn, JSON saves are the desktop's documents byte for byte, PRINT prints one A4
// landscape page, bad addresses and a missing module are named in sentences, and not one
// request leaves the machine.
//
//   node tests/web/page_test.js WEB_FOLDER KYMATA
"use strict";

const {execFileSync} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const {Chromium} = require("./chromium.js");

const [webFolder, kymata] = process.argv.slice(2).map((p) => path.resolve(p));
const pageUrl = `file://${webFolder}/index.html`;
const work = fs.mkdtempSync(path.join(os.tmpdir(), "kymata-page-"));
let failures = 0;

function Check(ok, what) {
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  if (!ok) failures += 1;
}

/** The desktop's document for command-line options `args`. */
function Desktop(args, kind = "--export") {
  const file = path.join(work, `desktop-${Date.now()}.json`);
  execFileSync(
      kymata, [...args, kind, file], {env: {...process.env, QT_QPA_PLATFORM: "offscreen"}});
  return fs.readFileSync(file, "utf8");
}

const readOuts = `[1, 2, 3, 4].map((k) => document.getElementById("Label" + k).value)`;
const nonWhite = `(() => {
  const c = document.getElementById("EIKON");
  const d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
  let n = 0;
  for (let i = 0; i < d.length; i += 4) if (d[i] < 200 || d[i + 1] < 200 || d[i + 2] < 200) n++;
  return n;
})()`;

async function Ready(browser, fragment) {
  await browser.open(`${pageUrl}${fragment}`);
  await browser.until(`document.body.dataset.ready`);
}

/** Saves by clicking the button `selector` and returns the downloaded file's text. */
async function Download(browser, selector, name) {
  const file = path.join(work, name);
  fs.rmSync(file, {force: true});
  const done = browser.event("Browser.downloadProgress", 20000, (p) => p.state === "completed");
  await browser.eval(`document.querySelector('${selector}').click()`);
  await done;
  return fs.readFileSync(file);
}

async function Main() {
  const browser = await Chromium.launch({scale: 2});
  await browser.send(
      "Browser.setDownloadBehavior", {behavior: "allow", downloadPath: work, eventsEnabled: true},
      null);
  try {
    // Opened with a setting in the address.
    const started = Date.now();
    await Ready(browser, "#source=-30&index=1.65&hyperbola=1&lang=en");
    Check(
        (await browser.eval("document.body.dataset.ready")) === "yes",
        `the module loads from file:// (${Date.now() - started} ms)`);
    let desktop =
        JSON.parse(Desktop(["--source", "-30", "--index", "1.65", "--hyperbola", "--lang", "en"]));
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(desktop.labels)),
        "read-outs of the address's setting are the desktop's");
    Check(
        (await browser.eval("document.documentElement.lang")) === "en",
        "the page's lang follows the language");
    Check(
        (await browser.eval(`document.querySelector('meta[name="description"]').content`))
            .startsWith("Kymata shows why a lens focuses"),
        "and so does its description");
    Check(
        (await browser.eval(`document.documentElement.getAttribute("translate")`)) === "no",
        "the browser is told not to translate a page whose language is right");
    Check(
        (await browser.eval(
            `document.getElementById("YPERVOLIKO").checked && document.getElementById("AGLIKA").checked`)) ===
            true,
        "the switches show the address's setting");
    Check(
        (await browser.eval(
            `document.getElementById("initial_POINT").getAttribute("aria-label")`)) ===
            "Source position",
        "the sliders have names in the current language");
    const canvasSays =
        await browser.eval(`document.getElementById("EIKON-description").textContent`);
    Check(
        canvasSays.startsWith(
            "Hyperbolic lens construction. The source is 30 wavelengths in front of the lens's tip, target point F 5 wavelengths behind the lens, refractive index 1.65"),
        `the canvas says what it shows: ${canvasSays.slice(0, 120)}`);
    const ratio = await browser.eval(
        `document.getElementById("EIKON").width / document.getElementById("EIKON").getBoundingClientRect().width`);
    Check(
        Math.abs(ratio - 2) < 0.01,
        `the canvas is sharp on a high-density screen (${ratio} device pixels a CSS pixel)`);
    Check((await browser.eval(nonWhite)) > 5000, "the canvas is drawn");

    // The language, by clicking.
    await browser.eval(`document.getElementById("ELLINIKA").click()`);
    desktop = JSON.parse(Desktop(["--source", "-30", "--index", "1.65", "--hyperbola"]));
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(desktop.labels)),
        "GREEK redraws with the Greek read-outs");
    Check(
        (await browser.eval("document.documentElement.lang")) === "el" &&
            (await browser.eval(
                `document.getElementById("initial_POINT").getAttribute("aria-label")`)) ===
                "Θέση πηγής",
        "GREEK turns the page's lang and names to Greek");
    const heading = `[document.title, document.querySelector('meta[name="description"]').content]`;
    const [greekTitle, greekDescription] = await browser.eval(heading);
    Check(
        greekTitle === "Kymata — ΣΧΕΔΙΑΣΗ ΑΚΤΙΝΩΝ ΚΑΙ ΠΡΟΣΠΤΩΣΗΣ",
        `the page's title is the window's, in Greek: ${greekTitle}`);
    Check(
        greekDescription.startsWith("Το Kymata δείχνει γιατί ένας φακός εστιάζει"),
        `and its description: ${greekDescription.slice(0, 60)}…`);
    const address = "#source=-30&focus=5&index=1.65&thickness=20&hyperbola=1&lang=el";
    await browser.until(`location.hash === "${address}"`, 1000).catch(() => {});
    Check((await browser.eval("location.hash")) === address, "the address follows the controls");

    // Keys on the focused sliders: arrows step 1, Page Up/Down the track step.
    await browser.eval(`document.getElementById("YPERVOLIKO").click()`);
    await browser.eval(`document.getElementById("initial_POINT").focus()`);
    await browser.press("ArrowRight");
    await browser.press("PageUp");
    await browser.eval(`document.getElementById("pachos").focus()`);
    await browser.press("PageDown");
    await browser.press("ArrowLeft");
    const values = await browser.eval(
        `["initial_POINT", "pachos"].map((id) => Number(document.getElementById(id).value))`);
    Check(
        JSON.stringify(values) === JSON.stringify([-19, 14]),
        `arrow keys step 1 and Page Up/Down the track step (${values})`);
    desktop = JSON.parse(Desktop(["--source", "-19", "--index", "1.65", "--thickness", "14"]));
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(desktop.labels)),
        "read-outs after the keys are the desktop's");

    // Moving a slider through the DOM, as a drag does.
    await browser.eval(
        `(() => { const s = document.getElementById("fOCUS_POINT"); s.value = "17"; s.dispatchEvent(new Event("input", { bubbles: true })); })()`);
    const focusArgs = ["--source", "-19", "--focus", "17", "--index", "1.65", "--thickness", "14"];
    desktop = Desktop(focusArgs);
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(JSON.parse(desktop).labels)),
        "a dragged slider redraws at once");
    // A long drag, back and forth 300 times: the address still ends on the last setting (the
    // browser drops changes of the address that come too fast).
    await browser.eval(
        `(() => { const s = document.getElementById("fOCUS_POINT"); for (let k = 0; k <= 300; ++k) { s.value = String(17 + (k % 30)); s.dispatchEvent(new Event("input", { bubbles: true })); } })()`);
    await browser.eval(
        `(() => { const s = document.getElementById("fOCUS_POINT"); s.value = "17"; s.dispatchEvent(new Event("input", { bubbles: true })); })()`);
    await new Promise((r) => setTimeout(r, 400));
    Check(
        (await browser.eval("location.hash")).includes("focus=17&"),
        `after a long drag the address holds the last setting (${
            await browser.eval("location.hash")})`);
    const saved =
        await Download(browser, "[data-save=\"json\"]:not([data-worksheet])", "kymata-figure.json");
    Check(
        saved.toString("utf8") === desktop,
        "Save as JSON writes the desktop's document byte for byte");
    const sheet = await Download(
        browser, "[data-save=\"json\"][data-worksheet=\"1\"]", "kymata-worksheet.json");
    Check(
        sheet.toString("utf8") === Desktop([...focusArgs, "--worksheet"]),
        "the worksheet's JSON is the desktop's too");
    const svg =
        (await Download(browser, "[data-save=\"svg\"]:not([data-worksheet])", "kymata-figure.svg"))
            .toString("utf8");
    Check(
        svg.startsWith("<?xml") && (svg.match(/<line /g) || []).length > 100 &&
            svg.includes("#L ="),
        "Save as SVG writes the figure's lines and texts");
    const png =
        await Download(browser, "[data-save=\"png\"]:not([data-worksheet])", "kymata-figure.png");
    Check(
        png.subarray(1, 4).toString() === "PNG" && png.readUInt32BE(16) === 1000,
        "Save as PNG writes a 1000-pixel image");

    // The wave view and its ledger.
    await browser.eval(`document.getElementById("waveView").click()`);
    Check(
        (await browser.eval(
            `!document.getElementById("ledger").hidden && document.querySelectorAll("#ledgerTable tbody tr").length === 25`)) ===
            true,
        "WAVE VIEW shows the ledger of 25 rays");
    const waves =
        await Download(browser, "[data-save=\"json\"]:not([data-worksheet])", "kymata-figure.json");
    Check(
        waves.toString("utf8") === Desktop([...focusArgs, "--view", "waves"]),
        "the wave view's document is the desktop's");
    await browser.eval(`document.getElementById("perfectLens").click()`);
    const perfect =
        await Download(browser, "[data-save=\"json\"]:not([data-worksheet])", "kymata-figure.json");
    Check(
        perfect.toString("utf8") ===
            Desktop([...focusArgs, "--view", "waves", "--lens", "perfect"]),
        "PERFECT LENS's document is the desktop's");
    await browser.eval(`document.getElementById("playButton").click()`);
    await new Promise((r) => setTimeout(r, 300));
    const playing = await browser.eval(
        `[Kymata.state.playing, Kymata.state.phase > 0, document.getElementById("playButton").textContent]`);
    Check(
        playing[0] && playing[1] && playing[2] === "ΠΑΥΣΗ ❚❚",
        `PLAY moves the crests (${playing})`);
    await browser.eval(`document.getElementById("EIKON").focus()`);
    await browser.press(" ");
    Check((await browser.eval("Kymata.state.playing")) === false, "Space pauses");
    await browser.press("F6");
    Check(
        (await browser.eval("Kymata.state.settings.view")) === "classic",
        "F6 leaves the wave view");

    // PRINT: the desktop's printed page, alone, on one A4 landscape sheet.
    // The browser's print dialog is the user's; here it only records that PRINT opened it.
    await browser.eval(
        `window.print = () => { window.printAsked = true; }; document.getElementById("Command1").click()`);
    Check(
        (await browser.eval("window.printAsked")) === true,
        "PRINT opens the browser's print dialog");
    const pdf =
        await browser.send("Page.printToPDF", {preferCSSPageSize: true, printBackground: true});
    const pdfFile = path.join(work, "print.pdf");
    fs.writeFileSync(pdfFile, Buffer.from(pdf.data, "base64"));
    const info = execFileSync("pdfinfo", [pdfFile]).toString();
    Check(
        /Pages:\s+1\n/.test(info) && /Page size:\s+841\.\d+ x 59[45]\.\d+ pts/.test(info),
        `PRINT prints one A4 landscape page (${(info.match(/Page size:.*/) || [""])[0]})`);
    const printedItems =
        await browser.eval(`document.querySelectorAll("#printPage svg line").length`);
    const page = JSON.parse(Desktop(focusArgs, "--print-to"));
    const pageLines = page.page.items.filter((i) => i.type === "line").length;
    Check(
        printedItems === pageLines,
        `the printed sheet holds the desktop page's ${pageLines} lines (${printedItems})`);
    const sheetTexts =
        `[...document.querySelectorAll("#printPage svg text")].map((t) => t.textContent)`;
    const pageTexts = (p) => p.page.items.filter((i) => i.type === "text").map((i) => i.text);
    Check(
        JSON.stringify(await browser.eval(sheetTexts)) === JSON.stringify(pageTexts(page)),
        "the printed sheet's texts are the desktop page's");
    await browser.eval(`document.getElementById("printWorksheet").click()`);
    const worksheet = JSON.parse(Desktop([...focusArgs, "--worksheet"], "--print-to"));
    Check(
        JSON.stringify(await browser.eval(sheetTexts)) === JSON.stringify(pageTexts(worksheet)),
        "\"Print worksheet…\" lays the desktop's worksheet page, its counts blank");

    // A bad address: each fault named, the start values used.
    await Ready(browser, "#source=abc&focus=90&index=1.655&colour=red&lang=en");
    const problems = await browser.eval(
        `[...document.querySelectorAll("#problems li")].map((li) => li.textContent)`);
    Check(
        problems.length === 4 && problems[0].includes("source=abc") &&
            problems[1].includes("focus=90") && problems[2].includes("index=1.655") &&
            problems[3].includes("colour"),
        `a bad address is named, one sentence a fault:\n       ${problems.join("\n       ")}`);
    const startValues = await browser.eval(
        `["initial_POINT", "fOCUS_POINT", "n_DIATHLASI"].map((id) => Number(document.getElementById(id).value))`);
    Check(JSON.stringify(startValues) === "[-20,5,150]", "and the start values are used");
    Check((await browser.eval(nonWhite)) > 5000, "and the figure is drawn");

    // The lesson: opened at a step by the address, the desktop's words and scene; a remote's
    // Page Down steps on; a step beyond the last is named and the lesson starts at step 1.
    await Ready(browser, "#lesson=3&lang=en");
    const step3 = JSON.parse(Desktop(["--lesson", "3", "--lang", "en"]));
    const lessonSays =
        `[document.getElementById("lessonProgress").textContent, document.getElementById("lessonTitle").textContent, document.getElementById("lessonText").textContent, document.getElementById("lesson").hidden]`;
    let shown = await browser.eval(lessonSays);
    Check(
        shown[0] === "Step 3 of 10" && shown[1] === step3.lesson.title &&
            shown[2] === step3.lesson.text && !shown[3],
        `#lesson=3 opens the lesson at step 3 with the desktop's words: ${shown[1]}`);
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(step3.labels)),
        "and the step's scene, as the desktop's");
    await browser.eval(
        `document.dispatchEvent(new KeyboardEvent("keydown", { key: "PageDown", bubbles: true }))`);
    const step4 = JSON.parse(Desktop(["--lesson", "4", "--lang", "en"]));
    shown = await browser.eval(lessonSays);
    await browser.until(`location.hash.includes("lesson=4")`, 1000).catch(() => {});
    Check(
        shown[1] === step4.lesson.title &&
            (await browser.eval("location.hash")).includes("lesson=4"),
        `Page Down steps on to step 4 (${shown[1]}), and the address follows`);
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(step4.labels)),
        "with step 4's scene");
    await browser.eval(`document.getElementById("lessonShowAnswer").click()`);
    Check(
        (await browser.eval(`document.getElementById("lessonAnswer").textContent`))
            .endsWith(step4.lesson.answer),
        "the answer shows on request");
    await browser.eval(
        `document.dispatchEvent(new KeyboardEvent("keydown", { key: "Escape", bubbles: true }))`);
    // The address follows within a tenth of a second (the browser takes only so many changes).
    const left = `document.getElementById("lesson").hidden && !location.hash.includes("lesson")`;
    await browser.until(left, 1000).catch(() => {});
    Check((await browser.eval(left)) === true, "Esc leaves the lesson");
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(step4.labels)),
        "and keeps the scene");
    await Ready(browser, "#lesson=99&lang=en");
    const lessonProblems = await browser.eval(
        `[...document.querySelectorAll("#problems li")].map((li) => li.textContent)`);
    shown = await browser.eval(lessonSays);
    Check(
        lessonProblems.length === 1 && lessonProblems[0].includes("lesson=99") &&
            shown[0] === "Step 1 of 10",
        `a step beyond the last is named and the lesson starts at step 1: ${
            lessonProblems.join(" ")}`);

    // B moves F to the best focus, as the window's B does, and says so.
    await Ready(browser, "#source=-200&view=waves&lang=en");
    await browser.eval(
        `document.dispatchEvent(new KeyboardEvent("keydown", { key: "b", code: "KeyB", bubbles: true }))`);
    const best = await browser.eval(
        `[Number(document.getElementById("fOCUS_POINT").value), document.getElementById("bestFocusSaid").textContent]`);
    Check(
        best[0] === 8 && best[1].startsWith("F is moved to 8 wavelengths"),
        `B moves F to the best focus: ${best[1]}`);

    // Without its module the page says so.
    const broken = path.join(work, "broken");
    fs.mkdirSync(broken);
    for (const file of fs.readdirSync(webFolder))
      if (file !== "kymata-module.js")
        fs.copyFileSync(path.join(webFolder, file), path.join(broken, file));
    await browser.open(`file://${broken}/index.html#lang=en`);
    await browser.until(`document.body.dataset.ready`);
    const status = await browser.eval(
        `document.getElementById("status").hidden ? "" : document.getElementById("status").textContent`);
    Check(
        status.startsWith("The figure cannot be drawn"),
        `a module that does not load is named: "${status}"`);

    const away = browser.requests.filter((url) => !/^(file|data|blob):/.test(url));
    Check(
        away.length === 0,
        `no request leaves the machine (${
            browser.requests.length} requests, all file:, data: or blob:${
            away.length ? `; not: ${away.join(", ")}` : ""})`);
  } finally {
    await browser.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
  console.log(failures ? `${failures} checks failed` : "all checks passed");
  process.exit(failures ? 1 : 0);
}

Main().catch((error) => {
  console.error(error.stack || error);
  process.exit(1);
});
