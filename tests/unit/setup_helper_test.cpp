// Setup's helper in the folders standard users can write, over files in memory with junctions, which Wine lacks.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "helper/data_folder.h"
#include "store/block_list.h"

namespace vantelmoor {
namespace {

using setup::Found;
using setup::Outcome;

constexpr const char* kData = "C:\\ProgramData\\Vantelmoor";
const std::string kDat = std::string(kData) + "\\Vantelmoor.dat";
const std::string kMarker = std::string(kData) + "\\Vantelmoor.flg";

// Files and folders by path; a link is an entry of its own, and the paths under it are what it leads to.
class FakeSetupFiles final : public setup::SetupFiles {
public:
    enum class Kind { Folder, File, Link };
    struct Entry {
        Kind kind = Kind::File;
        std::string bytes = {};
        std::string access = {};  // "administrators", "data folder", "marker": the access list it has
    };
    std::map<std::string, Entry> entries;
    std::string in_use;  // a folder in which a user holds a file open

    Found hold(const std::string& path) override {
        if (!entries.contains(path)) return Found::Nothing;
        return entries[path].kind == Kind::Folder ? Found::Folder : Found::Other;
    }
    setup::Failure rename_held(const std::string& path, const std::string& new_path) override {
        if (path == in_use) return "Access is denied.";
        std::map<std::string, Entry> moved;
        for (auto& [name, entry] : entries)
            moved[name == path || name.starts_with(path + "\\") ? new_path + name.substr(path.size()) : name] = entry;
        entries = std::move(moved);
        return std::nullopt;
    }
    setup::Failure make_data_folder(const std::string& path) override {
        return make(path, {Kind::Folder, "", "administrators"});
    }
    setup::Failure share_data_folder(const std::string& path) override {
        entries.at(path).access = "data folder";
        return std::nullopt;
    }
    setup::Failure make_marker(const std::string& path) override { return make(path, {Kind::File, "", "marker"}); }
    setup::PlainRead read_plain(const std::string& path, std::size_t largest) override {
        if (!entries.contains(path)) return {};
        if (entries[path].bytes.size() > largest) return {std::nullopt, "it is too large"};
        return {entries[path].bytes, {}};
    }
    setup::Failure write_new(const std::string& path, std::string_view bytes) override {
        return make(path, {Kind::File, std::string(bytes)});
    }
    setup::Failure remove_name(const std::string& path) override {
        entries.erase(path);
        return std::nullopt;
    }
    setup::Failure remove_if_empty(const std::string& path) override {
        return under(path).empty() ? remove_name(path) : setup::Failure("it holds other files");
    }
    std::string random_suffix() override { return "r1"; }

    std::set<std::string> under(const std::string& folder) const {
        std::set<std::string> names;
        for (const auto& [name, entry] : entries)
            if (name.starts_with(folder + "\\")) names.insert(name.substr(folder.size() + 1));
        return names;
    }

private:
    setup::Failure make(const std::string& path, Entry entry) {
        if (entries.contains(path)) return "The file exists.";
        entries[path] = std::move(entry);
        return std::nullopt;
    }
};

using Kind = FakeSetupFiles::Kind;

// What is not carried over stays where the old folder was moved aside, for the administrator to see.
TEST(DataFolderSetupTest, TheDataIsCarriedOverByContentOnlyFromPlainFilesAndNoLinkIsFollowed) {
    const std::string log = std::string(kData) + "\\Vantelmoor.log";
    const std::string mine = std::string(kData) + "\\mine.txt";
    const FakeSetupFiles::Entry folder{Kind::Folder}, huge{Kind::File, std::string(kLargestBlockList + 1, ' ')};
    const std::tuple<const char*, std::map<std::string, FakeSetupFiles::Entry>, std::set<std::string>, bool> cases[] = {
        {"an earlier version's folder",
         {{kData, folder}, {kDat, {}}, {log, {}}, {kMarker, {}}},
         {"Vantelmoor.dat", "Vantelmoor.log"},
         false},
        {"a user's file beside them", {{kData, folder}, {kDat, {}}, {mine, {}}}, {"Vantelmoor.dat"}, true},
        {"a list too large", {{kData, folder}, {kDat, huge}}, {}, true},
        {"a junction in the folder's place", {{kData, {Kind::Link}}, {kDat, {}}}, {}, true},
    };
    for (const auto& [what, before, carried_names, aside_kept] : cases) {
        FakeSetupFiles files;
        files.entries = before;
        EXPECT_EQ(setup::prepare_data_folder(files, kData, {}).outcome, Outcome::Done) << what;
        EXPECT_EQ(files.entries[kData].access, "administrators") << what;
        EXPECT_EQ(files.under(kData), carried_names) << what;
        EXPECT_EQ(files.entries.contains(std::string(kData) + ".old-r1"), aside_kept) << what;
    }
}

TEST(DataFolderSetupTest, AHeldFolderStopsSetupUnchangedEarlierInstallsFillGapsAndUsersGetItOnlyWithTheMarker) {
    FakeSetupFiles files;
    files.entries = {{kData, {Kind::Folder}}, {std::string(kData) + "\\Vantelmoor.log", {Kind::File, "calls"}}};
    files.in_use = kData;
    EXPECT_EQ(setup::prepare_data_folder(files, kData, {}).outcome, Outcome::InUse);
    EXPECT_EQ(files.entries.size(), 2u);

    files.in_use.clear();
    files.entries["C:\\Vantelmoor"] = {Kind::Folder};
    files.entries["C:\\Vantelmoor\\Vantelmoor.dat"] = {Kind::File, "old list"};
    files.entries["C:\\Vantelmoor\\Vantelmoor.log"] = {Kind::File, "older calls"};
    EXPECT_EQ(setup::prepare_data_folder(files, kData, {"C:\\Vantelmoor"}).outcome, Outcome::Done);
    EXPECT_EQ(files.entries[kDat].bytes, "old list");
    EXPECT_EQ(files.entries[std::string(kData) + "\\Vantelmoor.log"].bytes, "calls");  // the newer folder's first

    // Users may add files to the folder, but an empty one they could make a junction of: the marker comes first.
    files.entries[kMarker] = {};  // a marker that cannot be made
    EXPECT_EQ(setup::open_data_folder(files, kData).outcome, Outcome::Failed);
    EXPECT_EQ(files.entries[kData].access, "administrators");
    files.entries.erase(kMarker);
    EXPECT_EQ(setup::open_data_folder(files, kData).outcome, Outcome::Done);
    EXPECT_EQ(files.entries[kMarker].access, "marker");
    EXPECT_EQ(files.entries[kData].access, "data folder");
}

TEST(DataFolderSetupTest, RemovingTakesOnlyTheProgramsNamesAndNothingThroughAJunction) {
    FakeSetupFiles files;
    files.entries = {{kData, {Kind::Folder}},
                     {kDat, {}},
                     {kMarker, {}},
                     {std::string(kData) + "\\mine.txt", {}},
                     {"C:\\Vantelmoor", {Kind::Folder}},
                     {"C:\\Vantelmoor\\Vantelmoor.exe", {}},
                     {"C:\\Vantelmoor\\Uninstall.exe", {}},
                     {"C:\\Vantelmoor\\Vantelmoor.log", {}}};
    (void)setup::remove_data(files, kData);
    EXPECT_EQ(files.under(kData), std::set<std::string>{"mine.txt"});  // and so the folder stays
    (void)setup::remove_old_install(files, "C:\\Vantelmoor");
    EXPECT_EQ(files.under("C:\\Vantelmoor"), std::set<std::string>{"Vantelmoor.log"});  // the data it held

    // The run markers go from folders; through a junction in the data folder's place, nothing does.
    files.entries = {
        {kData, {Kind::Link}}, {kDat, {}}, {kMarker, {}}, {"C:\\Old", {Kind::Folder}}, {"C:\\Old\\Vantelmoor.flg", {}}};
    (void)setup::remove_data(files, kData);
    (void)setup::remove_markers(files, {kData, "C:\\Old"});
    EXPECT_EQ(files.entries.size(), 4u);
    EXPECT_TRUE(files.under("C:\\Old").empty());
}

}  // namespace
}  // namespace vantelmoor
