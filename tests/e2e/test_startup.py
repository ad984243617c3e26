"""Start-up on a machine where users have been at the shared places: a planted modem command that
must never reach the modem, and a save's leftover; the modem initialisation and its timing, and a
window that is put away but never closed."""

import unittest

from harness import Scenario, wait_until


class Start(Scenario):
    def show_then_hide_with(self, key):
        self.probe("tray", "513")
        wait_until(self.visible, "the window to show")
        self.probe("key", "Vantelmoor", "txtStatus", key)
        wait_until(lambda: not self.visible(), f"{key} to hide the main window")

    def test_a_planted_command_never_reaches_the_modem_and_the_window_is_only_put_away(self):
        leftover = self.program_dir / ("Vantelmoor-" + "0123456789abcdef" * 2 + ".tmp")  # of a save cut short
        leftover.write_bytes(b"half a file")
        # Every user may write the value: a dial after a carriage return and after a ";".
        planted = "AT#CID=1;DT5551234\rATD9005551234"
        reg = self.workdir / "planted.reg"
        reg.write_text("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vantelmoor\\Settings]\r\n"
                       '"CommCommand"=hex(1):' + ",".join(f"{b:02x}" for b in planted.encode() + b"\0") + "\r\n")
        self.wine("regedit", "/S", str(reg))
        self.start_program()
        (reset_at, reset), (command_at, command) = self.modem.wait_for_commands(2)[:2]
        self.assertEqual((reset, command), ("ATZ", "AT+VCID=1"))
        self.assertGreaterEqual(command_at - reset_at, 1.5)
        self.assertLessEqual(command_at - reset_at, 2.5)
        self.wait_text("Connect(0)", "&Pause")
        self.wait_log_text("is not used")
        wait_until(lambda: not leftover.exists(), "the leftover to be removed")
        # A call is logged five seconds after it is played: well after start-up has finished.
        self.modem.command("call 5551234567 JOHN DOE")
        log = self.program_dir / "Vantelmoor.log"
        wait_until(lambda: log.exists() and log.stat().st_size == 61, "the call to be logged")
        self.assertEqual(set(self.modem.names()), {"ATZ", "AT+VCID=1"})
        self.show_then_hide_with("escape")
        self.show_then_hide_with("return")
        self.assertEqual(self.text("Connect(0)"), "&Pause")  # still there, still listening


if __name__ == "__main__":
    unittest.main()
