#pragma once
// Modal message boxes and input boxes, and the busy pointer. A box keeps the user-interface
// thread's events running while it is open.

#include <optional>
#include <string>

namespace vantelmoor {

enum class MessageIcon { Information, Question, Exclamation, Stop };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };
// The window a box is modal to, the one that asks (disabled while the box is open), or, for
// start-up and modem problems, the whole system.
enum class Modality { MainWindow, CallLogWindow, PreferencesWindow, RulesWindow, System };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message_box(const std::string& text, const std::string& title, MessageIcon icon,
                                      MessageButtons buttons, Modality modality) = 0;
    // Asks for a line of text: nullopt when the user cancelled. A prompt's line break is "\r".
    [[nodiscard]] virtual std::optional<std::string> input_box(const std::string& prompt, const std::string& title) = 0;
    // The program's mouse pointer: the hourglass while it is busy.
    virtual void set_busy(bool busy) = 0;
};

}  // namespace vantelmoor
