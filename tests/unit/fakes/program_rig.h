#pragma once
// The program wired as it ships (the same Program the entry routine builds), over the fakes.

#include <functional>
#include <string>

#include "app/program.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_modem_port.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_timers.h"
#include "fakes/fake_view.h"

namespace vantelmoor::test {

struct ProgramRig {
    static constexpr const char* kDir = "C:\\Vantelmoor";
    static constexpr const char* kBlockFile = "C:\\Vantelmoor\\Vantelmoor.dat";
    static constexpr const char* kLogFile = "C:\\Vantelmoor\\Vantelmoor.log";

    FakeEventLoop loop;
    FakeEventLoop& timers = loop;  // the loop makes the timers
    FakeFileStore files;
    FakeFileSystem file_system;
    FakeModemPort port{loop};
    FakeMainView view;
    FakeTrayView tray;
    FakeCallLogView call_log_view;
    FakePreferencesView preferences_view;
    FakeRulesView rules_view;
    FakeUserFiles user_files;
    Latin1 codec;
    FakePrinter printer;
    FakeApplication app;
    FakeScreeningLock lock;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeRegistry registry;
    FileStore& store;  // `files`, unless the rig was given another
    Program program;
    Settings& settings = program.settings;
    ModemSession& session = program.session;
    ActivityLog& log = program.log;
    CallRecord& record = program.record;

    // installed: the copy setup put in Program Files (its data then in C:\ProgramData\Vantelmoor).
    explicit ProgramRig(FileStore* other = nullptr, bool installed = false)
        : store(other ? *other : files), program({app,        port,       timers, dialogs,       loop,
                                                  loop,       shell,      store,  file_system,   registry,
                                                  printer,    view,       tray,   call_log_view, preferences_view,
                                                  rules_view, user_files, codec,  lock,          facts(installed)}) {
        settings.comm_command = kDefaultCommCommand;
        modem_replies([](const std::string& command) { return command + "\r\nOK\r\n"; });
    }
    static InstallFacts facts(bool installed) {
        const std::string dir = installed ? "C:\\Program Files\\Vantelmoor" : kDir;
        return {dir, dir + "\\Vantelmoor.exe", installed ? dir : "", "C:\\Program Files", "C:\\ProgramData"};
    }

    // The modem answers every command line after `delay` seconds with `reply(command)`; unless a test
    // says otherwise, it echoes it and answers OK.
    void modem_replies(std::function<std::string(const std::string&)> reply, double delay = 0.05) {
        port.on_write = [this, reply = std::move(reply), delay](const std::string& command) {
            const std::string answer = reply(command);
            if (!answer.empty()) loop.after(delay, [this, answer] { port.arrive(answer); });
        };
    }
    // This copy screens the line (it took the machine's lock) and listens; what it sent so far forgotten.
    void screen() {
        program.turn.start();
        port.writes.clear();
    }
    // Listening; what it sent so far forgotten.
    void listen() {
        session.toggle();
        port.writes.clear();
    }
    void after(double seconds) { loop.run_until(loop.now_seconds() + seconds); }
    void block_list(const std::vector<BlockEntry>& entries) { files.files[kBlockFile] = write_block_records(entries); }
    // The report of a call on 03/21 at 14:05; a name line when `name` is given.
    static std::string report(const std::string& number, const std::string& name) {
        return "\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=" + number + "\r\n" +
               (name.empty() ? "" : "NAME=" + name + "\r\n");
    }
    // Plays a call, its name line `name_after` seconds after the rest, and lets it be logged; true
    // when it was answered.
    bool answered(const std::string& number, const std::string& name, double name_after = 0) {
        const int before = count("ATA");
        port.arrive(report(number, name_after > 0 ? "" : name));
        if (name_after > 0) loop.after(name_after, [this, name] { port.arrive("NAME=" + name + "\r\n"); });
        after(8);
        return count("ATA") > before;
    }
    void click(int index) { view.events->connect_click(index); }
    void choose(MainMenuItem item) { view.events->menu_chosen(item); }
    [[nodiscard]] std::string status() const { return view.text(Control::lblStatus0); }
    [[nodiscard]] std::string caption() const { return view.text(Control::Connect0); }
    [[nodiscard]] int count(const std::string& command) const {
        int n = 0;
        for (const auto& w : port.writes) n += w.text == command + "\r";
        return n;
    }
    [[nodiscard]] bool noted(const std::string& words) const { return log.text().find(words) != std::string::npos; }
};

}  // namespace vantelmoor::test
