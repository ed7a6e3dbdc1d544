// The browser's side of the platform layer's web files (system_web.cpp, sdl_dialogs_web.cpp),
// linked in with --js-library.
mergeInto(LibraryManager.library, {
  // Retry/Cancel as the browser's own dialog: OK is Retry.
  vormelda_confirm: function(title, text) {
    return confirm(UTF8ToString(title) + "\n\n" + UTF8ToString(text) +
                   "\n\n(OK: Retry, Cancel: Cancel)") ? 1 : 0;
  },
  // An error: the browser's dialog, and the page keeps it written (web/index.html).
  vormelda_alert: function(title, text) {
    const message = UTF8ToString(text);
    if (typeof Module.vormeldaFatal === "function") Module.vormeldaFatal(message);
    alert(UTF8ToString(title) + "\n\n" + message);
  },
  // The player's folder is IndexedDB, mounted by the page: written through at once. Writes that
  // come while one is under way are written together when it ends.
  $vormeldaSync: {running: false, again: false},
  vormelda_sync_files__deps: ["$vormeldaSync"],
  vormelda_sync_files: function() {
    if (typeof IDBFS === "undefined" || typeof FS.syncfs !== "function") return;
    if (vormeldaSync.running) {
      vormeldaSync.again = true;
      return;
    }
    vormeldaSync.running = true;
    const done = function(error) {
      if (error) console.error("vormelda: the browser did not keep the player's files", error);
      if (vormeldaSync.again) {
        vormeldaSync.again = false;
        FS.syncfs(false, done);
      } else {
        vormeldaSync.running = false;
      }
    };
    FS.syncfs(false, done);
  },
  // The game's first frame is on the page: what the page put off until then may start.
  vormelda_first_wait: function() {
    if (typeof Module.onFirstWait === "function") Module.onFirstWait();
  },
  // A file of the game's as a download.
  vormelda_offer_download: function(path) {
    if (typeof document === "undefined") return;  // under node
    const name = UTF8ToString(path);
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([FS.readFile(name)], {type: "image/png"}));
    link.download = name.substring(name.lastIndexOf("/") + 1);
    document.body.appendChild(link);
    link.click();
    link.remove();
  },
});
