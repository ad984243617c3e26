#include "platform/win32/printer_win32.h"

#include <windows.h>

#include <winspool.h>

#include <memory>
#include <exception>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"

namespace vantelmoor::win32 {
namespace {

// A DC of the default printer, deleted with its owner.
class PrinterDc {
public:
    PrinterDc() {
        char name[512] = {};
        DWORD size = sizeof(name);
        if (!GetDefaultPrinterA(name, &size)) {
            failure_ = "there is no default printer (" + system_error_text(GetLastError()) + ")";
            return;
        }
        dc_ = CreateDCA(nullptr, name, nullptr, nullptr);
        if (!dc_)
            failure_ =
                std::string("the printer ") + name + " cannot be reached (" + system_error_text(GetLastError()) + ")";
    }
    ~PrinterDc() {
        if (dc_) DeleteDC(dc_);
    }
    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;

    [[nodiscard]] HDC get() const { return dc_; }
    [[nodiscard]] const std::string& failure() const { return failure_; }

    GdiObject font(int points, bool bold) const {
        LOGFONTA font{};
        font.lfHeight = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
        font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
        return GdiObject(CreateFontIndirectA(&font));
    }
    // The height of a line in this font, leading included.
    int line_height(const GdiObject& font) const {
        const HGDIOBJ old = SelectObject(dc_, font.get());
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc_, &metrics);
        SelectObject(dc_, old);
        return metrics.tmHeight + metrics.tmExternalLeading;
    }

private:
    HDC dc_ = nullptr;
    std::string failure_;
};

std::string last_error(const char* step) {
    return std::string(step) + " failed (" + system_error_text(GetLastError()) + ")";
}

// On the printing thread: the page's lines, the pages, and the document.
PrintFailure print_now(const std::string& document, int points, const Paginate& paginate) {
    const PrinterDc printer;
    if (!printer.get()) return printer.failure();
    const GdiObject regular = printer.font(points, false);
    const GdiObject bold = printer.font(points, true);
    const int height = printer.line_height(regular);
    if (!regular || !bold || height <= 0) return last_error("choosing the printer's font");
    const int lines = GetDeviceCaps(printer.get(), VERTRES) / height;
    if (lines <= 0) return PrintFailure{"the printer's page holds no line"};
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = document.c_str();
    if (StartDocA(printer.get(), &info) <= 0) return last_error("starting the document");
    for (const PrintedPage& page : paginate(lines)) {
        if (StartPage(printer.get()) <= 0) {
            const PrintFailure failure = last_error("starting a page");
            AbortDoc(printer.get());
            return failure;
        }
        int y = 0;
        for (const PrintLine& line : page) {
            const HGDIOBJ old = SelectObject(printer.get(), (line.bold ? bold : regular).get());
            TextOutA(printer.get(), 0, y, line.text.c_str(), static_cast<int>(line.text.size()));
            SelectObject(printer.get(), old);
            y += height;
        }
        if (EndPage(printer.get()) <= 0) {
            const PrintFailure failure = last_error("ending a page");
            AbortDoc(printer.get());
            return failure;
        }
    }
    return EndDoc(printer.get()) > 0 ? PrintFailure{} : last_error("sending the document to the printer");
}

}  // namespace

void Win32Printer::print(const std::string& document, int points, Paginate paginate,
                         std::function<void(PrintFailure)> done) {
    auto failure = std::make_shared<PrintFailure>();
    // Whatever stops the job, its end comes back: the busy pointer and "being printed" wait for it.
    work_.run(
        [failure, document, points, paginate = std::move(paginate)] {
            try {
                *failure = print_now(document, points, paginate);
            } catch (const std::exception& error) {
                *failure = std::string("the printing stopped: ") + error.what();
            }
        },
        [failure, done = std::move(done)] { done(*failure); });
}

}  // namespace vantelmoor::win32
