#pragma once
// What each rule caught: for every entry of the block list and of the never-block list that has
// decided a call, how many calls and the date and time of the last. Kept beside the lists in
// "VantelmoorCounts.dat", not derived from the call log, so that emptying or trimming the log
// loses nothing. 71-byte records: the list ("B" or "A"), the entry's name (20) and number (20),
// the count (10), the last call's date (10) and time (10), space-padded ANSI like the other files.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_store.h"
#include "store/block_list.h"
#include "store/record_file.h"

namespace vantelmoor {

enum class RuleList { Block, Allow };

struct RuleKey {
    RuleList list;
    BlockEntry entry;
    friend auto operator<=>(const RuleKey& a, const RuleKey& b) {
        if (a.list != b.list) return a.list <=> b.list;
        if (const auto by_name = a.entry.name <=> b.entry.name; by_name != 0) return by_name;
        return a.entry.number <=> b.entry.number;
    }
    friend bool operator==(const RuleKey&, const RuleKey&) = default;
};

struct RuleCount {
    int calls = 0;
    std::string date;  // of the last call it decided
    std::string time;
    friend bool operator==(const RuleCount&, const RuleCount&) = default;
};

using RuleCountMap = std::map<RuleKey, RuleCount>;

inline constexpr std::size_t kRuleCountRecordSize = 71;
inline constexpr std::size_t kLargestRuleCounts = 2 * (kMaxListEntries + 1) * kRuleCountRecordSize;

std::string rule_counts_path(const std::string& directory);
RuleCountMap read_rule_counts(std::string_view bytes);
std::string write_rule_counts(const RuleCountMap& counts);

class RuleCounts {
public:
    RuleCounts(FileStore& files, std::string path);

    // One more call decided by this entry, on this date and time: the file read afresh and
    // rewritten; never written over while it cannot be read.
    [[nodiscard]] FileOutcome count(RuleList list, const BlockEntry& entry, std::string_view date,
                                    std::string_view time);
    [[nodiscard]] FileOutcome read(RuleCountMap& counts) const;
    // Keeps only the counts of entries still listed (after the lists were edited and saved); a list
    // given as null was not written, and keeps all its counts.
    [[nodiscard]] FileOutcome keep_only(const std::vector<BlockEntry>* block, const std::vector<BlockEntry>* allow);
    [[nodiscard]] const std::string& path() const { return path_; }

private:
    FileStore& files_;
    std::string path_;
};

}  // namespace vantelmoor
