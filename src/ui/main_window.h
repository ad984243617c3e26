#pragma once
// The monitor window's own events: loading (which starts monitoring), the close requests it refuses,
// unloading, and the Hide command.

#include "monitor/modem_session.h"
#include "monitor/receive_stream.h"
#include "platform/modem_port.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/settings.h"
#include "ui/main_view.h"

namespace vantelmoor {

enum class CloseReason { User, System };

class MainWindowPresenter {
public:
    MainWindowPresenter(MainView& view, ModemSession& session, ReceiveStream& stream, ModemPort& port,
                        const Settings& settings, BlockList& block_list, CallLog& call_log);

    // Shows the blocked total, starts listening, and loads the working copies of both lists.
    void form_load();
    // The title-bar close, the system menu's Close and Alt+F4 are refused: the window is only hidden.
    [[nodiscard]] bool query_unload(CloseReason reason) const;
    void form_unload();

private:
    MainView& view_;
    ModemSession& session_;
    ReceiveStream& stream_;
    ModemPort& port_;
    const Settings& settings_;
    BlockList& block_list_;
    CallLog& call_log_;
};

}  // namespace vantelmoor
