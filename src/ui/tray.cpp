#include "ui/tray.h"

#include "monitor/monitor_timers.h"
#include "monitor/phone_number.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::size_t kTipCharacters = 63;  // and the NUL: the 64 characters the tip field holds

}  // namespace

std::string tray_tip(const CallCounters& counters, bool screened_elsewhere) {
    if (screened_elsewhere) return "Another user's Vantelmoor is screening the line";
    std::string tip = std::to_string(counters.total_blocked) + " Total Blocked to Date\r" +
                      std::to_string(counters.total_count) + " Total Calls Analyzed\r" +
                      std::to_string(counters.new_calls) + " New Calls";
    if (tip.size() > kTipCharacters) tip.resize(kTipCharacters);
    return tip;
}

TrayPresenter::TrayPresenter(TrayView& view, TrayParts parts)
    : view_(view), parts_(std::move(parts)), Timer1_(parts_.timers.make([this] { marker_tick(); })) {}

void TrayPresenter::form_load(const CallCounters& counters) {
    counters_ = counters;
    show_icon();
    start_timer(*Timer1_, parts_.log, kMarkerCheckMs);
}

void TrayPresenter::marker_tick() {
    if (!parts_.file_system.file_exists(parts_.run_marker)) parts_.commands.quit();
}

void TrayPresenter::icon_mouse(int mouse_message) {
    if (mouse_message == kLeftButtonDown || mouse_message == kLeftButtonDoubleClick) {
        parts_.commands.show_or_hide();
    } else if (mouse_message == kRightButtonDown) {
        view_.show_menu();
    }
}

void TrayPresenter::menu_chosen(TrayMenuItem item) {
    switch (item) {
        case TrayMenuItem::Open: parts_.commands.open(); break;
        case TrayMenuItem::Listen:
        case TrayMenuItem::Pause: parts_.commands.toggle_monitoring(); break;
        case TrayMenuItem::Quit: parts_.commands.quit(); break;
        case TrayMenuItem::Rules: parts_.commands.show_rules(); break;
    }
}

// Explorer restarted: without the icon a hidden program could not be reached.
void TrayPresenter::taskbar_created() { show_icon(); }

void TrayPresenter::session_ending() { view_.delete_icon(); }

void TrayPresenter::monitoring_changed(bool listening) {
    view_.set_menu_enabled(TrayMenuItem::Pause, listening);
    view_.set_menu_enabled(TrayMenuItem::Listen, !listening);
}

void TrayPresenter::status_changed(MonitorStatus status) {
    const bool elsewhere = status == MonitorStatus::ScreenedElsewhere;
    if (elsewhere == screened_elsewhere_) return;
    screened_elsewhere_ = elsewhere;
    show_icon();
}

void TrayPresenter::call_decided(const std::string& name, const std::string& number, bool blocked) {
    if (!parts_.settings.notify_calls) return;
    const std::string who = trim(name).empty() ? "A caller" : std::string(trim(name));
    const std::string shown = display_number(trim(number));
    view_.show_balloon(
        blocked ? "Call blocked" : "Call",
        who + (shown.empty() ? "" : " (" + shown + ")") + (blocked ? " was answered and hung up." : " rang through."));
}

void TrayPresenter::counters_changed(const CallCounters& counters) {
    counters_ = counters;
    show_icon();
}

void TrayPresenter::show_icon() { view_.show_icon(tray_tip(counters_, screened_elsewhere_)); }

void TrayPresenter::icon_shown(bool shown) {
    if (shown) {
        parts_.log.mended(Fault::TrayIcon);
    } else {
        parts_.log.fault(Fault::TrayIcon,
                         "Windows did not take the notification-area icon; it is added again when the taskbar starts.");
    }
}

}  // namespace vantelmoor
