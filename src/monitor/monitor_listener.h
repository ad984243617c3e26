#pragma once
// What the call monitor tells the windows, in its own words. The monitor window shows all of it;
// the tray icon and the call-log window listen to the parts they show. Every method does nothing
// unless a listener overrides it.

#include <string>
#include <string_view>
#include <vector>

namespace vantelmoor {

// The status line, and the lights that go with it.
enum class MonitorStatus {
    WaitingForCall,     // listening
    Paused,             // paused by hand
    ModemError,         // no modem, or it stopped answering
    AnalyzingCall,      // a caller's name has been reported
    FlushingCall,       // a blocked call is being answered and hung up
    BlockFinished,      // the blocked call is gone
    CallLogged,         // the call is in the log
    LogUnreadable,      // the call log cannot be read: new calls wait in memory
    LogNotSaved,        // the call log could not be written: new calls wait in memory
    ScreenedElsewhere,  // another user's copy screens the line; this one waits for its turn
};

enum class CallerField { Date, Time, Name, Number };

struct CallCounters {
    int new_calls = 0;      // since the log was last emptied; stops at 255
    int total_count = 0;    // calls analysed to date
    int total_blocked = 0;  // calls blocked to date
};

class MonitorListener {
public:
    virtual ~MonitorListener() = default;

    // Listening (true) or paused (false): the toggle's caption and the menus' items.
    virtual void monitoring_changed(bool /*listening*/) {}
    virtual void status_changed(MonitorStatus /*status*/) {}
    // The activity lights on their own, as the modem's shielded event codes blink them.
    virtual void lights_changed(bool /*green*/) {}
    // The caller's fields as they are shown: the number with its dashes.
    virtual void caller_field_changed(CallerField /*field*/, const std::string& /*text*/) {}
    // Seconds left of a blocked call's countdown, 4 down to 0.
    virtual void countdown_changed(int /*seconds_left*/) {}
    virtual void counters_changed(const CallCounters& /*counters*/) {}
    // The call just screened is blocked, or is not: whether "Block Future Calls" makes sense.
    virtual void caller_blocked(bool /*blocked*/) {}
    virtual void call_logged() {}
    // Who called, as the modem reported it, and whether the call was blocked; once it is logged.
    virtual void call_decided(const std::string& /*name*/, const std::string& /*number*/, bool /*blocked*/) {}
    // The modem activity log: text added at its end, or the whole text anew.
    virtual void activity_appended(std::string_view /*text*/) {}
    virtual void activity_replaced(const std::string& /*text*/) {}
};

// Passes every report on to each listener, in the order they were added.
class MonitorListeners final : public MonitorListener {
public:
    void add(MonitorListener& listener) { listeners_.push_back(&listener); }

    void monitoring_changed(bool listening) override { each(&MonitorListener::monitoring_changed, listening); }
    void status_changed(MonitorStatus status) override { each(&MonitorListener::status_changed, status); }
    void lights_changed(bool green) override { each(&MonitorListener::lights_changed, green); }
    void caller_field_changed(CallerField field, const std::string& text) override {
        each(&MonitorListener::caller_field_changed, field, text);
    }
    void countdown_changed(int seconds_left) override { each(&MonitorListener::countdown_changed, seconds_left); }
    void counters_changed(const CallCounters& counters) override { each(&MonitorListener::counters_changed, counters); }
    void caller_blocked(bool blocked) override { each(&MonitorListener::caller_blocked, blocked); }
    void call_logged() override { each(&MonitorListener::call_logged); }
    void call_decided(const std::string& name, const std::string& number, bool blocked) override {
        each(&MonitorListener::call_decided, name, number, blocked);
    }
    void activity_appended(std::string_view text) override { each(&MonitorListener::activity_appended, text); }
    void activity_replaced(const std::string& text) override { each(&MonitorListener::activity_replaced, text); }

private:
    template <typename Method, typename... Args>
    void each(Method method, const Args&... args) {
        for (MonitorListener* listener : listeners_) (listener->*method)(args...);
    }

    std::vector<MonitorListener*> listeners_;
};

}  // namespace vantelmoor
