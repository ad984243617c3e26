#include "monitor/modem_session.h"

#include <string>
#include <utility>

#include "monitor/monitor_timers.h"
#include "platform/product.h"

namespace vantelmoor {
namespace {

constexpr int kFirstScannedPort = 2;
constexpr int kPastLastPort = 17;
constexpr double kModemResetSeconds = 2.0;

const std::string kModemPage = "http://" + std::string(kWebAddress) + "/modems.htm";

}  // namespace

ModemSession::ModemSession(SessionServices services, MonitorListener& listener, ActivityLog& log, SettingsStore& store,
                           Settings& settings, ModemWatchdog& watchdog)
    : services_(services),
      listener_(listener),
      log_(log),
      store_(store),
      settings_(settings),
      watchdog_(watchdog),
      watch_(services.clock, services.timers, log, [this] { rearm_caller_id(); }),
      reopen_timer_(services.timers.make([this] { reopen_tick(); })) {}

void ModemSession::toggle() {
    if (listening_) {
        pause_listening();
        return;
    }
    if (!restarting_) watch_.forget();
    if (const PortResult failure = start_listening()) handle_failure(*failure);
}

PortResult ModemSession::start_listening() {
    listener_.status_changed(MonitorStatus::WaitingForCall);
    ModemPort& port = services_.port;
    if (!port.port_open()) {
        if (PortResult failure = port.open()) return failure;
    }
    port.set_rthreshold(1);
    port.set_input_len(1);
    if (PortResult failure = initialise_modem()) return failure;
    // A port lost during the reset's pause is being tried again already; that is not a failure.
    if (port.port_open()) {
        set_listening(true);
        watchdog_.start();
    }
    return std::nullopt;
}

// The reset, its pause and the caller-ID command.
PortResult ModemSession::initialise_modem() {
    setting_up_ = true;
    PortResult failure = services_.port.output("ATZ\r");
    if (!failure) {
        wait_for_modem();
        if (services_.port.port_open()) {
            command_unanswered_ = true;
            failure = services_.port.output(settings_.comm_command + "\r");
        }
    }
    setting_up_ = false;
    return failure;
}

void ModemSession::pause_listening() {
    command_unanswered_ = false;
    watchdog_.stop();
    reopen_timer_->stop();
    reopening_ = false;
    log_.mended(Fault::Modem);
    services_.port.close();
    set_listening(false);
    listener_.status_changed(MonitorStatus::Paused);
}

void ModemSession::set_listening(bool listening) {
    listening_ = listening;
    listener_.monitoring_changed(listening);
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

void ModemSession::handle_failure(const PortError& error) {
    if (error.number == kPortInvalid) {
        if (next_port_ == 0) next_port_ = kFirstScannedPort;
        if (next_port_ == kPastLastPort) {
            listener_.status_changed(MonitorStatus::ModemError);
            services_.dialogs.message_box("There is a problem connecting to your modem.", "Vantelmoor Initialization",
                                          MessageIcon::Stop, MessageButtons::Ok, Modality::System);
            return;
        }
        services_.port.set_comm_port(next_port_);
        ++next_port_;
        toggle();
        return;
    }
    if (error.number == kPortAlreadyOpen) {
        try_again_later(port_name() + " is in use by another program");
        return;
    }
    listener_.status_changed(MonitorStatus::ModemError);
    services_.dialogs.message_box(std::to_string(error.number) + "    " + error.description, "Error", MessageIcon::Stop,
                                  MessageButtons::Ok, Modality::System);
}

void ModemSession::restart_monitoring() {
    log_.clear();
    // A port that stopped working is being tried again on its own schedule.
    if (reopening_) return;
    restarting_ = true;
    toggle();
    toggle();
    restarting_ = false;
}

void ModemSession::result_code(bool error) {
    if (!std::exchange(command_unanswered_, false) || !error) return;
    if (settings_.comm_command != kAlternateCommCommand) {
        log_.clear();
        toggle();
        settings_.comm_command = kAlternateCommCommand;
        if (const RegistryFailure failure = store_.save_comm_command()) {
            log_.note("The caller-ID command " + settings_.comm_command + " could not be saved in the registry (" +
                      *failure + ").");
        }
        toggle();
        return;
    }
    offer_modem_page();
    toggle();
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
                                                               MessageButtons::YesNo, Modality::MainWindow);
    if (answer != MessageAnswer::Yes) return;
    services_.shell.open_document(kModemPage, [&dialogs = services_.dialogs](long result) {
        if (result >= 0 && result <= 32) {
            dialogs.message_box(
                "Could not connect to the Online Order Center. Start Your Internet Browser and try again..",
                "Internet Connection Error", MessageIcon::Stop, MessageButtons::Ok, Modality::MainWindow);
        }
    });
}

void ModemSession::port_lost(const PortError& error) {
    if (!services_.port.port_open()) return;  // closed already, by a pause that came first
    watchdog_.stop();
    services_.port.close();
    try_again_later("The modem on " + port_name() + " stopped working (" + error.description + ")");
}

// No box: an unattended machine would be buried in them while the modem is away, or while another
// program (another user's, say) holds the port.
void ModemSession::try_again_later(const std::string& why) {
    reopening_ = true;
    if (!listening_) set_listening(true);
    listener_.status_changed(MonitorStatus::ModemError);
    log_.fault(Fault::Modem, why + ". Trying it again every 5 seconds.");
    start_timer(*reopen_timer_, log_, kReopenIntervalMs);
}

void ModemSession::reopen_tick() {
    if (!reopening_) {
        reopen_timer_->stop();
        return;
    }
    if (services_.port.open()) return;  // still away: the timer tries again
    // A port that opens is not yet a modem: one switched off opens too. It is back once it answers
    // its reset.
    const double asked = services_.clock.now_seconds();
    services_.port.set_rthreshold(1);
    services_.port.set_input_len(1);
    const PortResult failure = initialise_modem();
    if (!reopening_ || !services_.port.port_open()) return;  // paused, or lost again, meanwhile
    if (failure || !watchdog_.heard_since(asked)) {
        services_.port.close();  // still silent: the timer tries again
        return;
    }
    reopen_timer_->stop();
    reopening_ = false;
    log_.mended(Fault::Modem, "The modem on " + port_name() + " is back.");
    listener_.status_changed(MonitorStatus::WaitingForCall);
    set_listening(true);
    watchdog_.start();
}

void ModemSession::rearm_caller_id() {
    if (!listening_ || reopening_ || !services_.port.port_open()) return;
    log_.note("Two calls rang without caller ID: setting the modem up again.");
    if (const PortResult failure = initialise_modem()) port_lost(*failure);
}

std::string ModemSession::port_name() const { return "COM" + std::to_string(services_.port.comm_port()); }

}  // namespace vantelmoor
