"""The release's installer under Wine, on a machine where users have been at the shared places: an
earlier setup's copy outside Program Files and a data folder holding a hard link to a file
elsewhere. Setup installs into Program Files whatever /D= says, makes the data folder anew with
the data carried over by content, and leaves the earlier copy's data; two copies of the installed
program (the second on a desktop of its own, standing for another user's session) share the line:
one screens, the other waits and takes over when the first ends, no call lost or logged twice;
a silent uninstall ends every copy and leaves only the kept data."""

import os
import unittest
from pathlib import Path

from harness import BUILD, SETTINGS_KEY, Scenario, wait_until

SETUP = BUILD / "release/Vantelmoor-10.0.4-setup.exe"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantelmoor"
RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
START_MENU = "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantelmoor.lnk"
DATA = "drive_c/ProgramData/Vantelmoor"
EARLIER = "drive_c/Vantelmoor"
JOHN_DOE = b"JOHN DOE            555-123-4567        "
OLD_CALL = b"03/20     09:00 AM  ANN                 5550001111          \x00"


class Installed(Scenario):
    copy_program = False

    def setUp(self):
        if not SETUP.exists():
            self.fail("no installer: build it with cmake --build --preset windows --target release")
        super().setUp()

    def plant_earlier_installation(self):
        earlier = self.prefix / EARLIER
        earlier.mkdir()
        for name in ("Vantelmoor.exe", "Uninstall.exe"):
            (earlier / name).write_bytes(b"an earlier version")
        (earlier / "Vantelmoor.log").write_bytes(OLD_CALL)
        (earlier / "notes.txt").write_text("the user's own")
        self.wine("reg", "add", UNINSTALL_KEY, "/v", "InstallLocation", "/d", "C:\\Vantelmoor", "/f")
        data = self.prefix / DATA
        data.mkdir(parents=True)
        (data / "Vantelmoor.dat").write_bytes(JOHN_DOE)
        secret = self.prefix / "drive_c/secret.txt"
        secret.write_bytes(b"an administrator's secret")
        os.link(secret, data / "Vantelmoor.log")
        return earlier, secret

    def copies(self):
        exe, prefix = str(self.program_dir / "Vantelmoor.exe").encode(), f"WINEPREFIX={self.prefix}".encode()

        def ours(proc):
            try:
                return (Path(f"/proc/{proc}/cmdline").read_bytes().split(b"\0")[0] == exe
                        and prefix in Path(f"/proc/{proc}/environ").read_bytes().split(b"\0"))
            except OSError:
                return False
        return [proc for proc in os.listdir("/proc") if proc.isdigit() and ours(proc)]

    def test_installs_shares_the_line_between_copies_and_uninstalls_them_all(self):
        earlier, secret = self.plant_earlier_installation()
        self.wine(str(SETUP), "/S", "/D=C:\\X", timeout=300)

        self.assertFalse((self.prefix / "drive_c/X").exists())
        for name in ("Vantelmoor.exe", "VantelmoorReadme.txt", "Uninstall.exe", "access-helper.exe"):
            self.assertTrue((self.program_dir / name).exists(), name)
        self.assertTrue((self.prefix / START_MENU).exists())
        entry = self.registry_values(UNINSTALL_KEY)
        names = ("DisplayName", "DisplayVersion", "Publisher", "InstallLocation")
        self.assertEqual([entry.get(name) for name in names],
                         ["Vantelmoor", "10.0.4", "Mornavelle", "C:\\Program Files\\Vantelmoor"])
        self.assertEqual(self.registry_values(RUN_KEY).get("Vantelmoor"),
                         '"C:\\Program Files\\Vantelmoor\\Vantelmoor.exe"')
        # The data folder is new; the block list came by content, the hard-linked log did not (the
        # earlier copy's log stands in for it), and the secret is untouched.
        data = self.prefix / DATA
        self.assertEqual(sorted(p.name for p in data.iterdir()), ["Vantelmoor.dat", "Vantelmoor.flg", "Vantelmoor.log"])
        self.assertEqual((data / "Vantelmoor.dat").read_bytes(), JOHN_DOE)
        self.assertEqual((data / "Vantelmoor.log").read_bytes(), OLD_CALL)
        self.assertEqual(os.stat(data / "Vantelmoor.log").st_nlink, 1)
        aside = [p for p in data.parent.iterdir() if p.name.startswith("Vantelmoor.old-")]
        self.assertEqual([sorted(p.name for p in folder.iterdir()) for folder in aside], [["Vantelmoor.log"]])
        self.assertEqual(secret.read_bytes(), b"an administrator's secret")
        # The earlier copy's program files went by name; what else it held stays.
        self.assertEqual(sorted(p.name for p in earlier.iterdir()), ["Vantelmoor.log", "notes.txt"])

        # Two users' copies: one screens, the other waits without touching the port.
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.start_program(desktop="Second")
        wait_until(lambda: len(self.copies()) == 2, "the second copy to run")
        self.modem.command("call 5551234567 JOHN DOE")
        first = self.wait_logged(2, data / "Vantelmoor.log")
        self.assertEqual(first[61:][-1:], b"Y")  # the old call, then this one, blocked
        # The reset after the call, by the first copy alone.
        wait_until(lambda: self.modem.names().count("AT+VCID=1") == 2, "the reset after the call")

        # The first user signs out: the waiting copy takes the line within its five seconds.
        self.probe("menu", "Vantelmoor", "&Quit Vantelmoor")
        wait_until(lambda: self.modem.names().count("AT+VCID=1") == 3, "the other copy to take over")
        self.modem.command("call 5551234567 JOHN DOE")
        self.assertEqual(self.wait_logged(3, data / "Vantelmoor.log")[:122], first)

        # Uninstalled while copies run in both sessions: all end, only the kept data is left.
        self.start_program()
        wait_until(lambda: len(self.copies()) == 2, "the first user's copy to run again")
        self.wine(str(self.program_dir / "Uninstall.exe"), "/S", timeout=300)
        wait_until(lambda: not self.copies(), "every copy to end")
        wait_until(lambda: not self.program_dir.exists(), "the program's folder to go")
        self.assertEqual(sorted(p.name for p in data.iterdir()),
                         ["Vantelmoor.dat", "Vantelmoor.log", "VantelmoorAllow.dat", "VantelmoorCounts.dat"])
        self.assertFalse(self.registry_values(UNINSTALL_KEY) or "Vantelmoor" in self.registry_values(RUN_KEY))
        self.assertFalse((self.prefix / START_MENU).exists())
        self.assertEqual(self.registry_values(SETTINGS_KEY).get("TotalBlocked"), "2")


if __name__ == "__main__":
    unittest.main()
