#!/usr/bin/env python3
"""tools/check_layers.py refuses each way the source tree can lose its shape, on small trees."""

import contextlib
import io
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import check_layers  # noqa: E402

# Each layer including the one below it; Windows headers only where Win32 is wired.
SOUND = {
    "README.md": "",
    "src/platform/registry.h": "#include <string>\n",
    "src/platform/win32/registry_win32.cpp":
        '#include <windows.h>\n#include "platform/registry.h"\n#include "ui/main_view.h"\n',
    "src/store/settings.h": '#include <vector>\n#include "platform/registry.h"\n',
    "src/monitor/call_screener.h": '#include "store/settings.h"\n',
    "src/ui/main_view.h": '#include "monitor/call_screener.h"\n',
    "src/app/program.cpp": '#include "ui/main_view.h"\n',
    "src/app/main.cpp": '#include <Windows.h>\n#include <commctrl.h>\n#include "app/program.h"\n',
}

FAULTS = [  # fault caught, files added to the sound tree, what the one finding says
    ("include_pointing_up", {"src/monitor/screen.cpp": '#include "ui/main_view.h"\n'},
     "monitor includes ui/main_view.h"),
    ("windows_header_in_store", {"src/store/log.cpp": "#include <windows.h>\n"},
     "log.cpp:1: store is portable but includes windows.h"),
    ("windows_header_in_ui_in_other_case", {"src/ui/tray.cpp": "#include <string>\n#  include <WinReg.h>\n"},
     "tray.cpp:2: ui is portable but includes WinReg.h"),
    ("windows_header_in_platform_interface", {"src/platform/shell.h": "#include <shellapi.h>\n"},
     "shell.h:1: platform is portable but includes shellapi.h"),
    ("windows_header_in_program", {"src/app/program.cpp": "#include <commdlg.h>\n"},
     "program.cpp:1: app is portable but includes commdlg.h"),
    ("unknown_top_level_folder", {"src/gadgets/x.cpp": ""}, "x.cpp: gadgets is not a layer"),
    ("stray_tracked_file", {"C:\\Vantelmoor\\Vantelmoor.log": ""},
     "C:\\Vantelmoor\\Vantelmoor.log: tracked at the top level but not the project's own"),
]


def write(top, files):
    for name, text in files.items():
        (Path(top) / name).parent.mkdir(parents=True, exist_ok=True)
        (Path(top) / name).write_text(text)


class CheckLayersTest(unittest.TestCase):
    # The sound tree alone passes (test_exit_status_follows_what_git_tracks); each fault adds one finding.
    def test_each_fault_is_refused(self):
        for fault, files, finding in FAULTS:
            tree = {**SOUND, **files}
            with self.subTest(fault), tempfile.TemporaryDirectory() as top:
                write(top, tree)
                found = check_layers.check_sources(Path(top) / "src") + check_layers.check_tracked(tree)
                self.assertEqual(len(found), 1, found)
                self.assertIn(finding, found[0])

    def test_exit_status_follows_what_git_tracks(self):
        with tempfile.TemporaryDirectory() as top:
            def git(*arguments):
                subprocess.run(["git", "-C", top, *arguments], check=True, capture_output=True)

            def run():
                with contextlib.redirect_stdout(io.StringIO()) as output:
                    return check_layers.main(["--tracked", str(Path(top) / "src")]), output.getvalue()

            write(top, SOUND)
            git("init", "-q")
            git("add", "-A")
            self.assertEqual(run(), (0, f"every include in {Path(top) / 'src'} points down the layers"
                                        ", and git tracks only the project's own files\n"))
            write(top, {"bench.log": ""})
            git("add", "bench.log")
            self.assertEqual(run(), (1, "bench.log: tracked at the top level but not the project's own\n"))


if __name__ == "__main__":
    unittest.main()
