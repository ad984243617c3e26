#pragma once
// Files the user picks, in memory: what the open dialog gives, and what was saved where; and the
// Latin-1 code page, as the records' bytes are on most machines here.

#include <deque>
#include <map>
#include <optional>
#include <string>

#include "platform/text_codec.h"
#include "platform/user_files.h"

namespace vantelmoor::test {

class FakeUserFiles : public UserFiles {
public:
    std::deque<std::optional<ChosenFile>> to_open;  // cancelled when none is left
    std::optional<std::string> save_to;             // where the user saves; cancelled when none
    std::map<std::string, std::string> saved;

    std::optional<ChosenFile> open(const std::string&, std::size_t) override {
        if (to_open.empty()) return std::nullopt;
        std::optional<ChosenFile> file = to_open.front();
        to_open.pop_front();
        return file;
    }
    std::optional<ChosenFile> save(const std::string&, const std::string&, std::string_view bytes) override {
        if (!save_to) return std::nullopt;
        saved[*save_to] = std::string(bytes);
        return ChosenFile{*save_to, std::nullopt, ""};
    }
};

class Latin1 final : public TextCodec {
public:
    std::string to_ansi(std::string_view utf8, std::size_t& replaced) const override {
        std::string ansi;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80) {
                ansi += static_cast<char>(c);
            } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
                ansi += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
            } else {
                ansi += '?';
                ++replaced;
                while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
            }
        }
        return ansi;
    }
    std::string to_utf8(std::string_view ansi) const override {
        std::string utf8;
        for (const char ch : ansi) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x80) {
                utf8 += ch;
            } else {
                utf8 += static_cast<char>(0xC0 | (c >> 6));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return utf8;
    }
};

}  // namespace vantelmoor::test
