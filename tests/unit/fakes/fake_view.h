#pragma once
// The monitor window in memory: every control starts with its design-time text, colours and state.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/call_log_view.h"
#include "ui/main_view.h"
#include "ui/preferences_view.h"
#include "ui/rules_view.h"
#include "ui/tray_view.h"

namespace vantelmoor::test {

struct ControlState {
    std::string text;
    Colour fill = kDefaultColour;
    bool enabled = true;
};

class FakeMainView : public MainView {
public:
    FakeMainView() {
        for (const ControlLayout& item : main_window_controls()) {
            controls[item.id] = {std::string(item.text), item.back, item.enabled};
        }
    }

    std::map<Control, ControlState> controls;
    std::map<MainMenuItem, bool> menu_enabled;
    MainViewEvents* events = nullptr;
    bool shown = false;
    std::vector<std::string>* journal = nullptr;  // what the program did, in order

    void set_events(MainViewEvents* handler) override { events = handler; }
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

// The tray window in memory: the icon's tip while it is there, and the menu's items.
class FakeTrayView : public TrayView {
public:
    std::optional<std::string> tip;  // none: no icon
    std::map<TrayMenuItem, bool> menu_enabled{{TrayMenuItem::Listen, true}, {TrayMenuItem::Pause, true}};
    bool refuse = false;  // as a shell with no taskbar yet
    int menus_shown = 0;
    TrayViewEvents* events = nullptr;
    std::vector<std::string>* journal = nullptr;

    void set_events(TrayViewEvents* handler) override { events = handler; }
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

// The call-log window in memory.
class FakeCallLogView : public CallLogView {
public:
    bool created = false;
    bool shown = false;
    std::vector<std::string> lines;
    int selection = -1;
    std::map<CallLogButton, bool> enabled;
    CallLogViewEvents* events = nullptr;

    void set_events(CallLogViewEvents* handler) override { events = handler; }
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

// The preferences window in memory; its modal run returns at once, the window still loaded.
class FakePreferencesView : public PreferencesView {
public:
    bool created = false;
    bool checks[3] = {false, false, false};
    bool check_enabled[3] = {true, true, true};
    std::vector<std::string> lines;
    int selection = -1;
    bool save_enabled = true;
    PreferencesViewEvents* events = nullptr;

    void set_events(PreferencesViewEvents* handler) override { events = handler; }
    bool create() override { return created = true; }
    void run_modal() override {}
    void destroy() override { created = false; }
    bool loaded() const override { return created; }
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

// The screening rules window in memory; the entry editor takes what the test typed, when its check
// lets it.
class FakeRulesView : public RulesView {
public:
    bool created = false;
    std::map<RuleList, std::vector<RuleRow>> rows;
    std::map<RuleList, int> selection{{RuleList::Block, -1}, {RuleList::Allow, -1}};
    bool notify_on = false;
    bool save_enabled = false;
    std::deque<std::optional<BlockEntry>> typed;  // for each editor: the entry typed, or cancelled
    std::vector<std::string> refusals;            // what the editor's check said of a typed entry
    std::function<void()> while_editing;          // what else happens while an editor is up
    RulesViewEvents* events = nullptr;

    void set_events(RulesViewEvents* handler) override { events = handler; }
    bool create() override { return created = true; }
    void run_modal() override {}
    void destroy() override { created = false; }
    bool loaded() const override { return created; }
    void set_rows(RuleList list, const std::vector<RuleRow>& all) override { rows[list] = all; }
    int selected(RuleList list) const override { return selection.at(list); }
    void set_notify(bool on) override { notify_on = on; }
    bool notify() const override { return notify_on; }
    void set_save_enabled(bool on) override { save_enabled = on; }
    std::optional<BlockEntry> edit_entry(const std::string&, const BlockEntry&, const EntryCheck& check) override {
        if (while_editing) std::exchange(while_editing, nullptr)();
        if (typed.empty()) return std::nullopt;
        std::optional<BlockEntry> entry = typed.front();
        typed.pop_front();
        if (entry) {
            if (const auto fault = check(entry->name, entry->number)) {
                refusals.push_back(*fault);
                return std::nullopt;  // OK is never offered: the user cancels
            }
        }
        return entry;
    }
};

}  // namespace vantelmoor::test
