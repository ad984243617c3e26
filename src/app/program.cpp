#include "app/program.h"

#include "store/run_marker.h"

namespace vantelmoor {
namespace {

constexpr const char* kScreenedElsewhere =
    "Another user's Vantelmoor is screening the telephone line on this computer, so this one changes nothing. "
    "It takes over when that one ends.";

}  // namespace

Program::Program(ProgramServices services_in)
    : services(std::move(services_in)),
      data(choose_data_directory(services.file_system, services.install)),
      store(services.registry, settings, services.install.program_dir, data.installed),
      block_list(services.files, block_list_path(data.path)),
      call_log(services.files, call_log_path(data.path)),
      rule_counts(services.files, rule_counts_path(data.path)),
      log(listeners),
      watchdog(services.port, services.timers, services.clock, log,
               {[this] { return session.busy() || screener.busy(); },
                [this](const PortError& error) { session.port_lost(error); }}),
      session({services.port, services.dialogs, services.pump, services.clock, services.shell, services.timers},
              listeners, log, store, settings, watchdog),
      screener(services.port, services.timers, listeners, log,
               {services.files, block_list.path(), allow_list_path(data.path), store, call_log, rule_counts}, settings,
               record, session),
      parser(listeners, record,
             {[this] { session.ring(); }, [this](bool number) { session.caller_id_line(number); },
              [this] { screener.screen_call(); }, [this] { screener.name_reported(); }}),
      stream(services.port, listeners, log, parser, watchdog, [this](bool error) { session.result_code(error); }),
      main_window(services.main_view, {stream, services.dialogs, services.shell, *this, settings, block_list,
                                       services.install.program_dir + "\\VantelmoorReadme.txt"}),
      tray(services.tray_view,
           {*this, settings, services.file_system, services.timers, log, run_marker_path(data.path)}),
      call_log_window(services.call_log_view, {services.files, services.dialogs, services.printer, services.user_files,
                                               services.codec, block_list, call_log, services.main_view, *this, log}),
      preferences(services.preferences_view,
                  {services.files, block_list.path(), store, settings, services.dialogs, services.main_view, *this}),
      rules(services.rules_view, {services.files, block_list.path(), allow_list_path(data.path), rule_counts, store,
                                  settings, services.dialogs, services.user_files, services.codec, *this}),
      turn(services.lock, services.timers, listeners, log, [this] { begin_screening(); }) {
    listeners.add(main_window);
    listeners.add(tray);
    listeners.add(call_log_window);
    services.main_view.set_events(&main_window);
    services.tray_view.set_events(&tray);
    services.call_log_view.set_events(&call_log_window);
    services.preferences_view.set_events(&preferences);
    services.rules_view.set_events(&rules);
    services.port.set_on_comm([this] { stream.on_comm(); });
    services.port.set_on_lost([this](const PortError& error) { session.port_lost(error); });
}

Program::~Program() {
    services.main_view.set_events(nullptr);
    services.tray_view.set_events(nullptr);
    services.call_log_view.set_events(nullptr);
    services.preferences_view.set_events(nullptr);
    services.rules_view.set_events(nullptr);
    services.port.set_on_comm(nullptr);
    services.port.set_on_lost(nullptr);
}

bool Program::start() {
    if (services.app.another_copy_running()) {
        services.dialogs.message_box(
            "Vantelmoor is already running. Click on the Vantelmoor icon in the system tray (near the clock) to "
            "open the program.",
            "Vantelmoor", MessageIcon::Information, MessageButtons::Ok, Modality::System);
        return false;
    }
    log.note(data.note);
    note_all(store.load_all());
    // Without its run marker the program would end at the first check, ten seconds on, unexplained.
    if (const auto refusal = ensure_run_marker(services.file_system, data)) {
        services.dialogs.message_box(*refusal, "Vantelmoor", MessageIcon::Stop, MessageButtons::Ok, Modality::System);
        quit();
        return false;
    }
    main_window.form_load();
    services.main_view.hide();
    tray.form_load(screener.counters());
    turn.start();
    started_ = true;
    return true;
}

// Taking over from another user's copy, the totals and options are read again: that copy kept them.
void Program::begin_screening() {
    if (started_) note_all(store.load_all());
    listeners.counters_changed(screener.counters());
    services.files.remove_leftovers(data.path);
    screener.read_lists();
    session.toggle();
    screener.report_call_log(call_log.load_list2());
}

// What the registry would not give stands for the run (nothing is written over it).
void Program::note_all(const RegistryNotes& notes) {
    if (notes.empty()) {
        log.mended(Fault::Settings);
        return;
    }
    std::string text = notes.front();
    for (std::size_t i = 1; i < notes.size(); ++i) text += "\r\n* " + notes[i];
    log.fault(Fault::Settings, text);
}

bool Program::screened_elsewhere() {
    if (turn.screening()) return false;
    services.dialogs.message_box(kScreenedElsewhere, "Vantelmoor", MessageIcon::Information, MessageButtons::Ok,
                                 Modality::MainWindow);
    return true;
}

void Program::toggle_monitoring() {
    if (!turn.screening()) {
        // Listening asked for by hand: take the line now if it is free.
        if (!turn.try_now()) screened_elsewhere();
        return;
    }
    session.toggle();
}

void Program::hide() {
    call_log_window.close();
    services.main_view.hide();
}

void Program::open() {
    services.main_view.show_normal();
    if (!turn.screening()) return;
    reload_block_list();
    call_log_window.open();
}

void Program::show_or_hide() {
    if (services.main_view.visible()) {
        close_preferences();
        hide();
    } else {
        open();
    }
}

void Program::show_call_log() {
    if (!screened_elsewhere()) call_log_window.open();
}

// One settings window at a time: each saves the block list as it read it, and the second one's Save
// would undo the first one's.
void Program::show_preferences() {
    if (screened_elsewhere() || settings_window_open()) return;
    preferences.show();
}

void Program::close_preferences() {
    preferences.close();
    rules.close();
}

void Program::show_rules() {
    if (screened_elsewhere() || settings_window_open()) return;
    rules.show();
}

bool Program::settings_window_open() {
    if (!preferences.loaded() && !rules.loaded()) return false;
    services.dialogs.message_box("Close the " + std::string(preferences.loaded() ? "preferences" : "screening rules") +
                                     " window first: the two would save the block list over each other.",
                                 "Vantelmoor", MessageIcon::Information, MessageButtons::Ok, Modality::System);
    return true;
}

void Program::export_call_log() {
    if (!screened_elsewhere()) call_log_window.export_log();
}

void Program::reload_block_list() {
    if (const FileOutcome loaded = block_list.load_list(); !loaded.ok()) {
        log.fault(Fault::BlockList, "The block list " + block_list.path() + " cannot be read (" + loaded.reason + ").");
    }
}

void Program::call_log_cleared() { screener.reset_new_calls(); }

void Program::quit() {
    screener.log_call_in_progress();
    services.tray_view.delete_icon();
    services.app.end();
}

void Program::session_ending() {
    screener.log_call_in_progress();
    if (services.port.port_open()) services.port.close();
}

}  // namespace vantelmoor
