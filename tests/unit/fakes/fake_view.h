#pragma once
// The monitor window in memory: every control starts with its design-time text, colours and state.

#include <map>
#include <string>

#include "ui/main_view.h"

namespace vantelmoor::test {

struct ControlState {
    std::string text;
    Colour fore = kDefaultColour;
    Colour fill = kDefaultColour;
    bool enabled = true;
};

class FakeMainView : public MainView {
public:
    FakeMainView() {
        for (const ControlLayout& item : main_window_controls()) {
            controls[item.id] = {std::string(item.text), item.fore, item.back, item.enabled};
        }
    }

    std::map<Control, ControlState> controls;
    MainViewEvents* events = nullptr;
    int full_rewrites = 0;  // set_text calls on the activity log
    bool hidden = false;

    void set_events(MainViewEvents* handler) override { events = handler; }
    void set_text(Control control, const std::string& text) override {
        if (control == Control::txtStatus) ++full_rewrites;
        controls[control].text = text;
    }
    std::string text(Control control) const override { return controls.at(control).text; }
    void append_text(Control control, std::string_view text) override { controls[control].text += text; }
    void set_fore_colour(Control control, Colour colour) override { controls[control].fore = colour; }
    void set_fill_colour(Control control, Colour colour) override { controls[control].fill = colour; }
    void set_enabled(Control control, bool enabled) override { controls[control].enabled = enabled; }
    void hide() override { hidden = true; }

    const ControlState& operator[](Control control) const { return controls.at(control); }
};

}  // namespace vantelmoor::test
