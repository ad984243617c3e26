#include "ui/main_window.h"

#include <array>
#include <optional>
#include <string>

#include "platform/product.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

// The status line's text and colour, and the lights, for each status: the one place they are
// decided. No colour means the status keeps the one it finds.
struct StatusLook {
    MonitorStatus status;
    const char* text;
    std::optional<Colour> colour;
    std::optional<Colour> lights;
};

constexpr std::array<StatusLook, 10> kStatusLooks{{
    {MonitorStatus::WaitingForCall, "Waiting for Call", kGreen, kGreen},
    {MonitorStatus::Paused, "Paused", kRed, kRed},
    {MonitorStatus::ModemError, "Modem Error", std::nullopt, kRed},
    {MonitorStatus::AnalyzingCall, "Analyzing Call", std::nullopt, std::nullopt},
    {MonitorStatus::FlushingCall, "Flushing Call", kRed, kRed},
    {MonitorStatus::BlockFinished, "Waiting", kGreen, kGreen},
    {MonitorStatus::CallLogged, "Waiting", std::nullopt, std::nullopt},
    {MonitorStatus::LogUnreadable, "Log Unreadable", kRed, std::nullopt},
    {MonitorStatus::LogNotSaved, "Log Not Saved", kRed, std::nullopt},
    {MonitorStatus::ScreenedElsewhere, "Another User Screens", kYellow, kRed},
}};

constexpr Control kCallerBoxes[] = {Control::txtDate, Control::txtTime, Control::txtName, Control::txtNumber};

void block_box(Dialogs& dialogs, const std::string& text) {
    dialogs.message_box(text, "Block Call", MessageIcon::Exclamation, MessageButtons::Ok, Modality::System);
}

}  // namespace

std::string version_text() {
    return std::string(kProductName) + " Version: " + std::to_string(kVersionMajor) + "." +
           std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision) +
           "\r\rScreens the calls on your telephone line through a caller-ID modem.";
}

MainWindowPresenter::MainWindowPresenter(MainView& view, MainWindowParts parts) : view_(view), parts_(parts) {}

void MainWindowPresenter::form_load() {
    view_.set_text(Control::Label1_4, std::to_string(parts_.settings.total_blocked));
    parts_.stream.set_light_state(false);
}

void MainWindowPresenter::connect_click(int index) {
    switch (index) {
        case 0: parts_.commands.toggle_monitoring(); break;
        case 1: parts_.commands.hide(); break;
        case 2: offer_to_block_caller(); break;
        default: break;
    }
}

void MainWindowPresenter::menu_chosen(MainMenuItem item) {
    switch (item) {
        case MainMenuItem::ShowLog: parts_.commands.show_call_log(); break;
        case MainMenuItem::Preferences: parts_.commands.show_preferences(); break;
        case MainMenuItem::Hide: parts_.commands.hide(); break;
        case MainMenuItem::Help: open_document(parts_.readme_path, "The help file " + parts_.readme_path); break;
        case MainMenuItem::Version:
            parts_.dialogs.message_box(version_text(), "Vantelmoor by " + std::string(kMakerName),
                                       MessageIcon::Information, MessageButtons::Ok, Modality::MainWindow);
            break;
        case MainMenuItem::Pause: parts_.commands.toggle_monitoring(); break;
        case MainMenuItem::Quit: parts_.commands.quit(); break;
        case MainMenuItem::Rules: parts_.commands.show_rules(); break;
        case MainMenuItem::ExportLog: parts_.commands.export_call_log(); break;
    }
}

void MainWindowPresenter::label2_click() {
    open_document("http://" + std::string(kWebAddress) + "/", "The web site " + std::string(kWebAddress));
}

// The shell shows its own message for some failures, not for all: one it does not is said here.
void MainWindowPresenter::open_document(const std::string& target, const std::string& what) {
    parts_.shell.open_document(target, [&dialogs = parts_.dialogs, what](long result) {
        if (result >= 0 && result <= 32) {
            dialogs.message_box(what + " could not be opened (error " + std::to_string(result) + ").",
                                std::string(kProductName), MessageIcon::Exclamation, MessageButtons::Ok,
                                Modality::MainWindow);
        }
    });
}

bool MainWindowPresenter::query_unload(CloseReason reason) { return reason != CloseReason::User; }

void MainWindowPresenter::form_unload() { parts_.commands.session_ending(); }

void MainWindowPresenter::offer_to_block_caller() {
    const std::string name = view_.text(Control::txtName);
    const std::string number = view_.text(Control::txtNumber);  // as displayed, dashes and all
    const std::string question =
        "Turn call blocking ON for this name/number?\r\rName: " + name + "\r\rPhone Number: " + number;
    if (parts_.dialogs.message_box(question, "Add a number to block list", MessageIcon::Question, MessageButtons::YesNo,
                                   Modality::MainWindow) != MessageAnswer::Yes) {
        return;
    }
    const AddOutcome outcome = parts_.block_list.add_block(fixed_width(trim(name), kBlockFieldSize),
                                                           fixed_width(trim(number), kBlockFieldSize));
    if (tell_add_outcome(parts_.dialogs, outcome)) view_.set_enabled(Control::Connect2, false);
}

bool tell_add_outcome(Dialogs& dialogs, const AddOutcome& outcome) {
    switch (outcome.result) {
        case AddResult::Added: return true;
        case AddResult::Duplicate: block_box(dialogs, "This name/number is already being blocked."); break;
        case AddResult::Full:
            block_box(dialogs, "The block list is full (32,767 entries). Remove some entries before adding another.");
            break;
        case AddResult::Unreadable:
            block_box(dialogs, "The block list cannot be read (" + outcome.reason +
                                   "), so nothing was added. Try again when it can be read.");
            break;
        case AddResult::NotSaved:
            block_box(dialogs, "The block list could not be saved (" + outcome.reason + "), so nothing was added.");
            break;
        case AddResult::OnlyPatterns:
            block_box(dialogs,
                      "Nothing was added: this caller's name and number hold * or ?, which would block other callers "
                      "too. Add an entry of your own in Screening Rules instead.");
            break;
    }
    return false;
}

void MainWindowPresenter::monitoring_changed(bool listening) {
    view_.set_text(Control::Connect0, listening ? kPauseCaption : kListenCaption);
    view_.set_menu_enabled(MainMenuItem::Pause, listening);
}

void MainWindowPresenter::status_changed(MonitorStatus status) {
    for (const StatusLook& look : kStatusLooks) {
        if (look.status != status) continue;
        if (look.colour) view_.set_fore_colour(Control::lblStatus0, *look.colour);
        view_.set_text(Control::lblStatus0, look.text);
        if (look.lights) set_lights(*look.lights);
    }
    if (status == MonitorStatus::BlockFinished) {
        view_.set_fore_colour(Control::lblStatus1, kWhite);
        show_new_calls();
    }
}

void MainWindowPresenter::lights_changed(bool green) { set_lights(green ? kGreen : kRed); }

void MainWindowPresenter::caller_field_changed(CallerField field, const std::string& text) {
    view_.set_text(kCallerBoxes[static_cast<int>(field)], text);
}

void MainWindowPresenter::countdown_changed(int seconds_left) {
    view_.set_fore_colour(Control::lblStatus1, kLightBlue);
    view_.set_text(Control::lblStatus1, "0:0" + std::to_string(seconds_left));
}

void MainWindowPresenter::counters_changed(const CallCounters& counters) {
    counters_ = counters;
    show_new_calls();
    view_.set_text(Control::Label1_4, std::to_string(counters.total_blocked));
}

void MainWindowPresenter::caller_blocked(bool blocked) { view_.set_enabled(Control::Connect2, !blocked); }

void MainWindowPresenter::activity_appended(std::string_view text) { view_.append_text(Control::txtStatus, text); }

void MainWindowPresenter::activity_replaced(const std::string& text) { view_.set_text(Control::txtStatus, text); }

void MainWindowPresenter::set_lights(Colour colour) {
    view_.set_fill_colour(Control::Shape1_0, colour);
    view_.set_fill_colour(Control::Shape1_1, colour);
}

void MainWindowPresenter::show_new_calls() {
    view_.set_text(Control::lblStatus1, std::to_string(counters_.new_calls) + " New Calls");
}

}  // namespace vantelmoor
