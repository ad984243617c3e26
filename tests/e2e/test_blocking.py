"""Screening for real: a listed caller is answered and hung up, every call is logged, and the
caller just seen can be blocked from the main window."""

import sys
import unittest

from harness import SETTINGS_KEY, Scenario, wait_until

JOHN_DOE_ENTRY = b"JOHN DOE            555-123-4567        "


class BlockingScenario(Scenario):
    def setUp(self):
        super().setUp()
        self.block_file = self.program_dir / "Vantelmoor.dat"
        self.log_file = self.program_dir / "Vantelmoor.log"

    def listen(self):
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")

    def logged_records(self, count):
        def read():
            data = self.log_file.read_bytes() if self.log_file.exists() else b""
            return data if len(data) == 61 * count else None
        data = wait_until(read, f"{count} record(s) in the call log")
        return [data[i:i + 61] for i in range(0, len(data), 61)]

    def sent_time(self, text):
        """When the simulator wrote the chunk holding `text` to the program."""
        for at, chunk in self.modem.sent():
            if text.encode() in chunk:
                return at
        self.fail(f"the modem never sent {text!r}")

    def command_times(self, command):
        return [at for at, sent in self.modem.commands() if sent == command]


class ListedCaller(BlockingScenario):
    def test_is_answered_hung_up_logged_and_counted(self):
        self.block_file.write_bytes(JOHN_DOE_ENTRY)
        self.listen()
        self.modem.command("call 5551234567 JOHN DOE")

        self.wait_text("lblStatus(0)", "Flushing Call")
        self.assertRegex(self.text("lblStatus(1)"), r"^0:0[0-4]$")
        ata = wait_until(lambda: self.command_times("ATA"), "ATA")[0]
        delay = ata - self.sent_time("NMBR=5551234567\r")
        print(f"\nATA {delay * 1000:.1f} ms after the number line", file=sys.stderr)
        self.assertLessEqual(delay, 0.05)
        ath = wait_until(lambda: self.command_times("ATH"), "ATH")[0]
        self.assertGreaterEqual(ath - ata, 2.5)
        self.assertLessEqual(ath - ata, 3.5)

        record = self.logged_records(1)[0]
        self.assertEqual(record, b"03/21     02:05 PM  JOHN DOE            5551234567          Y")
        values = self.registry_values(SETTINGS_KEY)
        self.assertEqual(values.get("TotalBlocked"), "1")
        self.assertEqual(values.get("TotalCount"), "1")
        self.assertEqual(self.text("Label1(4)"), "1")
        # After logging, the modem is reset and caller ID switched on again for the next call.
        wait_until(lambda: [c for _, c in self.modem.commands()][-2:] == ["ATZ", "AT+VCID=1"]
                   and len(self.command_times("ATZ")) == 2, "the modem reset after the call")


class AllowedCaller(BlockingScenario):
    def test_is_logged_unblocked_and_can_be_blocked_for_the_future(self):
        self.listen()
        self.modem.command("call 5551234567 JOHN DOE")
        record = self.logged_records(1)[0]
        self.assertEqual(record[60:], b"\x00")
        self.assertEqual(self.command_times("ATA"), [])
        wait_until(lambda: len(self.command_times("AT+VCID=1")) == 2, "the modem reset after the call")

        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.probe("enabled", "Vantelmoor", "Connect(2)").stdout.strip(), "1")
        self.probe("click", "Vantelmoor", "Connect(2)")
        text, buttons = self.wait_box("Add a number to block list")
        self.assertEqual(text, "Turn call blocking ON for this name/number?\r\rName: JOHN DOE\r\r"
                               "Phone Number: 555-123-4567")
        self.assertEqual(buttons, ["Yes", "No"])
        self.probe("answer", "Add a number to block list", "Yes")
        wait_until(lambda: self.block_file.exists() and self.block_file.read_bytes() == JOHN_DOE_ENTRY,
                   "the caller in the block list")
        self.assertEqual(self.probe("enabled", "Vantelmoor", "Connect(2)").stdout.strip(), "0")

        self.modem.command("call 5551234567 SOMEONE ELSE")
        wait_until(lambda: self.command_times("ATA"), "the next call from that number to be answered")


if __name__ == "__main__":
    unittest.main()
