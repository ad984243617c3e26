"""Modems that refuse caller ID, a modem found by the port scan, a machine with no modem, and the
serial layer's own containment on a real port."""

import unittest

from harness import BUILD, SETTINGS_KEY, Scenario, wait_until


class FirstCommandRefusedOnPortThree(Scenario):
    profile = "plus-error"
    modem_port = 3

    def test_the_scan_finds_the_modem_which_switches_to_the_second_command(self):
        self.start_program()
        commands = [c for _, c in self.modem.wait_for_commands(4)]
        self.assertEqual(commands[:4], ["ATZ", "AT+VCID=1", "ATZ", "AT#VCID=1"])
        self.wait_text("Connect(0)", "&Pause")
        wait_until(lambda: self.registry_values(SETTINGS_KEY).get("CommCommand") == "AT#VCID=1",
                   "CommCommand to be AT#VCID=1")
        self.assertFalse(self.box_open("Modem Error"))


class NoCallerId(Scenario):
    profile = "no-callerid"

    def test_tells_the_user_and_answered_no_leaves_monitoring_paused(self):
        self.start_program()
        self.assertEqual(self.wait_box("Modem Error")[1], ["Yes", "No"])  # the modem page offered
        self.probe("answer", "Modem Error", "No")
        self.wait_text("lblStatus(0)", "Paused")
        self.assertEqual(self.text("Connect(0)"), "&Listen for Calls")
        self.assertEqual(self.modem.names(), ["ATZ", "AT+VCID=1", "ATZ", "AT#VCID=1"])


class NoModemAtAll(Scenario):
    modem_port = None

    def test_scans_every_port_then_says_so_once(self):
        self.start_program()
        self.wait_box("Vantelmoor Initialization")
        self.probe("answer", "Vantelmoor Initialization", "OK")
        self.wait_text("lblStatus(0)", "Modem Error")
        self.assertFalse(self.box_open("Vantelmoor Initialization"))


class SerialLayerOnTheModem(Scenario):
    copy_program = False

    def test_a_delivery_that_throws_is_told_and_the_next_still_comes(self):
        """Out of memory while the program reads what the modem sent must not end it; only here is
        there a modem for the Win32 suite's port test to read."""
        self.env["VANTELMOOR_TEST_COM"] = str(self.modem_port)
        result = self.wine(str(BUILD / "tests/win32/win32-tests.exe"),
                           "--gtest_filter=UiThreadTest.OutOfMemoryInTheModemsDelivery*", check=False)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("[  PASSED  ] 1 test", result.stdout)


if __name__ == "__main__":
    unittest.main()
