#pragma once

#include "profiles.h"

#include <string>
#include <string_view>
#include <vector>

namespace modem_sim {

// One command line the program sent and what the modem said to it.
struct Exchange {
    std::string command;  // as received, without the CR
    std::string result;   // "OK" or "ERROR"; empty for text without "AT", and for ATA
};

struct ModemOutput {
    std::string bytes;  // echo and result codes, in the order a modem would send them
    std::vector<Exchange> exchanges;
};

// The command side of a Hayes-style modem: bytes from the program in, bytes back out. No I/O here.
class Modem {
public:
    Modem(const Profile& profile, bool echo);

    ModemOutput receive(std::string_view bytes);

    // The echo setting becomes the one ATZ restores, as if stored in the modem's profile.
    void set_echo(bool on);
    // Switched on again: as after ATZ, with nothing half-typed.
    void power_on();
    void set_profile(const Profile& profile) { profile_ = &profile; }

    const Profile& profile() const { return *profile_; }
    bool echo() const { return echo_; }
    bool off_hook() const { return off_hook_; }
    bool caller_id_enabled() const { return caller_id_; }

private:
    std::string_view execute(std::string_view line);
    bool run_basic(char command, std::string_view value);
    bool run_extended(std::string_view command);
    void reset();

    const Profile* profile_;
    bool stored_echo_;
    bool echo_;
    bool off_hook_ = false;
    bool caller_id_ = false;
    bool answering_ = false;  // the line being run answers a call
    std::string line_;
    bool overflow_ = false;
};

}  // namespace modem_sim
