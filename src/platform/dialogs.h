#pragma once
// Modal message boxes. A box keeps the user-interface thread's events running while it is open.

#include <string>

namespace vantelmoor {

enum class MessageIcon { Information, Question, Exclamation, Stop };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };
enum class Modality { Application, System };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message_box(const std::string& text, const std::string& title, MessageIcon icon,
                                      MessageButtons buttons, Modality modality) = 0;
};

}  // namespace vantelmoor
