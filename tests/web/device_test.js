// The web edition on the devices a school has, in headless Chromium: a phone, a tablet, a laptop
// and a board's screen lay the figure, the lesson and the ledger as a class needs them, every
// control can be hit with a finger, a finger moves a scroll bar and swipes the lesson on; the
// one-file edition works alone from a folder of its own; the served folder is an installable
// web app that opens offline once it has been visited; nothing reaches beyond this machine.
//
//   node tests/web/device_test.js WEB_FOLDER KYMATA
"use strict";

const {execFileSync} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const {Chromium} = require("./chromium.js");
const {Serve} = require("../../tools/web/serve.js");

const [webFolder, kymata] = process.argv.slice(2).map((p) => path.resolve(p));
const work = fs.mkdtempSync(path.join(os.tmpdir(), "kymata-device-"));
let failures = 0;

function Check(ok, what) {
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  if (!ok) failures += 1;
}

function Desktop(args) {
  const file = path.join(work, `desktop-${Date.now()}.json`);
  execFileSync(
      kymata, [...args, "--export", file], {env: {...process.env, QT_QPA_PLATFORM: "offscreen"}});
  return fs.readFileSync(file, "utf8");
}

/** A browser with the screen of a device: `width` × `height` CSS pixels at `scale`, a touch
 *  screen or a mouse. */
async function Device({width, height, scale, touch}, options = {}) {
  const browser = await Chromium.launch({scale, width, height, ...options});
  await browser.send(
      "Emulation.setDeviceMetricsOverride",
      {width, height, deviceScaleFactor: scale, mobile: touch});
  await browser.send(
      "Emulation.setTouchEmulationEnabled", {enabled: touch, maxTouchPoints: touch ? 5 : 1});
  return browser;
}

async function Ready(browser, url) {
  await browser.open(url);
  await browser.until("document.body.dataset.ready");
  return browser.eval("document.body.dataset.ready");
}

// What a user can see and hit, measured in the page: the boxes of the canvas, the lesson and the
// ledger; whatever sticks out at the right; the controls smaller than a fingertip.
const Measure = `(() => {
  const box = (id) => { const r = document.getElementById(id).getBoundingClientRect(); return { left: r.left, right: r.right, top: r.top, bottom: r.bottom }; };
  const seen = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== "hidden";
  const width = document.documentElement.clientWidth;
  const out = [...document.querySelectorAll("#app *")].filter((e) => seen(e) && !e.closest(".table") && e.getBoundingClientRect().right > width + 0.5).map((e) => e.id || e.tagName);
  const table = document.querySelector("#ledger .table");
  // A control's target: a check box or radio button is hit through its whole label.
  const target = (e) => (e.matches("input[type=checkbox], input[type=radio]") ? e.closest("label") : e);
  const small = [...document.querySelectorAll("button, input, select")].filter(seen).map(target)
    .filter((t) => { const r = t.getBoundingClientRect(); return r.width < 44 || r.height < 44; })
    .map((t) => t.id || t.textContent.trim().slice(0, 20) || t.tagName);
  const hints = [...document.querySelectorAll(".keys")].filter((e) => seen(e) && e.textContent).length;
  return { width, height: innerHeight, scroll: document.documentElement.scrollWidth, canvas: box("EIKON"), lesson: box("lesson"),
           ledger: box("ledger"), summary: box("ledgerSummary"), out, tableFits: table.scrollWidth <= table.clientWidth + 1, small, hints };
})()`;

const Devices = [
  {name: "phone 390×844", width: 390, height: 844, scale: 3, touch: true},
  {name: "tablet 768×1024", width: 768, height: 1024, scale: 2, touch: true},
  {name: "laptop 1280×800", width: 1280, height: 800, scale: 1, touch: false},
  {name: "touch laptop 1280×800", width: 1280, height: 800, scale: 1, touch: true},
  {name: "board 1920×1080", width: 1920, height: 1080, scale: 1, touch: false},
];

async function Layouts() {
  for (const device of Devices) {
    const browser = await Device(device);
    try {
      for (const lang of ["el", "en"]) {
        await Ready(browser, `file://${webFolder}/index.html#lesson=4&lang=${lang}`);
        const m = await browser.eval(Measure);
        const at = `${device.name}, ${lang}`;
        Check(
            m.scroll <= m.width && m.out.length === 0,
            `${at}: nothing cut off at the right (${
                m.out.join(", ") || "page " + m.scroll + " px"})`);
        Check(m.tableFits, `${at}: the ledger's class columns fit their box`);
        if (device.width >= 1000) {
          const beside = m.lesson.left >= m.canvas.right && m.ledger.left >= m.canvas.right;
          const inView = m.ledger.top < m.height && m.summary.top < m.height &&
              m.canvas.bottom <= m.height + 1;
          Check(
              beside && inView,
              `${at}: the lesson and the ledger's summary stand beside the figure, all in view`);
        } else {
          Check(
              m.lesson.top >= m.canvas.bottom && m.ledger.top >= m.lesson.bottom,
              `${at}: below the figure, the lesson then the ledger`);
        }
        if (device.touch) {
          Check(
              m.small.length === 0,
              `${at}: every control at least 44×44 CSS px${
                  m.small.length ? `; not: ${m.small.join(", ")}` : ""}`);
          Check(m.hints === 0, `${at}: no key hints on a touch screen`);
        } else {
          Check(m.hints > 0, `${at}: key hints where there is a keyboard`);
        }
      }
    } finally {
      await browser.close();
    }
  }
}

/** One finger from (x0, y0) to (x1, y1) in `steps` moves. */
async function Drag(browser, x0, y0, x1, y1, steps = 8) {
  await browser.send(
      "Input.dispatchTouchEvent", {type: "touchStart", touchPoints: [{x: x0, y: y0}]});
  for (let k = 1; k <= steps; ++k) {
    const t = k / steps;
    await browser.send(
        "Input.dispatchTouchEvent",
        {type: "touchMove", touchPoints: [{x: x0 + (x1 - x0) * t, y: y0 + (y1 - y0) * t}]});
  }
  await browser.send("Input.dispatchTouchEvent", {type: "touchEnd", touchPoints: []});
  // A tap while the page still glides from a drag stops the glide and is no tap.
  await new Promise((r) => setTimeout(r, 500));
}

/** The centre of the element `selector` on the screen, in CSS pixels, scrolled into view first
 *  (`block` as `scrollIntoView` takes it) unless `block` is null. */
function CentreOf(browser, selector, block = "center") {
  return browser.eval(`(() => {
    const e = document.querySelector(${JSON.stringify(selector)});
    if (${JSON.stringify(block)} !== null) e.scrollIntoView({ block: ${JSON.stringify(block)} });
    const r = e.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  })()`);
}

/** A server of `folder` on this machine, listening on a free port, and its origin. */
async function Listening(folder) {
  const server = Serve(folder);
  await new Promise((r) => server.listen(0, "127.0.0.1", r));
  return {server, origin: `http://localhost:${server.address().port}`};
}

/** A fingertip's tap at `point`: down, a moment, up (a tap shorter than a finger's is no tap). */
async function Tap(browser, point) {
  await browser.send("Input.dispatchTouchEvent", {type: "touchStart", touchPoints: [point]});
  await new Promise((r) => setTimeout(r, 80));
  await browser.send("Input.dispatchTouchEvent", {type: "touchEnd", touchPoints: []});
}

async function Touch() {
  const browser = await Device(Devices[0]);
  try {
    await Ready(browser, `file://${webFolder}/index.html#lang=en`);
    const readOuts = `[1, 2, 3, 4].map((k) => document.getElementById("Label" + k).value)`;
    // The source's scroll bar, dragged by its thumb from -20 towards -200.
    await browser.eval(
        `document.getElementById("initial_POINT").scrollIntoView({ block: "center" })`);
    const bar = await browser.eval(
        `(() => { const r = document.getElementById("initial_POINT").getBoundingClientRect(); return { left: r.left, width: r.width, y: r.top + r.height / 2 }; })()`);
    const thumb = bar.left + bar.width * ((-20 - -200) / (-3 - -200));
    await Drag(browser, thumb, bar.y, bar.left + bar.width * 0.5, bar.y);
    const source = await browser.eval(`Number(document.getElementById("initial_POINT").value)`);
    Check(
        source < -80 && source > -120,
        `a finger drags the source's scroll bar to the middle (${source})`);
    let desktop = JSON.parse(Desktop(["--source", String(source), "--lang", "en"]));
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(desktop.labels)),
        "and the read-outs are the desktop's for it");
    // Its + button, tapped.
    const plus = await CentreOf(browser, "#initial_POINT + .step", null);
    await Tap(browser, plus);
    Check(
        (await browser.eval(`Number(document.getElementById("initial_POINT").value)`)) ===
            source + 1,
        "a tap on + steps the scroll bar by one");

    // The lesson, swiped on across the figure; a swipe back returns; a finger down the figure
    // scrolls and steps nothing.
    await Ready(browser, `file://${webFolder}/index.html#lesson=2&lang=en`);
    const canvas = await CentreOf(browser, "#EIKON", "start");
    const step = `Kymata.state.settings.lesson`;
    await Drag(browser, canvas.x + 120, canvas.y, canvas.x - 120, canvas.y + 10);
    Check(
        (await browser.eval(step)) === 3,
        "a swipe to the left across the figure steps the lesson on");
    const three = JSON.parse(Desktop(["--lesson", "3", "--lang", "en"]));
    Check(
        JSON.stringify(await browser.eval(readOuts)) ===
            JSON.stringify(Object.values(three.labels)),
        "with the step's scene");
    await Drag(browser, canvas.x - 120, canvas.y, canvas.x + 120, canvas.y);
    Check((await browser.eval(step)) === 2, "a swipe to the right steps it back");
    await Drag(browser, canvas.x, canvas.y + 100, canvas.x + 20, canvas.y - 100);
    Check((await browser.eval(step)) === 2, "a finger up the figure steps nothing");
    const next = await CentreOf(browser, "#lessonNext");
    await Tap(browser, next);
    Check((await browser.eval(step)) === 3, "a tap on Next steps it on");

    // Two fingers spread apart on the figure enlarge it.
    const c = await CentreOf(browser, "#EIKON", "start");
    await browser.send("Input.dispatchTouchEvent", {
      type: "touchStart",
      touchPoints: [{x: c.x - 30, y: c.y, id: 1}, {x: c.x + 30, y: c.y, id: 2}]
    });
    await browser.send("Input.dispatchTouchEvent", {
      type: "touchMove",
      touchPoints: [{x: c.x - 90, y: c.y, id: 1}, {x: c.x + 90, y: c.y, id: 2}]
    });
    await browser.send("Input.dispatchTouchEvent", {type: "touchEnd", touchPoints: []});
    const scale = await browser.eval("Kymata.state.view.scale");
    Check(
        Math.abs(scale - 3) < 0.01,
        `two fingers spread threefold enlarge the figure threefold (${scale})`);
    Check((await browser.eval(step)) === 3, "and step no lesson");
  } finally {
    await browser.close();
  }
}

async function OneFile() {
  const alone = path.join(work, "usb-stick");
  fs.mkdirSync(alone);
  fs.copyFileSync(path.join(webFolder, "kymata.html"), path.join(alone, "kymata.html"));
  const bytes = fs.statSync(path.join(alone, "kymata.html")).size;
  Check(bytes < 2 * 1024 * 1024, `kymata.html is under 2 MB (${(bytes / 1048576).toFixed(2)} MB)`);
  const browser = await Device(Devices[2]);
  try {
    await browser.send(
        "Browser.setDownloadBehavior", {behavior: "allow", downloadPath: work, eventsEnabled: true},
        null);
    const ready = await Ready(browser, `file://${alone}/kymata.html#source=-44&view=waves&lang=en`);
    Check(ready === "yes", "kymata.html alone in a folder opens and draws");
    const saved = path.join(work, "kymata-figure.json");
    const done = browser.event("Browser.downloadProgress", 20000, (p) => p.state === "completed");
    await browser.eval(
        `document.querySelector('[data-save="json"]:not([data-worksheet])').click()`);
    await done;
    Check(
        fs.readFileSync(saved, "utf8") ===
            Desktop(["--source", "-44", "--view", "waves", "--lang", "en"]),
        "and saves the desktop's JSON byte for byte");
    const touchIcon = await browser.eval(
        `document.querySelector('link[rel="apple-touch-icon"]').href.slice(0, 22)`);
    Check(touchIcon === "data:image/png;base64,", "the home-screen icon is inside it");
    const away = browser.requests.filter(
        (url) => !/^(data|blob):/.test(url) && url !== `file://${alone}/kymata.html` &&
            url !== "about:blank");
    Check(
        away.length === 0, `it asks for no other file${away.length ? `: ${away.join(", ")}` : ""}`);
  } finally {
    await browser.close();
  }
  // Uploaded to a course site: served over http, it draws as well, and asks for no service
  // worker, which would have nothing beside it to keep.
  const {server, origin} = await Listening(alone);
  const site = await Device(Devices[0], {loopback: true});
  try {
    const ready = await Ready(site, `${origin}/kymata.html#lang=el`);
    const quiet = await site.eval(
        `document.getElementById("status").hidden && document.getElementById("problems").hidden`);
    const workers =
        await site.eval(`navigator.serviceWorker.getRegistrations().then((r) => r.length)`);
    Check(
        ready === "yes" && quiet && workers === 0,
        "served from a course site, kymata.html draws, registers no service worker and says nothing alarming");
  } finally {
    await site.close();
    server.close();
  }
}

async function Served() {
  const {server, origin} = await Listening(webFolder);
  const browser = await Device(Devices[1], {loopback: true});
  try {
    await Ready(browser, `${origin}/index.html#lang=en`);
    await browser.eval(`navigator.serviceWorker.ready.then(() => true)`);
    const {installabilityErrors} = await browser.send("Page.getInstallabilityErrors");
    Check(
        installabilityErrors.length === 0,
        `served, the page is an installable web app${
            installabilityErrors.length ?
                `: ${installabilityErrors.map((e) => e.errorId).join(", ")}` :
                ""}`);
    const manifest = await browser.send("Page.getAppManifest");
    const parsed = JSON.parse(manifest.data || "{}");
    Check(
        parsed.name === "Kymata" && parsed.icons.length > 0 && parsed.theme_color &&
            parsed.background_color,
        "its manifest names it, with an icon and colours");
    // Every icon it names is there, as the image it says, and so is the tablet's home-screen icon.
    const icons = await browser.eval(`(async () => {
      const named = [...${
        JSON.stringify(parsed.icons.map(
            (i) =>
                i.src))}, document.querySelector('link[rel="apple-touch-icon"]').getAttribute("href")];
      return Promise.all(named.map(async (src) => {
        const answer = await fetch(src);
        const image = new Image();
        image.src = URL.createObjectURL(await answer.blob());
        await image.decode();
        return { src, ok: answer.ok, type: answer.headers.get("content-type"), width: image.naturalWidth };
      }));
    })()`);
    const sized = {"kymata-icon-512.png": 512, "kymata-icon-180.png": 180};
    Check(
        icons.every(
            (i) => i.ok && i.type.startsWith("image/") && i.width === (sized[i.src] ?? i.width)),
        `the icons are served as images of their sizes (${
            icons.map((i) => `${i.src} ${i.width}`).join(", ")})`);
    // Reloaded under the worker's control, then with the server gone and the network off.
    await Ready(browser, `${origin}/index.html#lang=en`);
    Check(
        await browser.eval("navigator.serviceWorker.controller !== null"),
        "the service worker keeps the edition");
    await new Promise((r) => server.close(r));
    server.closeAllConnections?.();
    await browser.send(
        "Network.emulateNetworkConditions",
        {offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1});
    const offline = await Ready(browser, `${origin}/index.html#source=-60&lang=en`);
    const drawn = await browser.eval(
        `Kymata.state.canvas !== null && document.getElementById("Label1").value.includes("60")`);
    Check(offline === "yes" && drawn, "offline, with no server, the second visit opens and draws");
    const away = browser.requests.filter(
        (url) =>
            !/^(data|blob):/.test(url) && !url.startsWith(`${origin}/`) && url !== "about:blank");
    Check(
        away.length === 0,
        `no request leaves the machine${away.length ? `: ${away.join(", ")}` : ""}`);
  } finally {
    await browser.close();
    server.close();
  }
}

/** A browser that refuses the service worker (here: the server has none to give) still gets
 *  the whole page, and no word about it. */
async function WorkerRefused() {
  const folder = path.join(work, "no-worker");
  fs.mkdirSync(folder);
  for (const file of fs.readdirSync(webFolder))
    if (file !== "sw.js") fs.copyFileSync(path.join(webFolder, file), path.join(folder, file));
  const {server, origin} = await Listening(folder);
  const browser = await Device(Devices[0], {loopback: true});
  try {
    const ready = await Ready(browser, `${origin}/index.html#source=abc&lang=en`);
    await new Promise((r) => setTimeout(r, 500));
    const said = await browser.eval(
        `[document.getElementById("status").hidden, [...document.querySelectorAll("#problems li")].map((li) => li.textContent)]`);
    Check(
        ready === "yes" && said[0] && said[1].length === 1 && said[1][0].includes("source=abc"),
        `with its service worker refused the page draws and says only what the address got wrong (${
            said[1].join(" ")})`);
  } finally {
    await browser.close();
    server.close();
  }
}

async function Main() {
  try {
    await Layouts();
    await Touch();
    await OneFile();
    await Served();
    await WorkerRefused();
  } finally {
    fs.rmSync(work, {recursive: true, force: true});
  }
  console.log(failures ? `${failures} checks failed` : "all checks passed");
  process.exit(failures ? 1 : 0);
}

Main().catch((error) => {
  console.error(error.stack || error);
  process.exit(1);
});
