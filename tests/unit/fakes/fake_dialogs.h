#pragma once
// Message boxes that record what they showed and give scripted answers.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/screening_lock.h"
#include "platform/shell.h"

namespace vantelmoor::test {

struct ShownBox {
    std::string text;
    std::string title;
    MessageButtons buttons;
    Modality modality;
};

class FakeDialogs : public Dialogs {
public:
    std::vector<ShownBox> shown;
    std::deque<MessageAnswer> answers;             // taken in order; Ok or No when none is left
    std::deque<std::optional<std::string>> typed;  // input boxes' answers; cancelled when none is left
    std::vector<bool> busy;                        // every change of the pointer

    std::optional<std::string> input_box(const std::string&, const std::string&) override {
        if (typed.empty()) return std::nullopt;
        std::optional<std::string> answer = typed.front();
        typed.pop_front();
        return answer;
    }
    void set_busy(bool on) override { busy.push_back(on); }

    MessageAnswer message_box(const std::string& text, const std::string& title, MessageIcon, MessageButtons buttons,
                              Modality modality) override {
        shown.push_back({text, title, buttons, modality});
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
    void open_document(const std::string& target, std::function<void(long)> done) override {
        opened.push_back(target);
        done(result);
    }
};

// A default printer, or none. The pages are printed when the test says (finish), so that calls can
// ring meanwhile.
class FakePrinter : public Printer {
public:
    PrintFailure missing;  // set: no default printer
    std::function<void(PrintFailure)> pending;

    void print(const std::string&, int, Paginate, std::function<void(PrintFailure)> done) override {
        pending = std::move(done);
    }
    void finish() { std::exchange(pending, nullptr)(missing); }
};

// The machine's screening lock: free, or held by another user's copy until `held_elsewhere` is cleared.
class FakeScreeningLock : public ScreeningLock {
public:
    bool held_elsewhere = false;
    int tries = 0;
    bool try_take() override {
        ++tries;
        return !held_elsewhere;
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
