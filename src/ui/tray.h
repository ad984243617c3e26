#pragma once
// The notification-area icon frmIconTray: its tip shows the call counters, a left click shows or
// hides the monitor window, a right click opens its menu, and every ten seconds it checks that
// the run marker is still there; when it has gone, the program ends.

#include <memory>
#include <string>

#include "monitor/activity_log.h"
#include "monitor/monitor_listener.h"
#include "platform/file_system.h"
#include "platform/timers.h"
#include "store/settings.h"
#include "ui/program_commands.h"
#include "ui/tray_view.h"

namespace vantelmoor {

// Three lines, cut to the 63 characters a tip holds: blocked, analysed and new calls; or, while
// another user's copy screens the line, that.
std::string tray_tip(const CallCounters& counters, bool screened_elsewhere = false);

struct TrayParts {
    ProgramCommands& commands;
    const Settings& settings;  // whether each call is shown in a balloon
    FileSystem& file_system;
    Timers& timers;
    ActivityLog& log;
    std::string run_marker;  // the marker's path
};

class TrayPresenter final : public MonitorListener, public TrayViewEvents {
public:
    static constexpr int kMarkerCheckMs = 10000;

    TrayPresenter(TrayView& view, TrayParts parts);

    // The window's load: the icon, and the run-marker check.
    void form_load(const CallCounters& counters);

    void icon_mouse(int mouse_message) override;
    void menu_chosen(TrayMenuItem item) override;
    void taskbar_created() override;
    void session_ending() override;
    void icon_shown(bool shown) override;

    void monitoring_changed(bool listening) override;
    void status_changed(MonitorStatus status) override;
    void counters_changed(const CallCounters& counters) override;
    void call_decided(const std::string& name, const std::string& number, bool blocked) override;

private:
    void show_icon();
    void marker_tick();

    TrayView& view_;
    TrayParts parts_;
    CallCounters counters_;
    bool screened_elsewhere_ = false;
    std::unique_ptr<Timer> Timer1_;  // every ten seconds: is the run marker still there?
};

}  // namespace vantelmoor
