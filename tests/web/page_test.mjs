// The web page in Debian's headless Chromium, served from 127.0.0.1 as any static host would:
// the title's first frame is the desktop's picture, pixel for pixel; the sound hint shows until a
// key; Enter starts the stage (the page's own recording says so, checked by the caller) and its
// music, fetched after the title; the focus lost pauses it and the focus back resumes it; a
// recording fetched with ?replay= matches in the console; a saved high score comes back after a
// reload.
//
// Usage: node page_test.mjs SERVED_FOLDER OUT_FOLDER
// SERVED_FOLDER holds the page (build/web) and: title.png (the desktop's picture of the title's
// first frame), minute.txt (the first minute of a recording).
import { stat, writeFile } from "node:fs/promises";
import { join } from "node:path";
import { gameStarted, launchChromium, serve } from "./browser.mjs";

const [served, out] = process.argv.slice(2);

function fail(message) {
  console.error("FAIL: " + message);
  process.exit(1);
}

// The promise's value, or a failure if it takes longer than `ms`.
function within(ms, what, promise) {
  let timer;
  const late = new Promise(() => { timer = setTimeout(() => fail(what), ms); });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

const server = await serve(served);
const origin = server.origin;
const browser = await launchChromium();
const context = await browser.newContext({viewport: {width: 1000, height: 800}});

async function open(query = "") {
  const page = await context.newPage();
  const lines = [];
  page.on("console", m => lines.push(m.text()));
  page.on("pageerror", e => lines.push("page error: " + e.message));
  await page.goto(`${origin}/index.html${query}`);
  await gameStarted(page);
  return {page, lines};
}

try {
  // 1. The title's first frame, caught as the game's framebuffer reaches the canvas, against the
  // desktop's picture of the same frame. A browser that starts sound only after a gesture is
  // made up: its audio starts suspended. The hint shows until a key lets the sound play.
  await context.addInitScript(() => {
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
      put.call(this, image, ...rest);
      if (window.firstFrame === undefined && image.data.some((v, i) => i % 4 !== 3 && v !== 0)) {
        window.firstFrame = this.canvas.toDataURL("image/png");
      }
    };
    const Real = window.AudioContext;
    window.AudioContext = class extends Real {
      constructor(...args) { super(...args); this.suspend(); }
    };
  });
  const {page, lines} = await open();
  await page.waitForFunction(() => window.firstFrame !== undefined, null, {timeout: 30000});
  const differing = await page.evaluate(async () => {
    const pixels = async url => {
      const image = new Image();
      image.src = url;
      await image.decode();
      const c = document.createElement("canvas");
      c.width = image.width;
      c.height = image.height;
      const g = c.getContext("2d");
      g.drawImage(image, 0, 0);
      return g.getImageData(0, 0, c.width, c.height);
    };
    const a = await pixels(window.firstFrame), b = await pixels("title.png");
    if (a.width !== b.width || a.height !== b.height) return -1;
    let n = 0;
    for (let i = 0; i < a.data.length; i += 4) {
      if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] ||
          a.data[i + 2] !== b.data[i + 2]) n++;
    }
    return n;
  });
  console.log(`the title's first frame differs from the desktop's in ${differing} pixels`);
  if (differing !== 0) fail("the page's title is not the desktop's picture");
  const canvasWidth = await page.evaluate(() => document.getElementById("canvas").style.width);
  if (canvasWidth !== "420px") fail(`the field is ${canvasWidth} wide in a 1000 x 800 page`);
  await page.waitForTimeout(500);
  if (await page.locator("#hint").isHidden()) fail("no hint while the sound is blocked");

  // 2. Enter starts the stage and the sound.
  await page.keyboard.press("Enter");
  await page.waitForTimeout(4500);
  if (!(await page.locator("#hint").isHidden())) fail("the hint stays after a key");
  const music = await page.evaluate(async () => {
    const node = Module.SDL2.audio.scriptProcessorNode;
    const play = node.onaudioprocess;
    let peak = 0;
    node.onaudioprocess = e => {
      play(e);
      for (const v of e.outputBuffer.getChannelData(0)) peak = Math.max(peak, Math.abs(v));
    };
    await new Promise(done => setTimeout(done, 1000));
    node.onaudioprocess = play;
    const path = "/share/vormelda/Music/BackMusic.mp3";
    return {bytes: FS.analyzePath(path).exists ? FS.stat(path).size : 0, peak};
  });
  console.log(`the stage's music arrived with ${music.bytes} bytes; the sound's peak ${music.peak}`);
  if (music.bytes !== (await stat(join(served, "Music/BackMusic.mp3"))).size || music.peak < 0.01) {
    fail("the stage's music did not arrive whole or is not heard");
  }
  // The page losing the focus pauses the game, which keeps the page answering while it waits,
  // and the focus back lets it go on.
  const answering = promise => within(10000, "the page stopped answering", promise);
  const framesIn = ms => answering(page.evaluate(ms => new Promise(done => {
    const put = CanvasRenderingContext2D.prototype.putImageData;
    let n = 0;
    CanvasRenderingContext2D.prototype.putImageData = function(...args) {
      n++;
      put.apply(this, args);
    };
    setTimeout(() => {
      CanvasRenderingContext2D.prototype.putImageData = put;
      done(n);
    }, ms);
  }), ms));
  const focus = name => answering(page.evaluate(name => dispatchEvent(new FocusEvent(name)), name));
  await focus("blur");
  await page.waitForTimeout(300);
  const paused = await framesIn(1000);
  await focus("focus");
  await page.waitForTimeout(300);
  const going = await framesIn(1000);
  console.log(`frames in a second: ${paused} paused, ${going} after the focus came back`);
  if (paused > 2 || going < 50) fail("losing and regaining the focus did not pause and resume");
  const recording = await page.evaluate(
      () => new TextDecoder().decode(FS.readFile("/recordings/game.txt")));
  await writeFile(join(out, "page-recording.txt"), recording);
  if (lines.some(l => l.startsWith("page error"))) fail(lines.join("\n"));
  await page.close();

  // 3. The first minute of a recording, fetched from the same origin, replays to a match.
  const replay = await open("?replay=minute.txt");
  await replay.page.waitForFunction(() => /ended/.test(document.getElementById("status")
                                    .textContent), null, {timeout: 120000});
  const matched = replay.lines.find(l => l.includes("the replay matched"));
  console.log(matched || replay.lines.join("\n"));
  const m = matched && matched.match(/matched (\d+) of the recording's (\d+) checks/);
  if (!m || m[1] !== m[2] || Number(m[1]) < 50) fail("the replay in the page did not match");
  await replay.page.close();

  // 4. A high score the game saves comes back after a reload: a game played holding X scores a
  // little before its last ship is lost.
  const play = await open();
  const stored = p => p.evaluate(() => new TextDecoder().decode(
      FS.readFile("/libsdl/vormelda/HighScore.ini")).split(/\r?\n/)[1]);
  if ((await stored(play.page)) !== "00000") fail("a new player does not start at 00000");
  await play.page.keyboard.press("Enter");
  await play.page.waitForTimeout(3500);
  await play.page.keyboard.down("x");
  await play.page.waitForFunction(() => new TextDecoder().decode(FS.readFile(
      "/libsdl/vormelda/HighScore.ini")).split(/\r?\n/)[1] !== "00000", null, {timeout: 120000});
  await play.page.keyboard.up("x");
  const saved = await stored(play.page);
  await play.page.waitForTimeout(1000);  // the write to the browser's storage
  await play.page.reload();
  await gameStarted(play.page);
  const after = await stored(play.page);
  console.log(`saved high score ${saved}, after a reload ${after}`);
  if (after !== saved) fail("the saved high score did not survive the reload");
  console.log("PASS: the page in headless Chromium");
} finally {
  await browser.close();
  server.close();
}
