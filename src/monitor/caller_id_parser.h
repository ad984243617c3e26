#pragma once
// One line of the modem's caller-ID report into the current CallRecord and the caller fields of the
// monitor window. A line arrives without its carriage return and, but for the first one of a
// session, begins with the line feed that ended the line before.

#include <functional>
#include <string_view>

#include "monitor/call_record.h"
#include "ui/main_view.h"

namespace vantelmoor {

struct CallLineEvents {
    std::function<void()> number_reported;  // a NMBR line: screen the call
    std::function<void()> name_reported;    // a NAME line: the report is complete in five seconds
};

class CallerIdParser {
public:
    CallerIdParser(MainView& view, CallRecord& record, CallLineEvents events);

    void parse_line(std::string_view line);

private:
    void on_date(std::string_view line);
    void on_time(std::string_view line);
    void on_name(std::string_view value);
    void on_message(std::string_view value);
    void on_number(std::string_view value);
    void set_unknown_name();

    MainView& view_;
    CallRecord& record_;
    CallLineEvents events_;
};

}  // namespace vantelmoor
