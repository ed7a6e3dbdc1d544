#!/usr/bin/env python3
"""Fails on an include between the folders of src/ that docs/ARCHITECTURE.md does not allow.

The table under the heading "What each folder may include" is the rule: one row per folder of
src/, naming the folders it may include besides itself. The machine's own headers (SDL, X11,
Windows, the browser's, POSIX) may be included from src/platform/ only. Every offending include
is printed as FILE:LINE with the reason; the exit status is 1 when there is one.

  check-includes.py [REPOSITORY]   check the repository (default: the one holding this script)
  check-includes.py --self-test    check that a tree breaking each rule is caught
"""
import pathlib
import re
import sys
import tempfile

HEADING = "## What each folder may include"
# Headers of the machine beneath the game: only the platform layer may see them.
SYSTEM = re.compile(r"<(SDL[^>]*|X11/.*|windows\.h|winbase\.h|shlobj\.h|emscripten.*|unistd\.h|"
                    r"fcntl\.h|dirent\.h|pthread\.h|signal\.h|sys/.*)>")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"][^>"]+[>"])')


def read_table(doc):
    """{folder: set of folders it may include} from the table under HEADING."""
    lines = doc.read_text(encoding="utf-8").splitlines()
    try:
        start = lines.index(HEADING)
    except ValueError:
        sys.exit(f"{doc}: no heading \"{HEADING}\"")
    allowed = {}
    for line in lines[start + 1:]:
        if line.startswith("#"):
            break
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if not line.startswith("|") or len(cells) < 2 or set(cells[0]) <= {"-", ":"}:
            continue
        folders = re.findall(r"`([a-z_]+)/`", cells[0])
        if folders:
            allowed[folders[0]] = set(re.findall(r"`([a-z_]+)/`", cells[1]))
    if not allowed:
        sys.exit(f"{doc}: the table under \"{HEADING}\" names no folder")
    return allowed


def problems(root):
    """Every include under root/src that the table of root/docs/ARCHITECTURE.md forbids."""
    allowed = read_table(root / "docs" / "ARCHITECTURE.md")
    found = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".cpp", ".hpp", ".h", ".cc") or not path.is_file():
            continue
        rel = path.relative_to(root)
        folder = path.relative_to(root / "src").parts[0]
        if folder not in allowed:
            found.append(f"{rel}:1: the folder {folder}/ has no row in the table")
            continue
        text = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            name = match.group(1)
            if name.startswith("<"):
                if SYSTEM.fullmatch(name) and folder != "platform":
                    found.append(f"{rel}:{number}: includes {name}, which only platform/ may")
                continue
            target = name[1:-1].split("/")[0]
            if "/" in name and target != folder and target not in allowed[folder]:
                found.append(f"{rel}:{number}: includes {name}, and {folder}/ may not include "
                             f"{target}/")
    return found


def self_test():
    """A small tree that breaks each rule once; each must be named by its file and line."""
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        (root / "docs").mkdir()
        (root / "docs" / "ARCHITECTURE.md").write_text(
            f"# x\n\n{HEADING}\n\n| Folder | May include |\n|---|---|\n"
            "| `platform/` | nothing |\n| `low/` | `platform/` |\n| `high/` | `low/`, `platform/` |\n"
            "\n## Next\n| `stray/` | `high/` |\n", encoding="utf-8")
        files = {
            "src/platform/p.cpp": '#include <SDL.h>\n#include "platform/p.hpp"\n',
            "src/low/ok.cpp": '#include "platform/p.hpp"\n#include <vector>\n',
            "src/low/up.cpp": '#include <string>\n#include "high/h.hpp"\n',
            "src/high/os.cpp": '#include "low/l.hpp"\n\n  #  include <unistd.h>\n',
            "src/stray/s.cpp": '#include "high/h.hpp"\n',
        }
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        got = [p.split(": ")[0] for p in problems(root)]
        want = ["src/high/os.cpp:3", "src/low/up.cpp:2", "src/stray/s.cpp:1"]
        if got != want:
            print(f"self-test: expected offences at {want}, found {problems(root)}")
            return 1
    print("self-test: each broken rule was named by its file and line")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[1])
    found = problems(root.resolve())
    for p in found:
        print(p)
    if found:
        print(f"{len(found)} include(s) break the table in docs/ARCHITECTURE.md")
        return 1
    print("every include between the folders of src/ follows docs/ARCHITECTURE.md")
    return 0


if __name__ == "__main__":
    sys.exit(main())
