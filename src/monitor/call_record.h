#pragma once
// The call now being reported by the modem: filled line by line, screened at its number line,
// logged after its name line, then emptied.

#include <string>

namespace vantelmoor {

struct CallRecord {
    std::string call_date;      // "mm/dd"
    std::string call_time;      // "hh:mm AM"
    std::string caller_name;    // as received
    std::string caller_number;  // as received, never reformatted
    bool name_seen = false;     // a name (real or "UNKNOWN") is known for this call
    bool number_seen = false;   // a number is known for this call
};

}  // namespace vantelmoor
