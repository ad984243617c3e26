"""Printing the call log on the default printer: through Wine's printing to CUPS and a PDF printer
(Debian's cups-pdf), whose PDF's text is read back with pdftotext; and with no printer, the
program's error box."""

import glob
import os
import shutil
import subprocess
import time
import unittest

from harness import Scenario, wait_until

PRINTER = "VantelmoorPDF"
RECORDS = (b"03/21     02:05 PM  JOHN DOE            5551234567          Y" +
           b"03/22     10:30 AM  MARY SMITH          5550123             \x00")


def pdf_printer():
    """Makes CUPS's PDF printer the default, starting CUPS if need be; None when that cannot be."""
    if not shutil.which("lpadmin") or not os.path.exists("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"):
        return None
    if subprocess.run(["lpstat", "-r"], capture_output=True, text=True).stdout.strip() != "scheduler is running":
        subprocess.run(["cupsd"], check=False)
        wait_until(lambda: subprocess.run(["lpstat", "-r"], capture_output=True, text=True).stdout.strip()
                   == "scheduler is running", "CUPS to start")
    added = subprocess.run(["lpadmin", "-p", PRINTER, "-v", "cups-pdf:/", "-E", "-P",
                            "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"], capture_output=True)
    if added.returncode != 0:
        return None
    subprocess.run(["lpadmin", "-d", PRINTER], check=True)
    return os.path.expanduser("~/PDF")  # where cups-pdf puts the jobs of the user who printed


class PrintTheLog(Scenario):
    def print_log(self):
        (self.program_dir / "Vantelmoor.log").write_bytes(RECORDS)
        self.start_program()
        self.wait_text("Connect(0)", "&Pause")
        self.probe("menu", "Vantelmoor", "View &Call Log")
        wait_until(lambda: self.probe("enabled", "Call Log", "Command1(3)", check=False).stdout.strip() == "1",
                   "the call-log window")
        self.probe("click", "Call Log", "Command1(3)")
        text, _ = self.wait_box("Vantelmoor")
        self.assertEqual(text, "Printing. Please Wait.\r\rClick OK to continue.")
        self.probe("answer", "Vantelmoor", "OK")

    def test_on_a_pdf_printer_every_record_stands_under_its_heading(self):
        out = pdf_printer()
        if out is None:
            self.skipTest("no CUPS PDF printer can be set up here (needs root, cups and printer-driver-cups-pdf)")
        started = time.time()
        self.print_log()
        def printed_text():
            # cups-pdf names the file after the document, so an older print's file is written over;
            # it writes the file as the job runs, so a file not yet whole does not read.
            for path in glob.glob(os.path.join(out, "*.pdf")):
                if os.path.getmtime(path) >= started:
                    read = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True)
                    if read.returncode == 0 and "_" * 67 in read.stdout:
                        return read.stdout
            return None

        text = wait_until(printed_text, "the printed PDF", timeout=60).replace("\u00ad", "-")  # dashes are soft hyphens
        lines = [line for line in text.split("\n") if line.strip()]
        heading = next(line for line in lines if line.lstrip().startswith("DATE"))
        records = [line for line in lines if line.lstrip()[:5] in ("03/21", "03/22")]
        self.assertEqual(len(records), 2)
        # A 7-digit number stands four columns in, so that its last eight line up with a 10-digit one.
        for record, fields in zip(records, ((("03/21", 0), ("02:05 PM", 0), ("JOHN DOE", 0), ("555-123-4567", 0), ("Y", 0)),
                                            (("03/22", 0), ("10:30 AM", 0), ("MARY SMITH", 0), ("555-0123", 4), None))):
            for word, field in zip(("DATE", "TIME", "NAME", "NUMBER", "BLOCKED"), fields):
                if field is None:
                    self.assertEqual(record[heading.index(word) - 2:].strip(), "", "nothing under BLOCKED")
                    continue
                # pdftotext places words to within a column or two of where they were printed.
                text_at, offset = field
                self.assertLessEqual(abs(record.index(text_at) - heading.index(word) - offset), 2, (word, record, heading))
        self.wait_text("Connect(0)", "&Pause")
        self.assertEqual(self.probe("visible", "Vantelmoor").stdout.strip(), "1")  # shown again afterwards

    def test_with_no_printer_the_program_says_so(self):
        self.env["CUPS_SERVER"] = "127.0.0.1:9"  # no CUPS to ask: no printer at all
        self.print_log()
        text, buttons = self.wait_box("Vantelmoor Print Log Error")
        self.assertEqual(text, "There is a problem connecting to your default printer. This function may not be "
                               "available under your current configuration.")
        self.assertEqual(buttons, ["OK"])


if __name__ == "__main__":
    unittest.main()
