"""Start-up on a clean machine: the registry, the modem initialisation and its timing, the run
marker, and a window that is put away but never closed."""

import unittest

from harness import Scenario, wait_until


class CleanStart(Scenario):
    def wait_until_hidden(self):
        wait_until(lambda: self.probe("visible", "Vantelmoor", check=False).stdout.strip() == "0",
                   "the main window to be hidden")

    def test_first_start_on_a_clean_machine(self):
        self.start_program()
        (reset_at, reset), (command_at, command) = self.modem.wait_for_commands(2)[:2]
        self.assertEqual((reset, command), ("ATZ", "AT+VCID=1"))
        self.assertGreaterEqual(command_at - reset_at, 1.5)
        self.assertLessEqual(command_at - reset_at, 2.5)
        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.text("lblStatus(0)"), "Waiting for Call")
        self.assertEqual(self.registry_values(), {"CommCommand": "AT+VCID=1"})
        marker = self.program_dir / "Vantelmoor.flg"
        wait_until(marker.exists, "the run marker")
        self.assertEqual(marker.read_bytes(), b"")

        self.probe("tray", "513")
        wait_until(lambda: self.probe("visible", "Vantelmoor").stdout.strip() == "1", "the window to show")
        self.probe("close", "Vantelmoor")  # the title bar's close button is refused
        self.probe("key", "Vantelmoor", "txtName", "escape")
        self.wait_until_hidden()
        self.assertEqual(self.text("lblStatus(0)"), "Waiting for Call")  # still there, still listening

    def test_an_existing_marker_is_kept_and_enter_hides(self):
        marker = self.program_dir / "Vantelmoor.flg"
        marker.write_bytes(b"kept")
        leftover = self.program_dir / "vtm1A2.tmp"  # of a rewrite that was cut short
        leftover.write_bytes(b"half a file")
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        wait_until(lambda: not leftover.exists(), "the leftover to be removed")
        # A call is logged five seconds after it is played: well after start-up has finished.
        self.modem.command("call 5551234567 JOHN DOE")
        log = self.program_dir / "Vantelmoor.log"
        wait_until(lambda: log.exists() and log.stat().st_size == 61, "the call to be logged")
        self.assertEqual(marker.read_bytes(), b"kept")
        self.probe("tray", "513")
        wait_until(lambda: self.probe("visible", "Vantelmoor").stdout.strip() == "1", "the window to show")
        self.probe("key", "Vantelmoor", "txtStatus", "return")
        self.wait_until_hidden()


if __name__ == "__main__":
    unittest.main()
