"""The screening rules beyond the block list, in the real program: a withheld number whose name is on
the never-block list rings through though "private" callers are blocked; a published list of 10,000
numbers imported through the rules window and the system's file dialog blocks its last number; the
call log exported for a spreadsheet reads back as the log. A pattern's call, and the rules window
on full lists, are with the other full files (test_windows.py)."""

import csv
import unittest

from harness import SETTINGS_KEY, Scenario, wait_until

IMPORTED = 10000


def entry(name, number):
    return (name.ljust(20) + number.ljust(20)).encode()


class ScreeningRules(Scenario):
    def call(self, arguments, calls):
        self.modem.command(f"call {arguments}")
        records = self.wait_logged(calls)
        wait_until(lambda: self.modem.names().count("AT+VCID=1") == calls + 1, f"the reset after call {calls}")
        return records

    def choose_file(self, title, path):
        wait_until(lambda: self.probe("file", title, self.windows_path(path), check=False).returncode == 0,
                   f"the dialog {title!r} to take {path}")

    def test_the_never_block_list_an_imported_list_and_the_export_act_on_the_real_files(self):
        block_file = self.program_dir / "Vantelmoor.dat"
        block_file.write_bytes(entry("", "555-123-*"))
        (self.program_dir / "VantelmoorAllow.dat").write_bytes(entry("DR SMITH", ""))
        self.wine("reg", "add", SETTINGS_KEY, "/v", "BlockAnonNum", "/d", "True", "/f")
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")

        self.assertEqual(self.call("PRIVATE DR SMITH", 1)[60:61], b"\x00")  # withheld, but never to block

        published = self.workdir / "published.txt"
        published.write_text("".join(f"555-9{i:06d}\r\n" for i in range(IMPORTED)))
        self.probe("menu", "Vantelmoor", "Screening &Rules...")
        wait_until(lambda: self.visible("Screening Rules"), "the screening rules window")
        self.probe("click", "Screening Rules", "Command1(3)")  # Import, to the block list
        self.choose_file("Import a List", published)
        self.wait_box("Screening Rules")  # the import's report
        self.probe("answer", "Screening Rules", "OK")
        wait_until(lambda: not self.box_open("Screening Rules"), "the report to close")
        self.screenshot("rules", "Screening Rules", with_tray=False)
        self.probe("click", "Screening Rules", "Command3(0)")  # Save
        wait_until(lambda: len(block_file.read_bytes()) == 40 * (IMPORTED + 1), "the saved block list")
        self.probe("click", "Screening Rules", "Command3(1)")  # Exit
        wait_until(lambda: not self.visible("Screening Rules"), "the window to close")
        self.assertEqual(self.call(f"555{IMPORTED - 1 + 9000000} LAST OF THE LIST", 2)[-1:], b"Y")

        exported = self.workdir / "calls.csv"
        self.probe("menu", "Vantelmoor", "&Export Call Log...")
        self.choose_file("Export Call Log", exported)
        rows = wait_until(lambda: exported.exists() and list(csv.reader(exported.read_text("utf-8").splitlines())),
                          "the exported call log")
        self.assertEqual([(row[2], row[3], row[4]) for row in rows[1:]],
                         [("DR SMITH", "PRIVATE", "no"), ("LAST OF THE LIST", "5559009999", "yes")])


if __name__ == "__main__":
    unittest.main()
