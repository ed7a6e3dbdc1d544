// Measures the web page in headless Chromium, served from 127.0.0.1: the time from navigation to
// the title's first frame (goal at most 1 s), the .wasm's size gzipped (goal at most 1 MB), and,
// while the committed perfect game replays at 60 frames a second, the share of frame intervals
// within 1 ms of the frame rule, 17 ms (goal at least 97 % on a quiet machine), with the median,
// 99th percentile and longest interval. Frames are timed as the game's picture reaches the canvas.
//
// Usage: node bench/web_bench.mjs [WEB_FOLDER] [--seconds N]
// (after `npm ci` in tests/web, whose playwright-core drives Debian's chromium)
import { copyFile, mkdtemp, readFile, rm } from "node:fs/promises";
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

const folder = await mkdtemp(join(tmpdir(), "vormelda-web-bench-"));
cpSync(web, folder, {recursive: true});
await copyFile(join(here, "..", "tests", "data", "perfect_game_seed4.txt"),
               join(folder, "perfect.txt"));
const wasm = await readFile(join(folder, "vormelda.wasm"));
const server = await serve(folder);
const browser = await launchChromium();
try {
  const page = await browser.newPage({viewport: {width: 1000, height: 800}});
  await page.addInitScript(() => {
    window.frames_ = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
      put.call(this, image, ...rest);
      const now = performance.now();  // since the navigation began
      window.frames_.push(now);
      if (window.title_ === undefined && image.data.some((v, i) => i % 4 !== 3 && v !== 0)) {
        window.title_ = now;  // the first picture that is not the black of loading
      }
    };
  });
  const started = Date.now();
  await page.goto(`${server.origin}/index.html?replay=perfect.txt`);
  await gameStarted(page);
  await page.waitForFunction(() => window.title_ !== undefined, null, {timeout: 30000});
  const title = await page.evaluate(() => window.title_);
  // The stage's frames, well past the title and the intro.
  await page.waitForTimeout(8000);
  const from = await page.evaluate(() => window.frames_.length);
  await page.waitForTimeout(seconds * 1000);
  const times = await page.evaluate(start => window.frames_.slice(start), from);
  const intervals = times.slice(1).map((t, i) => t - times[i]);
  const sorted = [...intervals].sort((a, b) => a - b);
  const at = p => sorted[Math.min(sorted.length - 1, Math.round(p / 100 * (sorted.length - 1)))];
  const within = 100 * intervals.filter(i => Math.abs(i - 17) <= 1).length / intervals.length;
  const wall = Date.now() - started;
  console.log(`navigation to the title's first frame: ${title.toFixed(0)} ms` +
              ` (page loaded and run in ${wall} ms in all)`);
  console.log(`vormelda.wasm: ${(wasm.length / 1e6).toFixed(2)} MB, ` +
              `${(gzipSync(wasm, {level: 9}).length / 1e6).toFixed(2)} MB gzipped`);
  console.log(`at 60: ${intervals.length} frames in ${seconds} s, ${within.toFixed(1)} % within 1 ms ` +
              `of 17 ms; p50 ${at(50).toFixed(2)}, p99 ${at(99).toFixed(2)}, ` +
              `max ${sorted[sorted.length - 1].toFixed(2)} ms`);
} finally {
  await browser.close();
  server.close();
  await rm(folder, {recursive: true, force: true});
}
