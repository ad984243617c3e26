#pragma once
// Opening a document or a web page with whatever program the user has for it.

#include <functional>
#include <string>

namespace vantelmoor {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens it without holding the user-interface thread (the shell may take seconds); `done`
    // gets, on that thread, the shell's result code: above 32 on success, 0 to 32 on failure.
    virtual void open_document(const std::string& target, std::function<void(long)> done) = 0;
};

}  // namespace vantelmoor
