#pragma once
// The program's windows in memory; the monitor window's controls start with their design-time
// text, colours and state.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_dialogs.h"
#include "ui/call_log_view.h"
#include "ui/main_view.h"
#include "ui/preferences_view.h"
#include "ui/rules_view.h"
#include "ui/tray_view.h"

namespace vantelmoor::test {

// Each view keeps the program's handler of its events, through which the tests play the user.
template <typename View, typename Events>
class FakeView : public View {
public:
    Events* events = nullptr;
    void set_events(Events* handler) override { events = handler; }
};

// A window the program runs modally: the run returns at once, the window still loaded.
template <typename View, typename Events>
class FakeModalView : public FakeView<View, Events> {
public:
    bool created = false;
    bool create() override { return created = true; }
    void run_modal() override {}
    void destroy() override { created = false; }
    bool loaded() const override { return created; }
};

struct ControlState {
    std::string text;
    Colour fill = kDefaultColour;
    bool enabled = true;
};

class FakeMainView : public FakeView<MainView, MainViewEvents> {
public:
    FakeMainView() {
        for (const auto& layout : main_window_controls()) {
            controls[layout.id] = {std::string(layout.text), layout.back, layout.enabled};
        }
    }

    std::map<Control, ControlState> controls;
    std::map<MainMenuItem, bool> menu_enabled;
    bool shown = false;
    std::vector<std::string>* journal = nullptr;  // what the program did, in order

    void set_text(Control control, const std::string& text) override { controls[control].text = text; }
    std::string text(Control control) const override { return controls.at(control).text; }
    void append_text(Control control, std::string_view text) override { controls[control].text += text; }
    void set_fore_colour(Control, Colour) override {}  // no test looks at the text's colour
    void set_fill_colour(Control control, Colour colour) override { controls[control].fill = colour; }
    void set_enabled(Control control, bool enabled) override { controls[control].enabled = enabled; }
    void set_menu_enabled(MainMenuItem item, bool enabled) override { menu_enabled[item] = enabled; }
    void hide() override { show(false); }
    void show_normal() override { show(true); }
    bool visible() const override { return shown; }

    const ControlState& operator[](Control control) const { return controls.at(control); }

private:
    void show(bool on) {
        shown = on;
        if (journal) journal->push_back(on ? "main window shown" : "main window hidden");
    }
};

class FakeTrayView : public FakeView<TrayView, TrayViewEvents> {
public:
    std::optional<std::string> tip;  // none: no icon
    std::map<TrayMenuItem, bool> menu_enabled{{TrayMenuItem::Listen, true}, {TrayMenuItem::Pause, true}};
    bool refuse = false;  // as a shell with no taskbar yet
    int menus_shown = 0;
    std::vector<std::string>* journal = nullptr;

    void show_icon(const std::string& text) override {
        if (!refuse) {
            if (journal && !tip) journal->push_back("icon added");
            tip = text;
        }
        if (events) events->icon_shown(!refuse);
    }
    void delete_icon() override { tip.reset(); }
    void set_menu_enabled(TrayMenuItem item, bool enabled) override { menu_enabled[item] = enabled; }
    void show_menu() override { ++menus_shown; }
    void show_balloon(const std::string& title, const std::string& text) override {
        balloons.push_back(title + ": " + text);
    }
    std::vector<std::string> balloons;
};

class FakeCallLogView : public FakeView<CallLogView, CallLogViewEvents> {
public:
    bool created = false;
    bool shown = false;
    std::vector<std::string> lines;
    int selection = -1;
    std::map<CallLogButton, bool> enabled;

    bool create() override { return created = true; }
    void destroy() override { created = shown = false; }
    void show() override { shown = true; }
    bool visible() const override { return shown; }
    void set_lines(const std::vector<std::string>& all) override {
        lines = all;
        selection = -1;
    }
    void select(int index) override { selection = index; }
    std::string selected_line() const override {
        return selection >= 0 && selection < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(selection)]
                                                                            : "";
    }
    void set_enabled(CallLogButton button, bool on) override { enabled[button] = on; }
};

class FakePreferencesView : public FakeModalView<PreferencesView, PreferencesViewEvents> {
public:
    bool checks[3] = {false, false, false};
    bool check_enabled[3] = {true, true, true};
    std::vector<std::string> lines;
    int selection = -1;
    bool save_enabled = true;

    void set_checked(int index, bool on) override { checks[index] = on; }
    void set_check_enabled(int index, bool on) override { check_enabled[index] = on; }
    bool checked(int index) const override { return checks[index]; }
    void set_lines(const std::vector<std::string>& all) override { lines = all; }
    int selected() const override { return selection; }
    void set_save_enabled(bool on) override { save_enabled = on; }
    // The user ticks or clears a box, by mouse or keyboard.
    void toggle(int index) {
        checks[index] = !checks[index];
        events->check_changed(index);
    }
};

class FakeRulesView : public FakeModalView<RulesView, RulesViewEvents> {
public:
    std::map<RuleList, std::vector<RuleRow>> rows;
    std::map<RuleList, int> selection{{RuleList::Block, -1}, {RuleList::Allow, -1}};
    bool notify_on = false;
    bool save_enabled = false;
    std::deque<std::optional<BlockEntry>> typed;  // for each editor: the entry typed, or cancelled
    std::vector<std::string> refusals;            // what the editor's check said of a typed entry
    std::function<void()> while_editing;          // what else happens while an editor is up

    void set_rows(RuleList list, const std::vector<RuleRow>& all) override { rows[list] = all; }
    int selected(RuleList list) const override { return selection.at(list); }
    void set_notify(bool on) override { notify_on = on; }
    bool notify() const override { return notify_on; }
    void set_save_enabled(bool on) override { save_enabled = on; }
    std::optional<BlockEntry> edit_entry(const std::string&, const BlockEntry&, const EntryCheck& check) override {
        if (while_editing) std::exchange(while_editing, nullptr)();
        std::optional<BlockEntry> entry = next(typed);
        if (const auto fault = entry ? check(entry->name, entry->number) : std::nullopt) {
            refusals.push_back(*fault);
            return std::nullopt;  // OK is never offered: the user cancels
        }
        return entry;
    }
};

}  // namespace vantelmoor::test
