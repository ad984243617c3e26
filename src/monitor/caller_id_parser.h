#pragma once
// One line of the modem's caller-ID report into the current CallRecord and the caller fields the
// windows show. A line is read by its keyword wherever its line feed fell: with or without the
// line feed that ended the line before, after a stray carriage return or spaces, and after the
// echo of one of the program's own commands took that line feed away.

#include <functional>
#include <string_view>

#include "monitor/call_record.h"
#include "monitor/monitor_listener.h"

namespace vantelmoor {

struct CallLineEvents {
    std::function<void()> ring;                       // a RING line
    std::function<void(bool number)> caller_id_line;  // any line of a caller-ID report
    std::function<void()> number_reported;            // a number line: screen the call
    std::function<void()> name_reported;              // a name line
};

class CallerIdParser {
public:
    CallerIdParser(MonitorListener& listener, CallRecord& record, CallLineEvents events);

    void parse_line(std::string_view line);

private:
    void on_date(std::string_view four_digits);
    void on_time(std::string_view four_digits);
    void on_date_and_time(std::string_view value);
    void on_name(std::string_view value);
    void on_message(std::string_view value);
    void on_number(std::string_view value);
    void set_unknown_name();
    void show(CallerField field, const std::string& text) { listener_.caller_field_changed(field, text); }
    static void fire(const std::function<void()>& event) {
        if (event) event();
    }

    MonitorListener& listener_;
    CallRecord& record_;
    CallLineEvents events_;
};

}  // namespace vantelmoor
