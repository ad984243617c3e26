"""One modem on COM3, found by the port scan: refusing the first caller-ID command, then both (the
simulator's profile switched), then unplugged for a start with no modem at all; and while it is
paused, the serial layer's own containment on the real port."""

import unittest

from harness import BUILD, CAPTION, SETTINGS_KEY, Scenario, wait_until


class ModemOnPortThree(Scenario):
    profile = "plus-error"
    modem_port = 3

    def test_the_modem_is_found_and_each_refusal_or_absence_is_told_once_without_ending_the_program(self):
        # Found by the scan; its ERROR to AT+VCID=1 switches, silently, to AT#VCID=1 for good.
        self.start_program()
        self.modem.wait_for_commands(4)  # AT#VCID=1 the fourth, answered OK before the profile changes
        self.wait_text("Connect(0)", "&Pause")
        wait_until(lambda: self.registry_values(SETTINGS_KEY).get("CommCommand") == "AT#VCID=1",
                   "CommCommand to be AT#VCID=1")
        self.assertFalse(self.box_open("Modem Error"))

        # Refusing both commands, it is offered the modem page; answered No, monitoring stays paused.
        self.modem.command("profile no-callerid")
        self.probe("click", CAPTION, "Connect(0)")
        self.wait_text("Connect(0)", "&Listen for Calls")
        self.probe("click", CAPTION, "Connect(0)")
        self.assertEqual(self.wait_box("Modem Error")[1], ["Yes", "No"])
        self.probe("answer", "Modem Error", "No")
        self.wait_text("lblStatus(0)", "Paused")

        # The port let go: out of memory while the program reads what the modem sent must not end
        # it; only here is there a modem for the Win32 suite's port test to read.
        self.env["VANTELMOOR_TEST_COM"] = str(self.modem_port)
        result = self.wine(str(BUILD / "tests/win32/win32-tests.exe"),
                           "--gtest_filter=UiThreadTest.OutOfMemoryInTheModemsDelivery*", check=False)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("[  PASSED  ] 1 test", result.stdout)

        # Started again with the modem unplugged: every port scanned, then said once.
        self.probe("menu", CAPTION, "&Quit Vantelmoor")
        self.program.wait(timeout=30)
        self.modem.command("unplug")
        self.start_program()
        self.wait_box("Vantelmoor Initialization")
        self.probe("answer", "Vantelmoor Initialization", "OK")
        self.wait_text("lblStatus(0)", "Modem Error")
        self.assertFalse(self.box_open("Vantelmoor Initialization"))


if __name__ == "__main__":
    unittest.main()
