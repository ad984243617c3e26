"""The release's installer under Wine: a silent install into Program Files with everything a
Windows user expects of one, the installed program screening a call, and a silent uninstall while
it runs, which ends it and keeps the data. Then the program in a folder it cannot write to (a
read-only mount of the installed folder, as a standard account sees Program Files): it keeps its
files in the machine's data folder."""

import subprocess
import time
import unittest

from harness import BUILD, Scenario, wait_until

SETUP = BUILD / "release/Vantelmoor-10.0.4-setup.exe"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantelmoor"
RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
START_MENU = "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantelmoor.lnk"
DATA = "drive_c/ProgramData/Vantelmoor"
JOHN_DOE = b"JOHN DOE            555-123-4567        "


class Installed(Scenario):
    copy_program = False

    def setUp(self):
        if not SETUP.exists():
            self.fail("no installer: build it with cmake --build --preset windows --target release")
        super().setUp()
        self.wine(str(SETUP), "/S", timeout=300)
        self.assertTrue((self.program_dir / "Vantelmoor.exe").exists())

    def call_is_logged(self, log_file):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.modem.command("call 5551234567 JOHN DOE")
        wait_until(lambda: log_file.exists() and log_file.read_bytes().endswith(b"5551234567          Y"),
                   f"the blocked call in {log_file}")

    def test_installs_screens_and_uninstalls_while_running_keeping_the_data(self):
        for name in ("VantelmoorReadme.txt", "Uninstall.exe"):
            self.assertTrue((self.program_dir / name).exists(), name)
        self.assertTrue((self.prefix / START_MENU).exists())
        self.assertTrue((self.prefix / DATA).is_dir())
        entry = self.registry_values(UNINSTALL_KEY)
        self.assertEqual((entry.get("DisplayName"), entry.get("DisplayVersion"), entry.get("Publisher")),
                         ("Vantelmoor", "10.0.4", "Mornavelle"))
        self.assertEqual(entry.get("UninstallString"), '"C:\\Program Files\\Vantelmoor\\Uninstall.exe"')
        self.assertIn("EstimatedSize", entry)
        self.assertEqual(self.registry_values(RUN_KEY).get("Vantelmoor"), '"C:\\Program Files\\Vantelmoor\\Vantelmoor.exe"')

        (self.program_dir / "Vantelmoor.dat").write_bytes(JOHN_DOE)  # Wine lets every account write here
        self.call_is_logged(self.program_dir / "Vantelmoor.log")

        self.wine(str(self.program_dir / "Uninstall.exe"), "/S")
        self.program.wait(timeout=60)  # its run marker deleted, it ends
        wait_until(lambda: not (self.program_dir / "Vantelmoor.exe").exists() and not self.registry_values(UNINSTALL_KEY),
                   "the uninstaller to finish")
        self.assertNotIn("Vantelmoor", self.registry_values(RUN_KEY))
        self.assertFalse((self.prefix / START_MENU).exists())
        self.assertEqual((self.program_dir / "Vantelmoor.dat").read_bytes(), JOHN_DOE)  # the data is kept
        self.assertEqual(len((self.program_dir / "Vantelmoor.log").read_bytes()), 61)
        self.assertIn("CommCommand", self.registry_values())

    def test_in_a_folder_it_cannot_write_to_it_keeps_its_files_in_the_data_folder(self):
        folder = str(self.program_dir)
        if subprocess.run(["mount", "--bind", folder, folder], capture_output=True).returncode != 0:
            self.skipTest("a read-only mount needs root")
        self.addCleanup(subprocess.run, ["umount", folder])
        subprocess.run(["mount", "-o", "remount,bind,ro", folder, folder], check=True)
        data = self.prefix / DATA
        (data / "Vantelmoor.dat").write_bytes(JOHN_DOE)
        self.call_is_logged(data / "Vantelmoor.log")
        self.assertTrue((data / "Vantelmoor.flg").exists())
        self.assertFalse((self.program_dir / "Vantelmoor.log").exists())
        self.assertIn("cannot be written to", self.text("txtStatus"))
        # The run marker is first checked ten seconds after start: a program that could not make it
        # would end then.
        started = self.program_starts[-1]
        wait_until(lambda: time.monotonic() - started > 12, "the first check of the run marker", timeout=20)
        self.assertIsNone(self.program.poll())


if __name__ == "__main__":
    unittest.main()
