// What the page's test and bench share: a static server on 127.0.0.1 for a folder, as any static
// host serves the page, and Debian's Chromium, headless.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";
import { chromium } from "playwright-core";

const kTypes = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
                ".png": "image/png", ".txt": "text/plain", ".data": "application/octet-stream"};

// Serves the folder; resolves to {origin, close}.
export async function serve(folder) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
    try {
      const body = await readFile(join(folder, path === "/" ? "index.html" : path));
      response.writeHead(200, {"Content-Type": kTypes[extname(path)] || "application/octet-stream"});
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise(resolve => server.listen(0, "127.0.0.1", resolve));
  return {origin: `http://127.0.0.1:${server.address().port}`, close: () => server.close()};
}

// Chromium as this machine's closed network wants it: nothing fetched from elsewhere.
export function launchChromium() {
  return chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
}

// Waits until the game has made its window: the canvas has the field's size.
export function gameStarted(page) {
  return page.waitForFunction(() => typeof FS !== "undefined" &&
                              document.getElementById("canvas").width === 420, null,
                              {timeout: 30000});
}
