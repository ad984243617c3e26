#include "app/program.h"

#include "store/run_marker.h"

namespace vantelmoor {

Program::Program(ProgramServices services_in)
    : services(std::move(services_in)),
      data(choose_data_directory(services.file_system, services.program_dir, services.common_data)),
      store(services.registry, settings, services.program_dir),
      block_list(services.files, block_list_path(data.path)),
      call_log(services.files, call_log_path(data.path)),
      log(listeners),
      session({services.port, services.dialogs, services.pump, services.clock, services.shell, services.timers},
              listeners, log, store, settings),
      screener(services.port, services.timers, listeners, log,
               {services.files, block_list.path(), store, call_log}, settings, record, session),
      parser(listeners, record,
             {[this] { session.ring(); }, [this](bool number) { session.caller_id_line(number); },
              [this] { screener.screen_call(); }, [this] { screener.name_reported(); }}),
      stream(services.port, listeners, log, parser, [this] { session.error_reply(); }),
      main_window(services.main_view,
                  {session, stream, screener, services.port, services.dialogs, services.shell, *this, settings,
                   block_list, call_log, services.program_dir + "\\VantelmoorReadme.txt"}),
      tray(services.tray_view,
           {*this, services.file_system, services.timers, log, run_marker_path(data.path)}),
      call_log_window(services.call_log_view, {services.files, services.dialogs, services.printer, block_list, call_log,
                                               services.main_view, *this, log}),
      preferences(services.preferences_view, {services.files, block_list.path(), store, settings, services.dialogs,
                                              services.main_view, *this}) {
    listeners.add(main_window);
    listeners.add(tray);
    listeners.add(call_log_window);
    services.main_view.set_events(&main_window);
    services.tray_view.set_events(&tray);
    services.call_log_view.set_events(&call_log_window);
    services.preferences_view.set_events(&preferences);
    services.port.set_on_comm([this] { stream.on_comm(); });
    services.port.set_on_lost([this](const PortError& error) { session.port_lost(error); });
    services.timers.set_on_tick([this](TimerId timer) {
        screener.on_timer(timer);
        session.on_timer(timer);
        if (timer == TimerId::RunMarker) tray.marker_tick();
    });
}

Program::~Program() {
    services.main_view.set_events(nullptr);
    services.tray_view.set_events(nullptr);
    services.call_log_view.set_events(nullptr);
    services.preferences_view.set_events(nullptr);
    services.port.set_on_comm(nullptr);
    services.port.set_on_lost(nullptr);
    services.timers.set_on_tick(nullptr);
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
    store.load_total_count();
    store.load_total_blocked();
    if (const RegistryFailure failure = store.load_comm_command()) {
        log.note("The caller-ID command could not be saved in the registry (" + *failure + ").");
    }
    services.files.remove_leftovers(data.path);
    screener.read_block_list();
    main_window.form_load();
    services.main_view.hide();
    tray.form_load(screener.counters());
    // Without its run marker the program would end at the first check, ten seconds on, unexplained.
    if (const auto failure = create_run_marker(services.file_system, data.path)) {
        services.dialogs.message_box(
            "Vantelmoor cannot create files in " + data.path + " (" + *failure +
                "), so it cannot keep its block list and call log, and it ends.\r\rRun it from a folder you can "
                "write to, or install it with its setup program.",
            "Vantelmoor", MessageIcon::Stop, MessageButtons::Ok, Modality::System);
        quit();
        return false;
    }
    return true;
}

void Program::toggle_monitoring() { session.toggle(); }

void Program::hide() {
    call_log_window.close();
    services.main_view.hide();
}

void Program::open() {
    services.main_view.show_normal();
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

void Program::show_call_log() { call_log_window.open(); }

void Program::show_preferences() { preferences.show(); }

void Program::close_preferences() { preferences.close(); }

void Program::reload_block_list() {
    if (const FileOutcome loaded = block_list.load_list(); !loaded.ok()) {
        log.note("The block list " + block_list.path() + " cannot be read (" + loaded.reason + ").");
    }
}

void Program::call_log_cleared() { screener.reset_new_calls(); }

void Program::quit() {
    services.tray_view.delete_icon();
    services.app.end();
}

}  // namespace vantelmoor
