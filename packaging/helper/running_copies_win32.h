#pragma once
// Ending the program in every session before its files are replaced or removed: the copies whose
// image is the given executable, whichever user runs them.

#include <string>
#include <vector>

namespace vantelmoor::setup {

struct EndedCopies {
    int ended = 0;       // by themselves, once their run marker had gone
    int terminated = 0;  // still running after the wait
    std::vector<std::string> failures;
};

// Waits up to `wait_ms` for every copy of `executable` to end by itself, then ends the rest.
EndedCopies end_running_copies(const std::string& executable, unsigned wait_ms);

// Deletes a program file; one still in use is renamed aside in its folder and deleted at the next
// restart. True when it had to be renamed.
bool retire_file(const std::string& path, std::string& failure);

}  // namespace vantelmoor::setup
