#!/usr/bin/env python3
"""Checks that every include in src/ points down the layers that docs/architecture.md draws:
app -> ui -> monitor -> store -> platform, with platform/win32 implementing the platform's
interfaces and the windows' views. Prints each include that points the wrong way; exit 1 if any."""

import re
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


def layer_of(path):
    parts = Path(path).parts
    return "platform/win32" if parts[:2] == ("platform", "win32") else parts[0]


def main(src):
    wrong = []
    for source in sorted(Path(src).rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        layer = layer_of(source.relative_to(src))
        for number, line in enumerate(source.read_text(encoding="latin-1").splitlines(), 1):
            match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if not match or "/" not in match.group(1):
                continue
            target = layer_of(match.group(1))
            if target != layer and target not in ALLOWED[layer]:
                wrong.append(f"{source}:{number}: {layer} includes {match.group(1)}")
    print("\n".join(wrong) if wrong else f"every include in {src} points down the layers")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
