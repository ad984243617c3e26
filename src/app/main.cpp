// The entry routine: loads the settings the call monitor needs, builds the monitor window and the
// call monitor over the real Win32 services, starts listening and runs the message loop.

#include <windows.h>

#include <commctrl.h>

#include "monitor/activity_log.h"
#include "monitor/call_record.h"
#include "monitor/caller_id_parser.h"
#include "monitor/modem_session.h"
#include "monitor/receive_stream.h"
#include "platform/win32/main_window_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/serial_port_win32.h"
#include "platform/win32/services_win32.h"
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

    win32::Win32Registry registry;
    Settings settings;
    SettingsStore store(registry, settings, win32::program_directory());
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

    ActivityLog log(window);
    CallRecord record;
    CallerIdParser parser(window, record, {});
    ModemSession session({port, dialogs, pump, clock, shell}, window, log, store, settings,
                         [&window] { window.minimise_and_hide(); });
    ReceiveStream stream(port, window, log, parser, [&session] { session.error_reply(); });
    port.set_on_comm([&stream] { stream.on_comm(); });
    MainWindowPresenter presenter(window, session, stream, port, settings);
    window.set_events({
        [&session](int index) { session.connect_click(index); },
        [&presenter](CloseReason reason) { return presenter.query_unload(reason); },
        [&presenter] { presenter.form_unload(); },
    });

    window.show_normal();
    presenter.form_load();
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
