"""Nothing lost, nothing silent: a call log held by another program at start-up, a blocked caller
whose report the modem's echo splits, a modem that is unplugged and plugged in again, and one that
is switched off (it says nothing, and no error comes), all in one run of the program."""

import unittest

from harness import Scenario, wait_until

OLD_RECORDS = b"".join(
    date + b"     01:00 AM  OLD CALLER          555000000" + digit + b"          \x00"
    for date, digit in ((b"01/01", b"1"), (b"01/02", b"2"), (b"01/03", b"3")))
JOHN_DOE_ENTRY = b"JOHN DOE            555-123-4567        "


class ModemThatEchoesAndVanishes(Scenario):
    line_delay = 50  # the report's lines 50 ms apart, so the echo of "ATA" falls between them

    def resets(self):
        return self.modem.names().count("ATZ")

    def test_nothing_is_lost_and_the_modem_comes_back(self):
        log_file = self.program_dir / "Vantelmoor.log"
        log_file.write_bytes(OLD_RECORDS)
        (self.program_dir / "Vantelmoor.dat").write_bytes(JOHN_DOE_ENTRY)
        release = self.hold(log_file)
        self.start_program()
        self.wait_log_text("cannot be read")
        release()

        # A listed caller, answered at its number line: the echo of ATA takes the line feed of
        # the name line that follows 50 ms later.
        self.modem.command("call 5551234567 JOHN DOE")
        wait_until(lambda: log_file.read_bytes() != OLD_RECORDS, "the blocked call in the log")
        self.assertEqual(log_file.read_bytes(),
                         OLD_RECORDS + b"03/21     02:05 PM  JOHN DOE            5551234567          Y")
        sent = b"".join(chunk for _, chunk in self.modem.sent())
        self.assertIn(b"NMBR=5551234567\r\nATA\rNAME=JOHN DOE", sent)  # the echo came between the two lines
        wait_until(lambda: self.resets() == 2, "the modem reset after the call")

        self.modem.command("unplug")
        self.wait_text("lblStatus(0)", "Modem Error", timeout=10)
        for title in ("Error", "Vantelmoor Initialization", "Vantelmoor"):
            self.assertFalse(self.box_open(title))

        self.modem.command("plug")
        wait_until(lambda: self.resets() == 3 and self.modem.commands()[-1][1] == "AT+VCID=1",
                   "the reset and the caller-ID command", timeout=15)
        self.modem.command("call 5550001111 BACK AGAIN")
        self.wait_text("txtName", "BACK AGAIN")

        # Switched off, the modem reports nothing: a minute of quiet, then it is asked, and two
        # silences are a lost modem. Switched on, the next try finds it answering.
        self.modem.command("off")
        self.wait_text("lblStatus(0)", "Modem Error", timeout=150)
        self.modem.command("on")
        self.wait_text("lblStatus(0)", "Waiting for Call", timeout=20)


if __name__ == "__main__":
    unittest.main()
