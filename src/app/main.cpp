// The entry routine: loads the settings the call monitor needs, builds the monitor window and the
// call monitor over the real Win32 services, starts listening and runs the message loop.

#include <windows.h>

#include <commctrl.h>

#include "monitor/activity_log.h"
#include "monitor/call_record.h"
#include "monitor/call_screener.h"
#include "monitor/caller_id_parser.h"
#include "monitor/modem_session.h"
#include "monitor/receive_stream.h"
#include "platform/win32/file_store_win32.h"
#include "platform/win32/main_window_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/serial_port_win32.h"
#include "platform/win32/services_win32.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/run_marker.h"
#include "store/settings.h"
#include "ui/main_window.h"

namespace {

using namespace vantelmoor;

int run_message_loop(HWND dialog_window) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) win32::dispatch_message(dialog_window, message);
    return static_cast<int>(message.wParam);
}

int run(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const std::string program_dir = win32::program_directory();
    win32::Win32Registry registry;
    Settings settings;
    SettingsStore store(registry, settings, program_dir);
    store.load_total_count();
    store.load_total_blocked();
    store.load_comm_command();

    win32::Win32MainWindow window(instance);
    if (!window.create()) return 1;
    win32::Win32SerialPort port;
    win32::Win32Dialogs dialogs(window.hwnd());
    win32::Win32EventPump pump(window.hwnd());
    win32::Win32Clock clock;
    win32::Win32Shell shell(window.hwnd());

    win32::Win32FileStore files;
    BlockList block_list(files, dialogs, block_list_path(program_dir),
                         [&window] { window.set_enabled(Control::Connect2, false); });
    CallLog call_log(files, call_log_path(program_dir));

    ActivityLog log(window);
    CallRecord record;
    ModemSession session({port, dialogs, pump, clock, shell}, window, log, store, settings, block_list,
                         [&window] { window.minimise_and_hide(); });
    // The tray icon and the call-log window are not part of the program yet: nothing to refresh.
    CallScreener screener(port, window, window, {files, block_list.path(), store, call_log}, settings,
                          record, session, nullptr);
    CallerIdParser parser(window, record,
                          {[&screener] { screener.screen_call(); }, [&screener] { screener.name_reported(); }});
    ReceiveStream stream(port, window, log, parser, [&session] { session.error_reply(); });
    port.set_on_comm([&stream] { stream.on_comm(); });
    MainWindowPresenter presenter(window, session, stream, port, settings, block_list, call_log);
    window.set_events({
        [&session](int index) { session.connect_click(index); },
        [&presenter](CloseReason reason) { return presenter.query_unload(reason); },
        [&presenter] { presenter.form_unload(); },
        [&screener](TimerId timer) { screener.on_timer(timer); },
    });

    window.show_normal();
    presenter.form_load();
    win32::Win32FileSystem file_system;
    create_run_marker(file_system, program_dir);
    return run_message_loop(window.hwnd());
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        return run(instance);
    } catch (...) {
        return 1;
    }
}
