// Drives Debian's headless Chromium through the DevTools protocol over a pipe (no port, no
// WebSocket, nothing to install): open a page, run script in it, press keys, record every
// request it makes, print it to PDF.
"use strict";

const {spawn} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

class Chromium {
  /** Starts the browser; `scale` is the screen's device pixel ratio. With `loopback` it may
   *  reach a server on this machine; nothing beyond it either way. */
  static async launch({scale = 1, width = 1600, height = 1000, loopback = false} = {}) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kymata-chromium-"));
    const binary = process.env.CHROMIUM || "/usr/bin/chromium";
    const args = [
      "--headless",
      "--no-sandbox",
      "--disable-gpu",
      "--disable-quic",
      "--no-first-run",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--disable-extensions",
      "--disable-default-apps",
      "--mute-audio",
      // Any request that tried to leave the machine would go to a proxy that is not there.
      // Chromium sends requests for this machine past the proxy unless told "<-loopback>".
      "--proxy-server=127.0.0.1:9",
      ...(loopback ? [] : ["--proxy-bypass-list=<-loopback>"]),
      `--force-device-scale-factor=${scale}`,
      `--window-size=${width},${height}`,
      `--user-data-dir=${profile}`,
      "--remote-debugging-pipe",
      "about:blank",
    ];
    // Its own process group, so that closing ends every process of the browser.
    const child =
        spawn(binary, args, {stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"], detached: true});
    const browser = new Chromium(child, profile);
    await browser.attach();
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.next = 1;
    this.waiting = new Map();
    this.listeners = [];
    this.requests = [];
    this.stderr = "";
    let buffer = "";
    child.stderr.on("data", (d) => (this.stderr += d));
    child.stdio[4].on("data", (chunk) => {
      buffer += chunk.toString("utf8");
      let end;
      while ((end = buffer.indexOf("\0")) >= 0) {
        const message = JSON.parse(buffer.slice(0, end));
        buffer = buffer.slice(end + 1);
        this.receive(message);
      }
    });
    child.on("exit", (code) => {
      for (const {reject} of this.waiting.values())
        reject(new Error(`chromium exited (${code}): ${this.stderr.slice(-2000)}`));
      this.waiting.clear();
    });
  }

  receive(message) {
    if (message.id !== undefined) {
      const pending = this.waiting.get(message.id);
      this.waiting.delete(message.id);
      if (!pending) return;
      if (message.error)
        pending.reject(new Error(`${pending.method}: ${message.error.message}`));
      else
        pending.resolve(message.result);
      return;
    }
    if (message.method === "Network.requestWillBeSent")
      this.requests.push(message.params.request.url.slice(0, 200));
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}, sessionId = this.session) {
    const id = this.next++;
    const message = {id, method, params};
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, {resolve, reject, method});
      this.child.stdio[3].write(JSON.stringify(message) + "\0");
    });
  }

  /** The next event `method` that satisfies `accept`, within `ms`. */
  event(method, ms = 20000, accept = () => true) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.listeners = this.listeners.filter((l) => l !== listener);
        reject(new Error(`no ${method} within ${ms} ms`));
      }, ms);
      const listener = (message) => {
        if (message.method !== method || !accept(message.params)) return;
        clearTimeout(timer);
        this.listeners = this.listeners.filter((l) => l !== listener);
        resolve(message.params);
      };
      this.listeners.push(listener);
    });
  }

  async attach() {
    const {targetInfos} = await this.send("Target.getTargets", {}, null);
    let page = targetInfos.find((t) => t.type === "page");
    if (!page)
      page = {
        targetId: (await this.send("Target.createTarget", {url: "about:blank"}, null)).targetId
      };
    const {sessionId} =
        await this.send("Target.attachToTarget", {targetId: page.targetId, flatten: true}, null);
    this.session = sessionId;
    await this.send("Page.enable");
    await this.send("Runtime.enable");
    await this.send("Network.enable");
  }

  /** Opens `url` afresh (as a new load, even where only its fragment differs from the page
   *  shown) and waits for its load event. */
  async open(url) {
    if (url !== "about:blank") await this.open("about:blank");
    const loaded = this.event("Page.loadEventFired");
    await this.send("Page.navigate", {url});
    await loaded;
  }

  /** The value of `expression` in the page (promises awaited); a thrown error is rethrown. */
  async eval(expression) {
    const result =
        await this.send("Runtime.evaluate", {expression, awaitPromise: true, returnByValue: true});
    if (result.exceptionDetails) {
      throw new Error(`in page: ${
          result.exceptionDetails.exception?.description ?? result.exceptionDetails.text}`);
    }
    return result.result.value;
  }

  /** Waits until `expression` is true in the page. */
  async until(expression, ms = 20000) {
    const end = Date.now() + ms;
    while (Date.now() < end) {
      if (await this.eval(expression)) return;
      await new Promise((r) => setTimeout(r, 20));
    }
    throw new Error(`not true within ${ms} ms: ${expression}`);
  }

  /** Presses `key` ("ArrowRight", "PageUp", " ", "F6", ...) on the focused element. */
  async press(key) {
    const codes = {
      ArrowRight: 39,
      ArrowLeft: 37,
      ArrowUp: 38,
      ArrowDown: 40,
      PageUp: 33,
      PageDown: 34,
      Home: 36,
      End: 35,
      Tab: 9,
      " ": 32,
      F6: 117,
      Enter: 13
    };
    const code = codes[key] ?? key.toUpperCase().charCodeAt(0);
    const text = key.length === 1 ? key : undefined;
    const common = {
      key,
      code: key === " " ? "Space" : key,
      windowsVirtualKeyCode: code,
      nativeVirtualKeyCode: code
    };
    await this.send(
        "Input.dispatchKeyEvent", {type: text ? "keyDown" : "rawKeyDown", text, ...common});
    await this.send("Input.dispatchKeyEvent", {type: "keyUp", ...common});
  }

  async close() {
    try {
      await Promise.race(
          [this.send("Browser.close", {}, null), new Promise((r) => setTimeout(r, 3000))]);
    } catch (e) {
      // The browser may close the pipe before it answers.
    }
    const exited = new Promise((r) => this.child.once("exit", r));
    if (this.child.exitCode === null) {
      this.child.kill("SIGKILL");
      await exited;
    }
    try {
      process.kill(-this.child.pid, "SIGKILL");
    } catch (e) {
      // The group has ended already.
    }
    await new Promise((r) => setTimeout(r, 200));
    fs.rmSync(this.profile, {recursive: true, force: true, maxRetries: 10, retryDelay: 200});
  }
}

module.exports = {Chromium};
