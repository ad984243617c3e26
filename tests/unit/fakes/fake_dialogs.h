#pragma once
// Dialogs that record what they showed and give scripted answers, and the program's other services.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/screening_lock.h"
#include "platform/shell.h"
#include "platform/user_files.h"

namespace vantelmoor::test {

// The next of a test's scripted answers, or `none` once they are used up.
template <typename Answer>
Answer next(std::deque<Answer>& script, Answer none = {}) {
    if (script.empty()) return none;
    Answer answer = std::move(script.front());
    script.pop_front();
    return answer;
}

struct ShownBox {
    std::string text;
    std::string title;
    Modality modality;
};

class FakeDialogs : public Dialogs {
public:
    std::vector<ShownBox> shown;
    std::deque<MessageAnswer> answers;             // taken in order; Ok or No when none is left
    std::deque<std::optional<std::string>> typed;  // input boxes' answers; cancelled when none is left
    std::vector<bool> busy;                        // every change of the pointer

    std::optional<std::string> input_box(const std::string&, const std::string&) override { return next(typed); }
    void set_busy(bool on) override { busy.push_back(on); }

    MessageAnswer message_box(const std::string& text, const std::string& title, MessageIcon, MessageButtons buttons,
                              Modality modality) override {
        shown.push_back({text, title, modality});
        return next(answers, buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No);
    }
};

class FakeUserFiles : public UserFiles {
public:
    std::deque<std::optional<ChosenFile>> to_open;  // cancelled when none is left
    std::optional<std::string> save_to;             // where the user saves; cancelled when none
    std::map<std::string, std::string> saved;

    std::optional<ChosenFile> open(const std::string&, std::size_t) override { return next(to_open); }
    std::optional<ChosenFile> save(const std::string&, const std::string&, std::string_view bytes) override {
        if (!save_to) return std::nullopt;
        saved[*save_to] = std::string(bytes);
        return ChosenFile{*save_to, std::nullopt, ""};
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

// The pages are printed when the test says (finish), so that calls can ring meanwhile.
class FakePrinter : public Printer {
public:
    PrintFailure missing;  // set: no default printer
    std::function<void(PrintFailure)> pending;

    void print(const std::string&, int, Paginate, std::function<void(PrintFailure)> done) override {
        pending = std::move(done);
    }
    void finish() { std::exchange(pending, nullptr)(missing); }
};

class FakeScreeningLock : public ScreeningLock {
public:
    bool held_elsewhere = false;  // by another user's copy, until cleared
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
