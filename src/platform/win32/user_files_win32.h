#pragma once
// The system's open and save dialogs for lists and the call log, and the chosen file read or
// written whole; and the ANSI code page to and from UTF-8 for the files other tools use.

#include <windows.h>

#include <functional>

#include "platform/text_codec.h"
#include "platform/user_files.h"

namespace vantelmoor::win32 {

class Win32UserFiles final : public UserFiles {
public:
    // owner: the window the dialogs belong to (the active one of the program's).
    explicit Win32UserFiles(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    std::optional<ChosenFile> open(const std::string& title, std::size_t largest) override;
    std::optional<ChosenFile> save(const std::string& title, const std::string& suggested,
                                   std::string_view bytes) override;

private:
    std::function<HWND()> owner_;
};

class Win32TextCodec final : public TextCodec {
public:
    std::string to_ansi(std::string_view utf8, std::size_t& replaced) const override;
    std::string to_utf8(std::string_view ansi) const override;
};

}  // namespace vantelmoor::win32
