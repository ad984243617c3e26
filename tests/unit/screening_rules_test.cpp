// The screening rules: what an entry covers, the never-block list first, what each rule caught, list files.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "fakes/program_rig.h"
#include "store/caller_pattern.h"
#include "store/list_exchange.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;

TEST(CallerPatternTest, WhatAnEntryCoversAndAnEntryThatCouldNeverMatchIsRefused) {
    const std::tuple<const char*, const char*, const char*, const char*, bool> cases[] = {
        {"", "555-123-4567", "", "5551234567", true},  // no * or ?: the digits or the same text, names in any case
        {"", "5551234567", "", "15551234567", false},
        {"", "555-123-4567", "", "555-123-4567X", false},
        {"", "PRIVATE LINE", "", "PRIVATE LINE", true},
        {"JOHN DOE", "", "john doe  ", "", true},
        {"JOHN DOE", "", "JOHN DOES", "", false},
        {"", "800*", "", "18005551234", true},  // * any run (or none), ? one; the country digit ignored on both sides
        {"", "1-800-*", "", "8005551234", true},
        {"", "1-800-*", "", "9005551234", false},
        {"", "(555) 123-????", "", "5551234567", true},
        {"", "(555) 123-????", "", "555123456", false},
        {"", "*4567", "", "555.123.4567", true},
        {"", "555*4567", "", "5554567", true},
        {"", "555*4567", "", "5551234568", false},
        {"", "*", "", "PRIVATE", false},  // no digits: no number pattern covers it
        {"*DOE", "", "John Doe", "", true},
        {"J*N D*", "", "JOHN DOE", "", true},
        {"", "", "JOHN DOE", "5551234567", false},  // a blank field never matches, a blank caller neither
        {"JOHN DOE", "", "", "5551234567", false},
    };
    for (const auto& [name, number, caller_name, caller_number, covered] : cases) {
        EXPECT_EQ(entry_covers(name, number, caller_name, caller_number), covered)
            << name << "|" << number << " for " << caller_name << "|" << caller_number;
    }
    EXPECT_EQ(entry_fault("", "PRIVATE LINE"), std::nullopt);  // exact text, as ever
    const std::pair<const char*, const char*> refused[] = {
        {"", ""}, {"  ", " "}, {"", "800-CALL-*"}, {"", "2345678901234567*"}, {"A NAME OF TWENTY-ONE!", ""}};
    for (const auto& [name, number] : refused) EXPECT_NE(entry_fault(name, number), std::nullopt) << name << number;
}

class RulesProgramTest : public ::testing::Test {
protected:
    ProgramRig rig;
    const std::string allow_file = std::string(ProgramRig::kDir) + "\\VantelmoorAllow.dat";
    const std::string counts_file = std::string(ProgramRig::kDir) + "\\VantelmoorCounts.dat";

    void SetUp() override { rig.screen(); }
    void lists(const std::vector<BlockEntry>& block, const std::vector<BlockEntry>& allow) {
        rig.files.files[ProgramRig::kBlockFile] = write_block_records(block);
        rig.files.files[allow_file] = write_block_records(allow);
    }
};

// A withheld number's name may follow its number line twice, or a call reported before its ring.
TEST_F(RulesProgramTest, TheNeverBlockListBeatsEverythingElseAndAWithheldNumberWaitsForItsName) {
    rig.settings.block_anon_num = rig.settings.block_anon_name = true;
    lists({{"", "555*"}, {"", "5551234567"}}, {{"", "555-123-4567"}, {"DR SMITH", ""}});
    EXPECT_FALSE(rig.answered("5551234567", "Unknown Caller"));  // listed, patterned, unknown: never blocked
    EXPECT_FALSE(rig.answered("PRIVATE", "DR SMITH", 0.3));      // withheld number: its name comes in time
    EXPECT_TRUE(rig.answered("PRIVATE", "SOMEONE", 0.3));
    EXPECT_TRUE(rig.answered("PRIVATE", ""));             // no name at all: blocked a second later
    EXPECT_TRUE(rig.answered("5559990000", "JOHN DOE"));  // the pattern's neighbour is blocked
    for (const char* report : {"\r\nRING\r\nNMBR=PRIVATE\r\nNMBR=PRIVATE\r\n", "\r\nNMBR=PRIVATE\r\n"}) {
        rig.port.arrive(report);
        rig.after(0.3);
        rig.port.arrive("NAME=DR SMITH\r\n");
        rig.after(8);
    }
    EXPECT_EQ(rig.count("ATA"), 3);
}

// The counts live beside the lists: emptying or trimming the log loses none of them.
TEST_F(RulesProgramTest, EachRuleCountsTheCallsItDecidedWhateverBecomesOfTheLog) {
    lists({{"", "800*"}, {"JOHN DOE", ""}}, {{"", "5550001111"}});
    const int most = std::numeric_limits<int>::max();  // as any user may write it: counted on, it would overflow
    rig.files.files[counts_file] =
        write_rule_counts({{{RuleList::Block, {"JOHN DOE", ""}}, {most, "01/01", "09:00 AM"}}});
    rig.answered("8005551234", "A");
    rig.answered("5550001111", "C");
    rig.answered("5552223333", "john doe");
    rig.files.files[ProgramRig::kLogFile] = "";  // emptied
    rig.answered("8000000000", "D");
    EXPECT_EQ(read_rule_counts(rig.files.files[counts_file]),
              (RuleCountMap{{{RuleList::Block, {"", "800*"}}, {2, "03/21", "02:05 PM"}},
                            {{RuleList::Block, {"JOHN DOE", ""}}, {most, "03/21", "02:05 PM"}},
                            {{RuleList::Allow, {"", "5550001111"}}, {1, "03/21", "02:05 PM"}}}));
}

class RulesWindowTest : public RulesProgramTest {
protected:
    test::FakeRulesView& view = rig.rules_view;
    void press(RuleList list, RulesButton button) { view.events->list_button(list, button); }
    std::vector<BlockEntry> file(const std::string& path) { return read_block_records(rig.files.files[path]); }
};

TEST_F(RulesWindowTest, EntriesAreCheckedAsTypedImportedExportedAndWrittenOnlyBySaveAndBalloonsComeOnlyWhenChosen) {
    lists({{"", "800*"}, {"ANN", ""}}, {});
    rig.answered("5550000000", "");
    EXPECT_TRUE(rig.tray.balloons.empty());
    rig.files.files[counts_file] = write_rule_counts({{{RuleList::Block, {"", "800*"}}, {2, "03/21", "02:05 PM"}},
                                                      {{RuleList::Block, {"ANN", ""}}, {1, "03/20", "09:00 AM"}}});
    rig.choose(MainMenuItem::Rules);
    EXPECT_EQ(view.rows[RuleList::Block][0], (RuleRow{"", "800*", "2", "03/21 02:05 PM"}));
    view.events->column_clicked(RuleList::Block, 2);  // by calls caught, fewest first
    EXPECT_EQ(view.rows[RuleList::Block][0][0], "ANN");

    view.typed = {BlockEntry{"", ""}, BlockEntry{"", "555-CALL-*"}, BlockEntry{"DR SMITH", ""}};
    for (int i = 0; i < 3; ++i) press(RuleList::Allow, RulesButton::Add);
    EXPECT_EQ(view.refusals.size(), 2u);  // both blank; a pattern that could never match
    rig.user_files.to_open = {ChosenFile{"C:\\list.txt", "5551230000\r\nnot a number\r\n800*\r\n", ""}};
    press(RuleList::Block, RulesButton::Import);
    EXPECT_EQ(rig.dialogs.shown.back().text.find("1 entry was added to the block list, and 1 was on it already."), 0u);
    EXPECT_NE(rig.dialogs.shown.back().text.find("line 2: it is no telephone number"), std::string::npos);
    EXPECT_EQ(file(ProgramRig::kBlockFile).size(), 2u);  // nothing written before Save
    view.selection[RuleList::Block] = 1;                 // ANN, still by calls caught: none, 1, 2
    rig.dialogs.answers = {MessageAnswer::Yes};
    press(RuleList::Block, RulesButton::Remove);
    rig.user_files.save_to = "C:\\out.csv";
    press(RuleList::Block, RulesButton::Export);
    EXPECT_EQ(rig.user_files.saved["C:\\out.csv"], "name,number\r\n,800*\r\n,5551230000\r\n");  // the file's order

    view.notify_on = true;
    view.events->save_clicked();
    EXPECT_EQ(file(ProgramRig::kBlockFile), (std::vector<BlockEntry>{{"", "800*"}, {"", "5551230000"}}));
    EXPECT_EQ(file(allow_file), (std::vector<BlockEntry>{{"DR SMITH", ""}}));
    EXPECT_EQ(read_rule_counts(rig.files.files[counts_file]).size(), 1u);  // ANN's count went with ANN
    EXPECT_FALSE(view.save_enabled);
    EXPECT_EQ(rig.registry.text(kSettingsKey, "NotifyCalls"), "True");
    rig.answered("5551230000", "JOHN DOE");
    rig.answered("5550000000", "");
    EXPECT_EQ(rig.tray.balloons,
              (std::vector<std::string>{"Call blocked: JOHN DOE (555-123-0000) was answered and hung up.",
                                        "Call: A caller (555-000-0000) rang through."}));
}

// An unreadable list is not written on Save: an entry added to it would be lost, and its counts must stay.
TEST_F(RulesWindowTest, AListThatCannotBeReadTakesNothingIsNotWrittenKeepsItsCountsAndAFullOneStopsAnImport) {
    lists({{"ANN", ""}}, {{"", "5550001111"}});
    rig.files.files[counts_file] =
        write_rule_counts({{{RuleList::Allow, {"", "5550001111"}}, {4, "03/21", "02:05 PM"}}});
    rig.files.unreadable.insert(allow_file);
    rig.choose(MainMenuItem::Rules);
    for (const RulesButton button : {RulesButton::Import, RulesButton::Add}) {
        press(RuleList::Allow, button);
        EXPECT_NE(rig.dialogs.shown.back().text.find("so nothing is added to it"), std::string::npos);
    }
    rig.files.unreadable.clear();  // readable again by the Save
    view.events->save_clicked();
    EXPECT_EQ(file(allow_file).size(), 1u);
    EXPECT_EQ(read_rule_counts(rig.files.files[counts_file]).size(), 1u);

    lists(std::vector<BlockEntry>(kMaxListEntries - 1, {"", "5550000000"}), {});  // one short of full
    view.events->exit_clicked();
    rig.choose(MainMenuItem::Rules);
    rig.user_files.to_open = {ChosenFile{"C:\\list.txt", "1\n2\n3\n", ""}};
    press(RuleList::Block, RulesButton::Import);
    EXPECT_NE(rig.dialogs.shown.back().text.find("the last 2 were not added"), std::string::npos);
    view.events->save_clicked();
    EXPECT_EQ(file(ProgramRig::kBlockFile).size(), kMaxListEntries);
}

// Each settings window saves the list it read; an editor answered after its window was shown again writes nowhere.
TEST_F(RulesWindowTest, OnlyOneSettingsWindowOpensAtATimeAndAnEditorAnsweredAfterItWasShownAgainChangesNothing) {
    rig.choose(MainMenuItem::Preferences);
    rig.choose(MainMenuItem::Rules);
    ASSERT_FALSE(view.created);
    EXPECT_NE(rig.dialogs.shown.back().text.find("Close the preferences window first"), std::string::npos);
    rig.program.close_preferences();

    lists({{"", "800*"}, {"ANN", ""}}, {});
    rig.choose(MainMenuItem::Rules);
    view.selection[RuleList::Block] = 1;
    view.typed = {BlockEntry{"BOB", ""}};
    view.while_editing = [&] {
        rig.program.close_preferences();
        lists({{"", "900*"}}, {});
        rig.choose(MainMenuItem::Rules);
    };
    press(RuleList::Block, RulesButton::Edit);
    EXPECT_EQ(view.rows[RuleList::Block].size(), 1u);
    EXPECT_FALSE(view.save_enabled);
}

TEST(ListFileTest, CsvAndPlainListsAreReadEachUnreadableLineNamedAndWrittenFieldsQuotedWithFormulasNeutralised) {
    const test::Latin1 codec;
    struct Case {
        std::string file;
        std::vector<BlockEntry> entries;
        std::vector<std::string> unread = {};
        std::size_t replaced = 0;
    };
    const Case cases[] = {
        // CSV with a header, quotes and commas in names; without, after a byte-order mark, a field on two lines.
        {"name,number\r\n\"DOE, JOHN\",555-123-4567\r\n\"SAY \"\"HI\"\"\",\r\n,800*\r\n",
         {{"DOE, JOHN", "555-123-4567"}, {"SAY \"HI\"", ""}, {"", "800*"}}},
        {"\xEF\xBB\xBFNED,1\n\n  \nBOB,2\n\"CARL\nX\",3\n", {{"NED", "1"}, {"BOB", "2"}, {"CARL\nX", "3"}}},
        // Over-long fields and missing ones; names outside the code page; a plain list of numbers.
        {"A NAME FAR TOO LONG TO KEEP,1\nANN\nBOB,2,3\n,\n",
         {},
         {"line 1: A name or a number holds at most 20 characters.",
          "line 2: a name and a number, comma-separated, are expected",
          "line 3: a name and a number, comma-separated, are expected",
          "line 4: An entry needs a name, a number or both."}},
        {"Jos\xC3\xA9,1\n\xE6\x9D\x8E\xE5\x9B\x9B,2\n", {{"Jos\xE9", "1"}, {"??", "2"}}, {}, 2},
        {"555-123-4567\r\n(800) 555-0000\r\nnot a number\r\n1-900-*\r\n",
         {{"", "555-123-4567"}, {"", "(800) 555-0000"}, {"", "1-900-*"}},
         {"line 3: it is no telephone number"}},
    };
    for (const Case& c : cases) {
        const ImportedList list = read_list_file(c.file, codec);
        EXPECT_EQ(list.entries, c.entries) << c.file;
        EXPECT_EQ(list.unread, c.unread) << c.file;
        EXPECT_EQ(list.replaced, c.replaced) << c.file;
    }
    // Callers choose their names: none may run as a formula in the spreadsheet that opens the export.
    EXPECT_EQ(csv_field("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
    for (const std::string formula : {"+1", "-1", "@SUM", "\tX", "\rX"})
        EXPECT_NE(csv_field(formula).find("'" + formula), std::string::npos) << formula;
    // A name of the caller's own that starts like a guard keeps its apostrophe.
    const std::vector<BlockEntry> entries{
        {"=CMD()", "+15551234567"}, {"DOE, JOHN", "555*"}, {"JOS\xC9", ""}, {"'=X", ""}, {"''\t'", "1"}};
    EXPECT_EQ(read_list_file(list_csv(entries, codec), codec).entries, entries);
    EXPECT_EQ(call_log_csv({call_log_line("03/21", "02:05 PM", "@ME", "5551234567", true)}, codec),
              "date,time,name,number,blocked\r\n03/21,02:05 PM,'@ME,5551234567,yes\r\n");
}

}  // namespace
}  // namespace vantelmoor
