// The entry routine: builds the windows (hidden) and the program over the real Win32 services,
// starts it and runs the message loop.

#include <windows.h>

#include <stdexcept>

#include "app/program.h"
#include "platform/win32/call_log_window_win32.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/file_store_win32.h"
#include "platform/win32/main_window_win32.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/preferences_window_win32.h"
#include "platform/win32/printer_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/rules_window_win32.h"
#include "platform/win32/serial_port_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/timers_win32.h"
#include "platform/win32/tray_window_win32.h"
#include "platform/win32/unexpected.h"
#include "platform/win32/user_files_win32.h"

namespace {

using namespace vantelmoor;

int run(HINSTANCE instance) {
    win32::load_common_controls();

    win32::Win32Application app;
    win32::Win32Timers timers;  // before the program, whose parts own timers made here
    win32::Win32MainWindow window(instance);
    if (!window.create()) throw std::runtime_error("the monitor window could not be created");
    win32::Win32TrayWindow tray(instance);
    if (!tray.create()) throw std::runtime_error("the notification-area window could not be created");
    win32::Win32SerialPort port;
    win32::Win32CallLogWindow call_log_window(window.hwnd());
    win32::Win32PreferencesWindow preferences_window(window.hwnd());
    win32::Win32RulesWindow rules_window(window.hwnd());
    win32::Win32Dialogs dialogs([&](Modality asking) -> HWND {
        switch (asking) {
            case Modality::CallLogWindow: return call_log_window.hwnd();
            case Modality::PreferencesWindow: return preferences_window.hwnd();
            case Modality::RulesWindow: return rules_window.hwnd();
            case Modality::MainWindow: return window.hwnd();
            case Modality::System: break;
        }
        return nullptr;
    });
    win32::Win32EventPump pump;
    win32::Win32Clock clock;
    win32::Win32Shell shell;
    win32::Win32FileStore files;
    win32::Win32FileSystem file_system;
    win32::Win32Registry registry;
    win32::Win32Printer printer;
    win32::Win32ScreeningLock lock;
    win32::Win32UserFiles user_files([&] { return rules_window.loaded() ? rules_window.hwnd() : window.hwnd(); });
    win32::Win32TextCodec codec;

    Program program({app,
                     port,
                     timers,
                     dialogs,
                     pump,
                     clock,
                     shell,
                     files,
                     file_system,
                     registry,
                     printer,
                     window,
                     tray,
                     call_log_window,
                     preferences_window,
                     rules_window,
                     user_files,
                     codec,
                     lock,
                     win32::install_facts()});
    if (!program.start()) return 0;
    return win32::run_message_loop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    win32::load_libraries_from_system_folder_only();
    int exit_code = 1;
    win32::contain("starting or running", [&] { exit_code = run(instance); });
    return exit_code;
}
