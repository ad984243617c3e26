"""The program as a tray utility: it starts with only its icon, the icon shows and hides the
monitor window and its menu pauses and listens, a second copy says that one is running, the
window is only ever put away, and the program ends by its Quit command, a call just reported
logged all the same, or when its run marker is deleted."""

import subprocess
import unittest

from harness import JANE_ROE_REPORT, Scenario, wait_until


class TrayUtility(Scenario):
    def tray_menu(self, item):
        self.probe("tray", "516")
        wait_until(lambda: self.probe("tray-menu", item, check=False).returncode == 0, f"the tray menu's {item!r}")

    def test_a_day_with_the_tray_icon(self):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.assertFalse(self.visible())

        self.probe("tray", "513")  # a click shows the window, the next hides it
        wait_until(self.visible, "the monitor window to show")
        self.screenshot("monitor-window", "Vantelmoor")
        self.probe("tray", "513")
        wait_until(lambda: not self.visible(), "the monitor window to hide")

        self.probe("tray", "516")
        wait_until(lambda: self.probe("rect", "menu", check=False).returncode == 0, "the tray menu")
        self.screenshot("tray-menu", "menu")
        self.probe("tray-menu", "Pause Monitoring")
        self.wait_text("lblStatus(0)", "Paused")
        paused_with = len(self.modem.names())
        self.tray_menu("Pause Monitoring")  # greyed while paused: nothing happens
        self.tray_menu("Listen for Calls")
        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.modem.names()[paused_with - 2:], ["ATZ", "AT+VCID=1", "ATZ", "AT+VCID=1"])

        second = subprocess.Popen(["wine", str(self.program_dir / "Vantelmoor.exe")], env=self.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertEqual(self.wait_box("Vantelmoor")[1], ["OK"])
        self.probe("answer", "Vantelmoor", "OK")
        second.wait(timeout=60)

        (self.program_dir / "Vantelmoor.dat").write_bytes(b"JOHN DOE            555-123-4567        ")
        self.modem.command("call 5551234567 JOHN DOE")
        wait_until(lambda: self.probe("tip").stdout.startswith("1 Total Blocked to Date\r1 Total Calls Analyzed\r"),
                   "the blocked call in the icon's tip")

        self.probe("tray", "513")
        wait_until(self.visible, "the monitor window to show")
        self.probe("close", "Vantelmoor")  # the title bar's close button: refused
        self.probe("menu", "Vantelmoor", "&Version")
        self.wait_box("Vantelmoor by Mornavelle")
        self.probe("answer", "Vantelmoor by Mornavelle", "OK")
        self.assertTrue(self.visible())
        self.probe("key", "Vantelmoor", "txtName", "f12")
        wait_until(lambda: not self.visible(), "F12 to hide the window")

        wait_until(lambda: self.modem.names()[-1] == "AT+VCID=1", "the reset after the call")
        # A call whose report has come in, then Quit at once, well within its five seconds: it is
        # logged all the same.
        self.modem.command(JANE_ROE_REPORT)
        self.wait_text("txtName", "JANE ROE")
        sent = len(self.modem.names())
        self.probe("menu", "Vantelmoor", "&Quit Vantelmoor")
        self.program.wait(timeout=30)
        self.assertEqual(len(self.modem.names()), sent)
        self.assertEqual(self.modem.holders(), set())
        self.assertEqual((self.program_dir / "Vantelmoor.log").read_bytes()[61:],
                         b"03/21     02:05 PM  JANE ROE            5550001111          \x00")

        # Started again, then its run marker deleted: it ends within ten seconds and lets the port go.
        self.start_program()
        wait_until(self.modem.holders, "the port to be held again")
        (self.program_dir / "Vantelmoor.flg").unlink()
        self.program.wait(timeout=15)
        self.assertEqual(self.modem.holders(), set())
        self.assertEqual(self.probe("icon", check=False).stdout.strip(), "0")


if __name__ == "__main__":
    unittest.main()
