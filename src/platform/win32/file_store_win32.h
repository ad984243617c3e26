#pragma once
// The record files on disk. A rewrite goes to a temporary file beside the target, is flushed to the
// disk, and then renamed over the target, so a crash or a full disk leaves the old file or the new
// one, never a mixture.

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_store.h"

namespace vantelmoor::win32 {

class Win32FileStore final : public FileStore {
public:
    FileRead read_all(const std::string& path) override;
    FileFailure replace(const std::string& path, std::string_view bytes) override;
    // The "vtm*.tmp" files that a rewrite killed part-way left behind.
    void remove_leftovers(const std::string& directory) override;
};

}  // namespace vantelmoor::win32
