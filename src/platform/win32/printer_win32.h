#pragma once
// The default printer through GDI: GetDefaultPrinterA, a printer DC, a document of pages in
// Courier New.

#include "platform/printer.h"

namespace vantelmoor::win32 {

class Win32Printer final : public Printer {
public:
    PrintFailure lines_per_page(int points, int& lines) override;
    PrintFailure print(const std::string& document, const std::vector<PrintedPage>& pages, int points) override;
};

}  // namespace vantelmoor::win32
