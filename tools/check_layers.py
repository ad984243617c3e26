#!/usr/bin/env python3
"""Checks that src/ keeps the shape docs/architecture.md draws:

- every include points down the layers app -> ui -> monitor -> store -> platform, with
  platform/win32 implementing the platform's interfaces and the windows' views;
- only platform/win32 and app/main.cpp (the Win32 wiring) include Windows headers, so the rest
  still builds and is tested natively;
- every file under src/ lies in one of those layers.

With --tracked it also checks that git tracks nothing at the repository's top level (the folder
above src/) but the project's own files, so that what a run left behind is not committed.

    check_layers.py [--tracked] [src]

Prints each finding; exit 1 if any."""

import re
import subprocess
import sys
from pathlib import Path

# What each layer may include besides itself.
ALLOWED = {
    "app": {"ui", "monitor", "store", "platform", "platform/win32"},
    "ui": {"monitor", "store", "platform"},
    "monitor": {"store", "platform"},
    "store": {"platform"},
    "platform": set(),
    "platform/win32": {"platform", "ui"},
}

# The app files that are built natively too; the rest of app/ is Win32 wiring.
PORTABLE_APP = {"app/program.h", "app/program.cpp"}

# Headers of the Windows SDK, compared in lower case since Windows does not mind the case.
WINDOWS_HEADERS = {
    "windows.h", "windef.h", "winbase.h", "winuser.h", "wingdi.h", "winnt.h", "winerror.h",
    "winreg.h", "winnls.h", "winver.h", "winspool.h", "winsock.h", "winsock2.h", "ws2tcpip.h",
    "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "shlwapi.h", "shobjidl.h", "objbase.h",
    "ole2.h", "aclapi.h", "accctrl.h", "sddl.h", "wincrypt.h", "bcrypt.h", "dbghelp.h",
    "richedit.h", "uxtheme.h", "dwmapi.h", "mmsystem.h", "setupapi.h", "psapi.h", "tlhelp32.h",
    "knownfolders.h", "tchar.h",
}

# What the repository tracks at its top level.
OWN_ENTRIES = {
    ".ci", ".gitignore", ".clang-format", "CMakeLists.txt", "CMakePresets.json", "README.md",
    "cmake", "docs", "packaging", "run", "src", "test-all", "tests", "tools",
}

INCLUDE = re.compile(r'\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    parts = Path(path).parts
    return "platform/win32" if parts[:2] == ("platform", "win32") else parts[0]


def check_sources(src):
    src = Path(src)
    wrong = []
    for source in sorted(src.rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        relative = source.relative_to(src)
        layer = layer_of(relative)
        if layer not in ALLOWED:
            wrong.append(f"{source}: {layer} is not a layer")
            continue
        portable = layer != "platform/win32" and (layer != "app" or relative.as_posix() in PORTABLE_APP)
        for number, line in enumerate(source.read_text(encoding="latin-1").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            header = match.group(2)
            if portable and header.lower() in WINDOWS_HEADERS:
                wrong.append(f"{source}:{number}: {layer} is portable but includes {header}")
            elif match.group(1) == '"' and "/" in header:
                target = layer_of(header)
                if target != layer and target not in ALLOWED[layer]:
                    wrong.append(f"{source}:{number}: {layer} includes {header}")
    return wrong


def check_tracked(paths):
    """paths: what git tracks, relative to the repository's top."""
    stray = sorted({path.split("/")[0] for path in paths} - OWN_ENTRIES)
    return [f"{entry}: tracked at the top level but not the project's own" for entry in stray]


def tracked_paths(top):
    # -z, or git would quote a name holding a backslash, such as C:\x.log.
    listing = subprocess.run(["git", "-C", str(top), "ls-files", "-z"],
                             capture_output=True, encoding="utf-8", errors="replace")
    if listing.returncode:
        sys.exit(f"git ls-files in {top}: {listing.stderr.strip()}")
    return [path for path in listing.stdout.split("\0") if path]


def main(argv):
    tracked = "--tracked" in argv
    arguments = [argument for argument in argv if argument != "--tracked"]
    src = arguments[0] if arguments else "src"
    wrong = check_sources(src)
    if tracked:
        wrong += check_tracked(tracked_paths(Path(src).resolve().parent))
    sound = f"every include in {src} points down the layers"
    if tracked:
        sound += ", and git tracks only the project's own files"
    print("\n".join(wrong) if wrong else sound)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
