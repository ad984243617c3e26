#include "monitor/modem_session.h"

#include <string>

#include "store/fixed_text.h"
#include "ui/colours.h"

namespace vantelmoor {
namespace {

constexpr int kFirstScannedPort = 2;
constexpr int kPastLastPort = 17;
constexpr double kModemResetSeconds = 2.0;

const std::string kModemPage = std::string("http://") + std::string(kWebAddress) + "/modems.htm";

}  // namespace

ModemSession::ModemSession(SessionServices services, MainView& view, ActivityLog& log, SettingsStore& store,
                           Settings& settings, BlockList& block_list, std::function<void()> hide)
    : services_(services),
      view_(view),
      log_(log),
      store_(store),
      settings_(settings),
      block_list_(block_list),
      hide_(std::move(hide)) {}

void ModemSession::connect_click(int index) {
    if (index == 0) {
        toggle();
    } else if (index == 1 && hide_) {
        hide_();
    } else if (index == 2) {
        offer_to_block_caller();
    }
}

void ModemSession::offer_to_block_caller() {
    const std::string name = view_.text(Control::txtName);
    const std::string number = view_.text(Control::txtNumber);  // as displayed, dashes and all
    const std::string question = "Turn call blocking ON for this name/number?\r\rName: " + name +
                                 "\r\rPhone Number: " + number;
    if (services_.dialogs.message_box(question, "Add a number to block list", MessageIcon::Question,
                                      MessageButtons::YesNo, Modality::Application) != MessageAnswer::Yes) {
        return;
    }
    block_list_.add_block(fixed_width(trim(name), kBlockFieldSize), fixed_width(trim(number), kBlockFieldSize));
}

void ModemSession::toggle() {
    if (view_.text(Control::Connect0) != kListenCaption) {
        pause_listening();
        return;
    }
    if (const PortResult failure = start_listening()) handle_failure(*failure);
}

PortResult ModemSession::start_listening() {
    view_.set_fore_colour(Control::lblStatus0, kGreen);
    view_.set_text(Control::lblStatus0, "Waiting for Call");
    view_.set_fill_colour(Control::Shape1_0, kGreen);
    view_.set_fill_colour(Control::Shape1_1, kGreen);
    ModemPort& port = services_.port;
    if (!port.port_open()) {
        if (PortResult failure = port.set_port_open(true)) return failure;
    }
    port.set_rthreshold(1);
    port.set_input_len(1);
    if (PortResult failure = port.output("ATZ\r")) return failure;
    wait_for_modem();
    if (PortResult failure = port.output(settings_.comm_command + "\r")) return failure;
    view_.set_text(Control::Connect0, kPauseCaption);
    return std::nullopt;
}

void ModemSession::pause_listening() {
    (void)services_.port.set_port_open(false);
    view_.set_text(Control::Connect0, kListenCaption);
    view_.set_fore_colour(Control::lblStatus0, kRed);
    view_.set_text(Control::lblStatus0, "Paused");
    view_.set_fill_colour(Control::Shape1_0, kRed);
    view_.set_fill_colour(Control::Shape1_1, kRed);
}

// Two seconds for the modem to reset, events running meanwhile (the modem's replies among them).
// Always two: a wait that hung on where the clock's whole second fell would end anywhere between
// 1.5 and 2.5 seconds, and at the edge a modem's reply time could push it past.
void ModemSession::wait_for_modem() {
    const double end = services_.clock.now_seconds() + kModemResetSeconds;
    for (double now = services_.clock.now_seconds(); now < end; now = services_.clock.now_seconds()) {
        services_.pump.process_events(end - now);
    }
}

void ModemSession::show_modem_error() {
    view_.set_text(Control::lblStatus0, "Modem Error");
    view_.set_fill_colour(Control::Shape1_0, kRed);
    view_.set_fill_colour(Control::Shape1_1, kRed);
}

void ModemSession::handle_failure(const PortError& error) {
    if (error.number == kPortInvalid) {
        if (next_port_ == 0) next_port_ = kFirstScannedPort;
        if (next_port_ == kPastLastPort) {
            show_modem_error();
            services_.dialogs.message_box("There is a problem connecting to your modem.",
                                          "Vantelmoor Initialization", MessageIcon::Stop, MessageButtons::Ok,
                                          Modality::System);
            return;
        }
        services_.port.set_comm_port(next_port_);
        ++next_port_;
        toggle();
        return;
    }
    show_modem_error();
    if (error.number == kPortAlreadyOpen) return;
    services_.dialogs.message_box(std::to_string(error.number) + "    " + error.description, "Error",
                                  MessageIcon::Stop, MessageButtons::Ok, Modality::System);
}

void ModemSession::restart_monitoring() {
    log_.clear();
    connect_click(0);
    connect_click(0);
}

void ModemSession::error_reply() {
    if (settings_.comm_command != kAlternateCommCommand) {
        log_.clear();
        connect_click(0);
        settings_.comm_command = kAlternateCommCommand;
        store_.save_comm_command();
        connect_click(0);
        return;
    }
    offer_modem_page();
    connect_click(0);
}

void ModemSession::offer_modem_page() {
    const std::string text =
        "Your modem is not indicating compatibility with Caller ID. You may need to upgrade your modem."
        "\r\r"
        "You can upgrade your modem on your own or visit our online support area for great deals on modems "
        "specially selected to work with Vantelmoor."
        "\r\r"
        ">> Do you want to visit our web site and learn more about how to block unwanted calls?";
    const MessageAnswer answer = services_.dialogs.message_box(text, "Modem Error", MessageIcon::Information,
                                                               MessageButtons::YesNo, Modality::Application);
    if (answer != MessageAnswer::Yes) return;
    const long result = services_.shell.open_document(kModemPage);
    if (result >= 0 && result <= 32) {
        services_.dialogs.message_box(
            "Could not connect to the Online Order Center. Start Your Internet Browser and try again..",
            "Internet Connection Error", MessageIcon::Stop, MessageButtons::Ok, Modality::Application);
    }
}

}  // namespace vantelmoor
