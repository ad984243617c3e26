#pragma once
// The default printer through GDI: GetDefaultPrinterA, a printer DC, a document of pages in
// Courier New, printed on a thread of its own.

#include "platform/printer.h"
#include "platform/win32/background_work.h"

namespace vantelmoor::win32 {

class Win32Printer final : public Printer {
public:
    Win32Printer() : work_("printing the call log") {}
    void print(const std::string& document, int points, Paginate paginate,
               std::function<void(PrintFailure)> done) override;

private:
    BackgroundWork work_;
};

}  // namespace vantelmoor::win32
