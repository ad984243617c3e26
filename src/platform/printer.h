#pragma once
// The default printer: how many lines fit on a page, and a document printed page by page in one
// fixed-pitch font.

#include <optional>
#include <string>
#include <vector>

namespace vantelmoor {

struct PrintLine {
    std::string text;
    bool bold = false;
};

using PrintedPage = std::vector<PrintLine>;

// nullopt when it went right; otherwise why not, in the system's words.
using PrintFailure = std::optional<std::string>;

class Printer {
public:
    virtual ~Printer() = default;
    // Lines of Courier New at `points` that fit on a page of the default printer; the failure when
    // there is no default printer or it cannot be reached.
    [[nodiscard]] virtual PrintFailure lines_per_page(int points, int& lines) = 0;
    // Prints the pages as one document, in Courier New at `points`, and sends it to the printer.
    [[nodiscard]] virtual PrintFailure print(const std::string& document, const std::vector<PrintedPage>& pages,
                                             int points) = 0;
};

}  // namespace vantelmoor
