"""Start-up on a clean machine: the registry, the modem initialisation and its timing, the run
marker, and a window that is put away but never closed."""

import unittest

from harness import Scenario, wait_until


class CleanStart(Scenario):
    def wait_until_hidden(self):
        wait_until(lambda: not self.visible(), "the main window to be hidden")

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
        wait_until(self.visible, "the window to show")
        self.probe("close", "Vantelmoor")  # the title bar's close button is refused
        self.probe("key", "Vantelmoor", "txtName", "escape")
        self.wait_until_hidden()
        self.assertEqual(self.text("lblStatus(0)"), "Waiting for Call")  # still there, still listening

    def test_a_planted_command_never_reaches_the_modem_an_existing_marker_is_kept_and_enter_hides(self):
        marker = self.program_dir / "Vantelmoor.flg"
        marker.write_bytes(b"kept")
        leftover = self.program_dir / ("Vantelmoor-" + "0123456789abcdef" * 2 + ".tmp")  # of a save cut short
        leftover.write_bytes(b"half a file")
        not_ours = self.program_dir / "vtm1A2.tmp"
        not_ours.write_bytes(b"someone else's")
        # Every user may write the value: a dial after a carriage return and after a ";".
        planted = "AT#CID=1;DT5551234\rATD9005551234".encode("latin-1")
        reg = self.workdir / "planted.reg"
        reg.write_text("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vantelmoor\\Settings]\r\n"
                       '"CommCommand"=hex(1):' + ",".join(f"{b:02x}" for b in planted + b"\0") + "\r\n")
        self.wine("regedit", "/S", str(reg))
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.modem.names(), ["ATZ", "AT+VCID=1"])
        self.wait_log_text("is not used")
        wait_until(lambda: not leftover.exists(), "the leftover to be removed")
        self.assertTrue(not_ours.exists())
        # A call is logged five seconds after it is played: well after start-up has finished.
        self.modem.command("call 5551234567 JOHN DOE")
        log = self.program_dir / "Vantelmoor.log"
        wait_until(lambda: log.exists() and log.stat().st_size == 61, "the call to be logged")
        self.assertEqual(marker.read_bytes(), b"kept")
        self.probe("tray", "513")
        wait_until(self.visible, "the window to show")
        self.probe("key", "Vantelmoor", "txtStatus", "return")
        self.wait_until_hidden()


if __name__ == "__main__":
    unittest.main()
