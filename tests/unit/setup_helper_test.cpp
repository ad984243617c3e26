// Setup's helper in the folders standard users can write, over a file system in memory that has
// what Wine cannot make: junctions, links and hard links.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "helper/data_folder.h"
#include "store/block_list.h"

namespace vantelmoor {
namespace {

using setup::Found;
using setup::Outcome;

constexpr const char* kData = "C:\\ProgramData\\Vantelmoor";
constexpr const char* kAside = "C:\\ProgramData\\Vantelmoor.old-r1";
constexpr const char* kSecret = "C:\\Secret\\Vantelmoor.dat";  // what a user's link points at

// Files and folders by path; a link is an entry of its own that names its target.
class FakeSetupFiles final : public setup::SetupFiles {
public:
    enum class Kind { Folder, File, Link, HardLinked };
    struct Entry {
        Entry(Kind k = Kind::File, std::string b = "", std::string a = "")
            : kind(k), bytes(std::move(b)), access(std::move(a)) {}
        Kind kind;
        std::string bytes;
        std::string access;  // "administrators", "data folder", "marker": the access list it has
    };
    std::map<std::string, Entry> entries;
    std::string in_use;  // a folder in which a user holds a file open

    Found hold(const std::string& path) override {
        return !entries.contains(path)              ? Found::Nothing
               : entries[path].kind == Kind::Folder ? Found::Folder
                                                    : Found::Other;
    }
    setup::Failure rename_held(const std::string& path, const std::string& new_path) override {
        if (path == in_use) return "Access is denied.";
        std::map<std::string, Entry> moved;
        for (auto& [name, entry] : entries) {
            const bool inside =
                name == path || (entries.at(path).kind == Kind::Folder && name.starts_with(path + "\\"));
            moved[inside ? new_path + name.substr(path.size()) : name] = entry;
        }
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
        const Entry& entry = entries[path];
        if (entry.kind != Kind::File || entry.bytes.size() > largest) return {std::nullopt, "not a plain file"};
        return {entry.bytes, {}};
    }
    setup::Failure write_new(const std::string& path, std::string_view bytes) override {
        return make(path, {Kind::File, std::string(bytes), ""});
    }
    setup::Failure remove_name(const std::string& path) override {
        entries.erase(path);
        return std::nullopt;
    }
    setup::Failure remove_if_empty(const std::string& path) override {
        return under(path).empty() ? remove_name(path) : setup::Failure("it holds other files");
    }
    std::string random_suffix() override { return "r" + std::to_string(++randoms_); }

    std::map<std::string, Entry> under(const std::string& folder) const {
        std::map<std::string, Entry> found;
        for (const auto& [name, entry] : entries) {
            if (name.starts_with(folder + "\\")) found[name.substr(folder.size() + 1)] = entry;
        }
        return found;
    }

private:
    setup::Failure make(const std::string& path, Entry entry) {
        if (entries.contains(path)) return "The file exists.";
        entries[path] = std::move(entry);
        return std::nullopt;
    }
    int randoms_ = 0;
};

using Kind = FakeSetupFiles::Kind;

// Every case starts with a user's secret elsewhere, which no step may read, move or delete.
TEST(DataFolderSetupTest, TheDataIsCarriedOverByContentOnlyFromPlainFilesAndNoLinkIsFollowed) {
    const std::string dat = std::string(kData) + "\\Vantelmoor.dat";
    const std::string log = std::string(kData) + "\\Vantelmoor.log";
    struct Case {
        const char* what;
        std::map<std::string, FakeSetupFiles::Entry> before;
        std::set<std::string> carried;  // names in the new folder
        bool aside;                     // something stays where the old folder was moved aside
    };
    const Case cases[] = {
        {"an earlier version's folder",
         {{kData, {Kind::Folder}},
          {dat, {Kind::File, "list"}},
          {log, {Kind::File, "calls"}},
          {std::string(kData) + "\\Vantelmoor.flg", {Kind::File}}},
         {"Vantelmoor.dat", "Vantelmoor.log"},
         false},
        {"a user's file beside them",
         {{kData, {Kind::Folder}}, {dat, {Kind::File, "list"}}, {std::string(kData) + "\\mine.txt", {Kind::File}}},
         {"Vantelmoor.dat"},
         true},
        // What is not taken stays where it was moved aside, for the administrator to see.
        {"a hard-linked log",
         {{kData, {Kind::Folder}}, {dat, {Kind::File, "list"}}, {log, {Kind::HardLinked, "secret"}}},
         {"Vantelmoor.dat"},
         true},
        {"a link named as the block list", {{kData, {Kind::Folder}}, {dat, {Kind::Link, kSecret}}}, {}, true},
        {"a list too large",
         {{kData, {Kind::Folder}}, {dat, {Kind::File, std::string(kLargestBlockList + 1, ' ')}}},
         {},
         true},
        {"a junction in the folder's place", {{kData, {Kind::Link, "C:\\Secret"}}}, {}, true},
        {"a file in the folder's place", {{kData, {Kind::File, "x"}}}, {}, true},
        {"no folder at all", {}, {}, false},
    };
    for (const Case& c : cases) {
        FakeSetupFiles files;
        files.entries = c.before;
        files.entries["C:\\Secret"] = {Kind::Folder};
        files.entries[kSecret] = {Kind::File, "secret"};
        const setup::Result result = setup::prepare_data_folder(files, kData, {});
        EXPECT_EQ(result.outcome, Outcome::Done) << c.what;
        EXPECT_EQ(files.entries[kData].access, "administrators") << c.what;
        std::set<std::string> carried;
        for (const auto& [name, entry] : files.under(kData)) {
            carried.insert(name);
            EXPECT_NE(entry.bytes, "secret") << c.what;
        }
        EXPECT_EQ(carried, c.carried) << c.what;
        EXPECT_EQ(files.entries.contains(kAside), c.aside) << c.what;
        EXPECT_EQ(files.entries[kSecret].bytes, "secret") << c.what;
        EXPECT_EQ(files.under("C:\\Secret").size(), 1u) << c.what;
    }
}

TEST(DataFolderSetupTest, AFolderAUserHoldsStopsSetupBeforeAnythingChangesAndAnEarlierInstallSuppliesWhatIsMissing) {
    FakeSetupFiles files;
    files.entries = {{kData, {Kind::Folder}}, {std::string(kData) + "\\Vantelmoor.log", {Kind::File, "calls"}}};
    files.in_use = kData;
    const setup::Result in_use = setup::prepare_data_folder(files, kData, {});
    EXPECT_EQ(in_use.outcome, Outcome::InUse);
    EXPECT_NE(in_use.report[0].find("Sign the other users out"), std::string::npos);
    EXPECT_EQ(files.entries.size(), 2u);

    files.in_use.clear();
    files.entries["C:\\Vantelmoor"] = {Kind::Folder};
    files.entries["C:\\Vantelmoor\\Vantelmoor.dat"] = {Kind::File, "old list"};
    files.entries["C:\\Vantelmoor\\Vantelmoor.log"] = {Kind::File, "older calls"};
    EXPECT_EQ(setup::prepare_data_folder(files, kData, {"C:\\Vantelmoor"}).outcome, Outcome::Done);
    EXPECT_EQ(files.entries[std::string(kData) + "\\Vantelmoor.dat"].bytes, "old list");
    EXPECT_EQ(files.entries[std::string(kData) + "\\Vantelmoor.log"].bytes, "calls");  // the newer folder's first
}

// Users may add files to the folder: emptied, it could be made a junction. It is theirs only once
// it holds the run marker, which they cannot remove.
TEST(DataFolderSetupTest, TheFolderIsOpenedToUsersOnlyOnceTheRunMarkerIsInIt) {
    const std::string marker = std::string(kData) + "\\Vantelmoor.flg";
    FakeSetupFiles files;
    ASSERT_EQ(setup::prepare_data_folder(files, kData, {}).outcome, Outcome::Done);
    files.entries[marker] = {Kind::File};  // a marker that cannot be made
    EXPECT_EQ(setup::open_data_folder(files, kData).outcome, Outcome::Failed);
    EXPECT_EQ(files.entries[kData].access, "administrators");
    files.entries.erase(marker);
    EXPECT_EQ(setup::open_data_folder(files, kData).outcome, Outcome::Done);
    EXPECT_EQ(files.entries[marker].access, "marker");
    EXPECT_EQ(files.entries[kData].access, "data folder");
}

TEST(DataFolderSetupTest, RemovingTakesOnlyTheProgramsNamesAndNothingThroughAJunction) {
    FakeSetupFiles files;
    files.entries = {{kData, {Kind::Folder}},
                     {std::string(kData) + "\\Vantelmoor.dat", {Kind::File}},
                     {std::string(kData) + "\\Vantelmoor.flg", {Kind::File}},
                     {std::string(kData) + "\\mine.txt", {Kind::File}},
                     {"C:\\Vantelmoor", {Kind::Folder}},
                     {"C:\\Vantelmoor\\Vantelmoor.exe", {Kind::File}},
                     {"C:\\Vantelmoor\\Uninstall.exe", {Kind::File}},
                     {"C:\\Vantelmoor\\Vantelmoor.log", {Kind::File, "calls"}}};
    (void)setup::remove_data(files, kData);
    EXPECT_EQ(files.under(kData).size(), 1u);  // mine.txt, and so the folder
    (void)setup::remove_old_install(files, "C:\\Vantelmoor");
    EXPECT_EQ(files.under("C:\\Vantelmoor").size(), 1u);  // the data it held
    EXPECT_EQ(setup::remove_markers(files, {kData}).outcome, Outcome::Done);

    files.entries = {{kData, {Kind::Link, "C:\\Secret"}}, {"C:\\Secret", {Kind::Folder}}, {kSecret, {Kind::File}}};
    (void)setup::remove_data(files, kData);
    (void)setup::remove_markers(files, {kData});
    EXPECT_EQ(files.entries.size(), 3u);
}

}  // namespace
}  // namespace vantelmoor
