#pragma once
// The default printer: a document printed page by page in one fixed-pitch font, without holding
// the user-interface thread, which screens the calls, while hundreds of pages go out.

#include <functional>
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

// The document's pages for a page of this many lines.
using Paginate = std::function<std::vector<PrintedPage>(int lines_per_page)>;

class Printer {
public:
    virtual ~Printer() = default;
    // Prints the document on the default printer in Courier New at `points`: `paginate` makes its
    // pages once the page's size is known (on another thread: it must use only what it holds), and
    // `done` gets, on the user-interface thread, nullopt or why it was not printed (no default
    // printer, a printer that cannot be reached).
    virtual void print(const std::string& document, int points, Paginate paginate,
                       std::function<void(PrintFailure)> done) = 0;
};

}  // namespace vantelmoor
