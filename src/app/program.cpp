#include "app/program.h"

#include "store/run_marker.h"

namespace vantelmoor {

Program::Program(ProgramServices services_in)
    : services(std::move(services_in)),
      store(services.registry, settings, services.program_dir),
      block_list(services.files, block_list_path(services.program_dir)),
      call_log(services.files, call_log_path(services.program_dir)),
      log(listeners),
      session({services.port, services.dialogs, services.pump, services.clock, services.shell, services.timers},
              listeners, log, store, settings),
      screener(services.port, services.timers, listeners, log,
               {services.files, block_list.path(), store, call_log}, settings, record, session),
      parser(listeners, record,
             {[this] { session.ring(); }, [this](bool number) { session.caller_id_line(number); },
              [this] { screener.screen_call(); }, [this] { screener.name_reported(); }}),
      stream(services.port, listeners, log, parser, [this] { session.error_reply(); }),
      main_window(services.main_view, {session, stream, screener, services.port, services.dialogs, settings,
                                        block_list, call_log}) {
    listeners.add(main_window);
    services.main_view.set_events(&main_window);
    services.port.set_on_comm([this] { stream.on_comm(); });
    services.port.set_on_lost([this](const PortError& error) { session.port_lost(error); });
    services.timers.set_on_tick([this](TimerId timer) {
        screener.on_timer(timer);
        session.on_timer(timer);
    });
}

Program::~Program() {
    services.main_view.set_events(nullptr);
    services.port.set_on_comm(nullptr);
    services.port.set_on_lost(nullptr);
    services.timers.set_on_tick(nullptr);
}

void Program::start() {
    store.load_total_count();
    store.load_total_blocked();
    if (const RegistryFailure failure = store.load_comm_command()) {
        log.note("The caller-ID command could not be saved in the registry (" + *failure + ").");
    }
    services.files.remove_leftovers(services.program_dir);
    screener.read_block_list();
    main_window.form_load();
    if (const auto failure = create_run_marker(services.file_system, services.program_dir)) {
        log.note("The run marker " + run_marker_path(services.program_dir) + " could not be created (" + *failure +
                 ").");
    }
}

}  // namespace vantelmoor
