"""A call report in each of the forms modems send fills the caller fields."""

import unittest

from harness import Scenario


class CallReportScenario(Scenario):
    def play_and_check(self, command):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.modem.command(command)
        self.wait_text("txtName", "JOHN DOE")
        self.assertEqual(self.text("txtNumber"), "555-123-4567")
        self.assertEqual(self.text("txtTime"), "02:05 PM")
        self.assertEqual(self.text("txtDate"), "03/21")
        self.assertEqual(self.text("lblStatus(0)"), "Analyzing Call")


class PlainReport(CallReportScenario):
    def test_report_with_equals_signs(self):
        self.play_and_check("call 5551234567 JOHN DOE")
        self.assertIn("NMBR=5551234567", self.text("txtStatus"))

    def test_report_with_blank_lines_around_it(self):
        self.play_and_check(r"raw \r\n\r\nRING\r\n\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\n"
                            r"NAME=JOHN DOE\r\n\r\n\r\n")


class SpacedReport(CallReportScenario):
    profile = "spaced"

    def test_report_with_spaces_around_equals_signs(self):
        self.play_and_check("call 5551234567 JOHN DOE")
        self.assertIn("NMBR = 5551234567", self.text("txtStatus"))


class DistinctiveRingReport(CallReportScenario):
    profile = "distinctive"

    def test_report_after_ring_a(self):
        self.play_and_check("call 5551234567 JOHN DOE")
        self.assertIn("RING A", self.text("txtStatus"))


class ReportBeforeFirstRing(CallReportScenario):
    profile = "report-first"

    def test_report_before_the_first_ring(self):
        self.play_and_check("call 5551234567 JOHN DOE")
        log = self.text("txtStatus")
        self.assertLess(log.index("NMBR="), log.index("RING"))


if __name__ == "__main__":
    unittest.main()
