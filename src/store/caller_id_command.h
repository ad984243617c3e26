#pragma once
// The caller-ID command comes from a registry value that every user of the machine may write, and
// it goes to the modem at every start, re-arm and call. So only caller-ID set-up is ever sent: "AT"
// followed by one to three different settings joined by ";", each one of +VCID=n, #VCID=n, #CID=n,
// %CCID=n, *IDn, +CLIP=n and -SCID=n with n from 0 to 2, in any case. A dial, a second command
// after a carriage return, voice mode or a change of the modem's speed never passes.

#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

// nullopt when the text is such a command; otherwise why not, in words for the activity log.
std::optional<std::string> caller_id_command_fault(std::string_view command);

}  // namespace vantelmoor
