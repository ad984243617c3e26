#include "store/rule_counts.h"

#include <algorithm>
#include <charconv>

#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::size_t kCountWidth = 10;
constexpr int kMostCalls = 999'999'999;  // any user may write the file: a count there may be anything
constexpr std::size_t kDateWidth = 10;

bool listed(const std::vector<BlockEntry>& entries, const BlockEntry& entry) {
    return std::ranges::find(entries, entry) != entries.end();
}

}  // namespace

std::string rule_counts_path(const std::string& directory) { return directory + "\\VantelmoorCounts.dat"; }

RuleCountMap read_rule_counts(std::string_view bytes) {
    RuleCountMap counts;
    for (const std::string& record : split_records(bytes, kRuleCountRecordSize)) {
        const std::string_view fields(record);
        const auto field = [&](std::size_t offset, std::size_t width) {
            return std::string(trim(fields.substr(offset, width)));
        };
        const RuleList list = fields[0] == 'A' ? RuleList::Allow : RuleList::Block;
        const std::string calls = field(41, kCountWidth);
        int count = 0;
        std::from_chars(calls.data(), calls.data() + calls.size(), count);
        if (count <= 0) continue;  // not a record the program wrote
        counts[{list, {field(1, kBlockFieldSize), field(21, kBlockFieldSize)}}] = {count, field(51, kDateWidth),
                                                                                   field(61, kDateWidth)};
    }
    return counts;
}

std::string write_rule_counts(const RuleCountMap& counts) {
    std::string bytes;
    bytes.reserve(counts.size() * kRuleCountRecordSize);
    for (const auto& [key, count] : counts) {
        bytes += key.list == RuleList::Allow ? 'A' : 'B';
        append_field(bytes, key.entry.name, kBlockFieldSize);
        append_field(bytes, key.entry.number, kBlockFieldSize);
        append_field(bytes, std::to_string(count.calls), kCountWidth);
        append_field(bytes, count.date, kDateWidth);
        append_field(bytes, count.time, kDateWidth);
    }
    return bytes;
}

RuleCounts::RuleCounts(FileStore& files, std::string path) : files_(files), path_(std::move(path)) {}

FileOutcome RuleCounts::read(RuleCountMap& counts) const {
    const FileRead read = files_.read_all(path_, kLargestRuleCounts);
    if (!read.bytes) return {FileProblem::Unreadable, read.failure};
    counts = read_rule_counts(*read.bytes);
    return {};
}

FileOutcome RuleCounts::count(RuleList list, const BlockEntry& entry, std::string_view date, std::string_view time) {
    RuleCountMap counts;
    if (FileOutcome outcome = read(counts); !outcome.ok()) return outcome;
    RuleCount& counted = counts[{list, {std::string(trim(entry.name)), std::string(trim(entry.number))}}];
    if (counted.calls < kMostCalls) ++counted.calls;
    counted.date = std::string(trim(date));
    counted.time = std::string(trim(time));
    if (const FileFailure failure = files_.replace(path_, write_rule_counts(counts))) {
        return {FileProblem::NotSaved, *failure};
    }
    return {};
}

FileOutcome RuleCounts::keep_only(const std::vector<BlockEntry>* block, const std::vector<BlockEntry>* allow) {
    RuleCountMap counts;
    if (FileOutcome outcome = read(counts); !outcome.ok()) return outcome;
    std::erase_if(counts, [&](const auto& item) {
        const std::vector<BlockEntry>* entries = item.first.list == RuleList::Block ? block : allow;
        return entries != nullptr && !listed(*entries, item.first.entry);
    });
    if (const FileFailure failure = files_.replace(path_, write_rule_counts(counts))) {
        return {FileProblem::NotSaved, *failure};
    }
    return {};
}

}  // namespace vantelmoor
