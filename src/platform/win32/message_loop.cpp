#include "platform/win32/message_loop.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/window_base.h"

namespace vantelmoor::win32 {

void load_common_controls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&controls)) throw std::runtime_error("the common controls could not be loaded");
}

int run_message_loop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) WindowBase::dispatch(message);
    return static_cast<int>(message.wParam);
}

}  // namespace vantelmoor::win32
