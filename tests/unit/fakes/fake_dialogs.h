#pragma once
// Message boxes that record what they showed and give scripted answers.

#include <deque>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace vantelmoor::test {

struct ShownBox {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;
    Modality modality;
};

class FakeDialogs : public Dialogs {
public:
    std::vector<ShownBox> shown;
    std::deque<MessageAnswer> answers;         // taken in order; Ok or No when none is left

    MessageAnswer message_box(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons, Modality modality) override {
        shown.push_back({text, title, icon, buttons, modality});
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
};

class FakeShell : public Shell {
public:
    long result = 42;
    std::vector<std::string> opened;
    long open_document(const std::string& target) override {
        opened.push_back(target);
        return result;
    }
};

class FakeApplication : public Application {
public:
    bool other_copy = false;
    bool ended = false;
    bool another_copy_running() override { return other_copy; }
    void end() override { ended = true; }
};

}  // namespace vantelmoor::test
