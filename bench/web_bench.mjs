// Measures the web page in headless Chromium, served from 127.0.0.1: the time from navigation to
// the title's first frame (goal at most 1 s), the .wasm's size gzipped (goal at most 1 MB), and,
// while the committed perfect game replays at 60 frames a second, the share of frame intervals
// within 1 ms of the frame rule, 17 ms (goal at least 97 % on a quiet machine), with the median,
// 99th percentile and longest interval. Frames are timed as the game's picture reaches the canvas.
//
// The start is measured as a player meets it, in a browser that is already running: a first
// visit (a fresh profile: nothing cached, nothing stored) and a return visit (the same profile
// reloaded), the median of five each. Beside it, what this machine charges for memory touched for
// the first time, which the start pays for its 60 MB of pictures, and for the data's bytes on
// their way into the browser.
//
// Usage: node bench/web_bench.mjs [WEB_FOLDER] [--seconds N]
// (after `npm ci` in tests/web, whose playwright-core drives Debian's chromium)
import { copyFile, mkdtemp, readFile, rm, stat } from "node:fs/promises";
import { cpSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";
import { gameStarted, launchChromium, serve } from "../tests/web/browser.mjs";

const here = dirname(fileURLToPath(import.meta.url));
const args = process.argv.slice(2);
const secondsAt = args.indexOf("--seconds");
const seconds = secondsAt >= 0 ? Number(args[secondsAt + 1]) : 30;
const web = args.find((a, i) => !a.startsWith("--") && i !== secondsAt + 1) ||
            join(here, "..", "build", "web");
const kVisits = 5;

// Each picture handed to the canvas is timed; the first that is not the black of loading is the
// title's.
function timeFrames() {
  window.frames_ = [];
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
    put.call(this, image, ...rest);
    const now = performance.now();  // since the navigation began
    window.frames_.push(now);
    if (window.title_ === undefined && image.data.some((v, i) => i % 4 !== 3 && v !== 0)) {
      window.title_ = now;
    }
  };
}

async function titleAfter(page, navigate) {
  await navigate();
  await page.waitForFunction(() => window.title_ !== undefined, null, {timeout: 30000});
  return page.evaluate(() => window.title_);
}

// The p-th percentile of the values.
function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.round(p / 100 * (sorted.length - 1)))];
}

// Microseconds per 4 KiB page of memory written for the first time (zeroed pages are mapped in
// as they are touched).
function freshPageCostUs() {
  const bytes = 64 * 1024 * 1024;
  const start = process.hrtime.bigint();
  Buffer.alloc(bytes, 1);
  return Number(process.hrtime.bigint() - start) / 1e3 / (bytes / 4096);
}

// Milliseconds this browser takes to fetch the game's data from the server, nothing cached.
async function dataFetchMs(browser, origin) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(`${origin}/icon.png`);
  const ms = await page.evaluate(async () => {
    const start = performance.now();
    await (await fetch(`vormelda.data?${start}`)).arrayBuffer();
    return performance.now() - start;
  });
  await context.close();
  return ms;
}

const folder = await mkdtemp(join(tmpdir(), "vormelda-web-bench-"));
cpSync(web, folder, {recursive: true});
await copyFile(join(here, "..", "tests", "data", "perfect_game_seed4.txt"),
               join(folder, "perfect.txt"));
const wasm = await readFile(join(folder, "vormelda.wasm"));
const server = await serve(folder);
const browser = await launchChromium();
try {
  // A running browser, as a player's is, before the first visit.
  const warm = await browser.newPage();
  await warm.goto("about:blank");
  await warm.close();
  const first = [], again = [];
  const url = `${server.origin}/index.html?autoplay`;
  for (let i = 0; i < kVisits; ++i) {
    const context = await browser.newContext({viewport: {width: 1000, height: 800}});
    const page = await context.newPage();
    await page.addInitScript(timeFrames);
    first.push(await titleAfter(page, () => page.goto(url)));
    again.push(await titleAfter(page, () => page.reload()));
    await context.close();
  }

  const page = await browser.newPage({viewport: {width: 1000, height: 800}});
  await page.addInitScript(timeFrames);
  await page.goto(`${server.origin}/index.html?replay=perfect.txt`);
  await gameStarted(page);
  // The stage's frames, well past the title and the intro.
  await page.waitForTimeout(8000);
  const from = await page.evaluate(() => window.frames_.length);
  await page.waitForTimeout(seconds * 1000);
  const times = await page.evaluate(start => window.frames_.slice(start), from);
  const intervals = times.slice(1).map((t, i) => t - times[i]);
  const within = 100 * intervals.filter(i => Math.abs(i - 17) <= 1).length / intervals.length;
  const range = values => `median ${percentile(values, 50).toFixed(0)} ms (` +
                          `${Math.min(...values).toFixed(0)} to ` +
                          `${Math.max(...values).toFixed(0)})`;
  console.log(`navigation to the title's first frame, first visit: ${range(first)}`);
  console.log(`navigation to the title's first frame, return visit: ${range(again)}`);
  console.log(`memory touched for the first time: ${freshPageCostUs().toFixed(2)} us a 4 KiB page`);
  const data = (await stat(join(folder, "vormelda.data"))).size / 1e6;
  const fetched = await dataFetchMs(browser, server.origin);
  console.log(`vormelda.data (${data.toFixed(2)} MB) fetched from 127.0.0.1: ${fetched.toFixed(0)} ms`);
  console.log(`vormelda.wasm: ${(wasm.length / 1e6).toFixed(2)} MB, ` +
              `${(gzipSync(wasm, {level: 9}).length / 1e6).toFixed(2)} MB gzipped`);
  console.log(`at 60: ${intervals.length} frames in ${seconds} s, ${within.toFixed(1)} % ` +
              `within 1 ms of 17 ms; p50 ${percentile(intervals, 50).toFixed(2)}, ` +
              `p99 ${percentile(intervals, 99).toFixed(2)}, ` +
              `max ${Math.max(...intervals).toFixed(2)} ms`);
} finally {
  await browser.close();
  server.close();
  await rm(folder, {recursive: true, force: true});
}
