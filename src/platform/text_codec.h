#pragma once
// Text between the program's ANSI code page (the records' bytes) and UTF-8 (the files other tools
// read and write).

#include <cstddef>
#include <string>
#include <string_view>

namespace vantelmoor {

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // UTF-8 as the code page's bytes; each character the code page has no byte for (and each byte
    // that is no UTF-8) becomes '?', and `replaced` counts them.
    [[nodiscard]] virtual std::string to_ansi(std::string_view utf8, std::size_t& replaced) const = 0;
    [[nodiscard]] virtual std::string to_utf8(std::string_view ansi) const = 0;
};

}  // namespace vantelmoor
