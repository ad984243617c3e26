#pragma once
// Opening a document or a web page with whatever program the user has for it.

#include <string>

namespace vantelmoor {

class Shell {
public:
    virtual ~Shell() = default;
    // Returns the shell's result code: above 32 on success, 0 to 32 on failure.
    virtual long open_document(const std::string& target) = 0;
};

}  // namespace vantelmoor
