"""Start-up on a clean machine: the registry, the modem initialisation and its timing, the window."""

import unittest

from harness import Scenario, wait_until


class CleanStart(Scenario):
    def test_resets_the_modem_and_switches_caller_id_on_two_seconds_later(self):
        self.start_program()
        commands = self.modem.wait_for_commands(2)
        (reset_at, reset), (command_at, command) = commands[0], commands[1]
        self.assertEqual(reset, "ATZ")
        self.assertEqual(command, "AT+VCID=1")
        self.assertGreaterEqual(command_at - reset_at, 1.5)
        self.assertLessEqual(command_at - reset_at, 2.5)
        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.text("lblStatus(0)"), "Waiting for Call")

    def test_clean_registry_gets_only_the_caller_id_command(self):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.registry_values(), {"CommCommand": "AT+VCID=1"})

    def test_creates_an_empty_run_marker_and_keeps_an_existing_one(self):
        marker = self.program_dir / "Vantelmoor.flg"
        self.start_program()
        wait_until(marker.exists, "the run marker")
        self.assertEqual(marker.read_bytes(), b"")
        self.stop_wine()
        marker.write_bytes(b"kept")
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        # A call is logged five seconds after it is played: well after start-up has finished.
        self.modem.command("call 5551234567 JOHN DOE")
        log = self.program_dir / "Vantelmoor.log"
        wait_until(lambda: log.exists() and log.stat().st_size == 61, "the call to be logged")
        self.assertEqual(marker.read_bytes(), b"kept")

    def test_title_bar_close_is_refused_and_escape_hides(self):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.probe("close", "Vantelmoor")
        self.probe("key", "Vantelmoor", "txtName", "escape")
        self.wait_until_hidden()
        self.assertEqual(self.text("lblStatus(0)"), "Waiting for Call")  # still there, still listening

    def test_enter_presses_hide(self):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.probe("key", "Vantelmoor", "txtStatus", "return")
        self.wait_until_hidden()

    def wait_until_hidden(self):
        wait_until(lambda: self.probe("visible", "Vantelmoor", check=False).stdout.strip() == "0",
                   "the main window to be hidden")


if __name__ == "__main__":
    unittest.main()
