#include "ui/main_window.h"

#include <string>

namespace vantelmoor {

MainWindowPresenter::MainWindowPresenter(MainView& view, ModemSession& session, ReceiveStream& stream,
                                         ModemPort& port, const Settings& settings, BlockList& block_list,
                                         CallLog& call_log)
    : view_(view),
      session_(session),
      stream_(stream),
      port_(port),
      settings_(settings),
      block_list_(block_list),
      call_log_(call_log) {}

void MainWindowPresenter::form_load() {
    view_.set_text(Control::Label1_4, std::to_string(settings_.total_blocked));
    stream_.set_light_state(false);
    session_.connect_click(0);
    call_log_.load_list2();
    // The monitor window is open from the start, so its copy of the block list is loaded now:
    // "&Block Future Calls" must never save a copy that lacks the file's entries.
    block_list_.load_list();
}

bool MainWindowPresenter::query_unload(CloseReason reason) const { return reason != CloseReason::User; }

void MainWindowPresenter::form_unload() {
    if (port_.port_open()) (void)port_.set_port_open(false);
}

}  // namespace vantelmoor
