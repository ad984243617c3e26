"""Caller-ID reports in each of the forms modems send, played one after another to one running
program: each fills the caller fields, is logged, and has the modem reset after it."""

import unittest

from harness import Scenario, wait_until


class EveryReportForm(Scenario):
    calls = 0

    def play(self, command, name, number, date, time):
        self.modem.command(command)
        self.wait_text("txtName", name)
        self.assertEqual(self.text("txtNumber"), number)
        self.assertEqual(self.text("txtDate"), date)
        self.assertEqual(self.text("txtTime"), time)
        self.assertEqual(self.text("lblStatus(0)"), "Analyzing Call")
        self.wait_logged_and_reset()

    def wait_logged_and_reset(self):
        """The next call must not ring while this one waits to be logged or the modem resets."""
        self.calls += 1
        wait_until(lambda: self.log_file.exists() and self.log_file.stat().st_size == 61 * self.calls,
                   f"call {self.calls} in the log")
        wait_until(lambda: [c for _, c in self.modem.commands()].count("ATZ") == self.calls + 1
                   and self.modem.commands()[-1][1] == "AT+VCID=1", f"the reset after call {self.calls}")

    def test_every_form_fills_the_caller_fields(self):
        self.log_file = self.program_dir / "Vantelmoor.log"
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.play("call 5551234567 JOHN DOE", "JOHN DOE", "555-123-4567", "03/21", "02:05 PM")
        self.play(r"raw \r\n\r\nRING\r\n\r\n\r\nDATE=0322\r\nTIME=0930\r\nNMBR=5550001111\r\nNAME=BLANK LINES"
                  r"\r\n\r\n\r\n", "BLANK LINES", "555-000-1111", "03/22", "09:30 AM")
        self.play(r"raw \r\nDATE TIME=11/24 22:10\r\nDDN = 5550002222\r\nNAME = FRANCE\r\n", "FRANCE",
                  "555-000-2222", "11/24", "10:10 PM")
        self.play(r"raw \r\nCID RING\r\nDATE=0323\r\nTIME=1200\r\nNBR=5550003333\r\nATA\rNAME=NO LINE FEED\r\n",
                  "NO LINE FEED", "555-000-3333", "03/23", "12:00 PM")
        for profile, name, hour in (("spaced", "SPACED", "0101"), ("distinctive", "RING A", "0202"),
                                    ("report-first", "REPORT FIRST", "0303")):
            self.modem.command(f"profile {profile}")
            self.play(f"call time={hour} 5550004444 {name}", name, "555-000-4444", "03/21",
                      f"{hour[:2]}:{hour[2:]} AM")

        # A number without a name line is logged too, and the modem reset after it.
        self.modem.command("profile standard")
        self.modem.command("call 5559876543")
        self.wait_logged_and_reset()
        self.assertEqual(self.log_file.read_bytes()[-61:],
                         b"03/21     02:05 PM                      5559876543          \x00")


if __name__ == "__main__":
    unittest.main()
