"""Screening for real: a listed caller whose report comes right after the caller-ID command is
answered at once (nothing of start-up comes in between); a caller is logged, blocked for the
future from the main window, and the next call from that number is answered and hung up."""

import unittest

from harness import JANE_ROE_REPORT, Scenario, wait_until

JOHN_DOE_ENTRY = b"JOHN DOE            555-123-4567        "
JANE_ROE_ENTRY = b"JANE ROE            5550001111          "


class Blocking(Scenario):
    def logged_records(self, count):
        data = self.wait_logged(count)
        return [data[i:i + 61] for i in range(0, len(data), 61)]

    def command_times(self, command):
        return [at for at, sent in self.modem.commands() if sent == command]

    def test_a_caller_blocked_from_the_window_is_answered_and_hung_up_next_time(self):
        self.block_file = self.program_dir / "Vantelmoor.dat"
        self.block_file.write_bytes(JANE_ROE_ENTRY)
        self.start_program()
        # The report comes the moment caller ID is on: whatever start-up still does, it is screened.
        wait_until(lambda: self.command_times("AT+VCID=1"), "the caller-ID command", timeout=60, interval=0.01)
        self.modem.command(JANE_ROE_REPORT)
        self.assertLessEqual(self.answer_delay("5550001111", "first second"), 0.05)
        self.assertEqual(self.logged_records(1)[0][60:], b"Y")
        wait_until(lambda: len(self.command_times("AT+VCID=1")) == 2, "the modem reset after the call")
        self.block_file.write_bytes(b"")

        self.modem.command("call 5551234567 JOHN DOE")
        self.assertEqual(self.logged_records(2)[1][60:], b"\x00")
        wait_until(lambda: len(self.command_times("AT+VCID=1")) == 3, "the modem reset after the call")

        self.probe("click", "Vantelmoor", "Connect(2)")
        self.assertEqual(self.wait_box("Add a number to block list")[1], ["Yes", "No"])
        self.probe("answer", "Add a number to block list", "Yes")
        wait_until(lambda: self.block_file.exists() and self.block_file.read_bytes() == JOHN_DOE_ENTRY,
                   "the caller in the block list")

        self.modem.command("call 5551234567 JOHN DOE")
        wait_until(lambda: len(self.command_times("ATA")) == 2, "ATA")
        self.assertLessEqual(self.answer_delay("5551234567", "a caller blocked from the window"), 0.05)
        ata = self.command_times("ATA")[-1]
        ath = wait_until(lambda: self.command_times("ATH")[1:], "ATH")[0]
        self.assertGreaterEqual(ath - ata, 2.5)
        self.assertLessEqual(ath - ata, 3.5)
        self.assertEqual(self.logged_records(3)[2][60:], b"Y")
        self.assertEqual(self.text("Label1(4)"), "2")  # the window's Total Blocked figure


if __name__ == "__main__":
    unittest.main()
