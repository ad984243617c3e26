#include "store/list_exchange.h"

#include <algorithm>

#include "store/caller_pattern.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

struct CsvLine {
    std::size_t number;  // of the line it starts on, from 1
    std::vector<std::string> fields;
};

// RFC 4180: fields split by commas; a quoted field may hold commas, line breaks and "" for a quote.
std::vector<CsvLine> csv_lines(std::string_view text) {
    std::vector<CsvLine> lines;
    CsvLine line{1, {std::string()}};
    std::size_t at_line = 1;
    bool quoted = false;
    bool any = false;  // the line has something, a separator included
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                line.fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++at_line;
                line.fields.back() += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = any = true;
        } else if (c == ',') {
            line.fields.emplace_back();
            any = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (any) lines.push_back(std::move(line));
            line = {++at_line, {std::string()}};
            any = false;
        } else {
            line.fields.back() += c;
            if (c != ' ' && c != '\t') any = true;
        }
    }
    if (any) lines.push_back(std::move(line));
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A field a spreadsheet would run as a formula, or one that would read as guarded: the writer puts an
// apostrophe before it, so a name that already starts "'=" keeps its own apostrophe through a round trip.
bool needs_guard(std::string_view field) {
    const std::size_t first = field.find_first_not_of('\'');
    return first != std::string_view::npos && kFormulaStarts.find(field[first]) != std::string_view::npos;
}

// The apostrophe a writer put before a field that needed it.
std::string_view without_guard(std::string_view field) {
    if (field.starts_with('\'') && needs_guard(field.substr(1))) field.remove_prefix(1);
    return field;
}

bool is_header(const std::vector<std::string>& fields) {
    return fields.size() == 2 && equals_ignoring_case(trimmed(fields[0]), "name") &&
           equals_ignoring_case(trimmed(fields[1]), "number");
}

bool looks_like_a_number(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '(' || c == ')' || c == '.' || c == '+' ||
               c == '*' || c == '?';
    });
}

void take(ImportedList& list, std::size_t line, std::string_view name, std::string_view number,
          const TextCodec& codec) {
    std::size_t replaced = 0;
    const std::string ansi_name = codec.to_ansi(trimmed(without_guard(trimmed(name))), replaced);
    const std::string ansi_number = codec.to_ansi(trimmed(without_guard(trimmed(number))), replaced);
    if (const auto fault = entry_fault(ansi_name, ansi_number)) {
        list.unread.push_back("line " + std::to_string(line) + ": " + *fault);
        return;
    }
    list.replaced += replaced;
    list.entries.push_back({std::string(trim(ansi_name)), std::string(trim(ansi_number))});
}

std::string csv_line(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += csv_field(fields[i]);
    }
    return line + "\r\n";
}

}  // namespace

ImportedList read_list_file(std::string_view bytes, const TextCodec& codec) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    ImportedList list;
    const std::vector<CsvLine> lines = csv_lines(bytes);
    const bool csv = std::ranges::any_of(lines, [](const CsvLine& line) { return line.fields.size() > 1; });
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CsvLine& line = lines[i];
        if (csv) {
            if (i == 0 && is_header(line.fields)) continue;
            if (line.fields.size() != 2) {
                list.unread.push_back("line " + std::to_string(line.number) +
                                      ": a name and a number, comma-separated, are expected");
                continue;
            }
            take(list, line.number, line.fields[0], line.fields[1], codec);
        } else if (looks_like_a_number(trimmed(line.fields[0]))) {
            take(list, line.number, "", line.fields[0], codec);
        } else {
            list.unread.push_back("line " + std::to_string(line.number) + ": it is no telephone number");
        }
    }
    return list;
}

std::string csv_field(std::string_view utf8) {
    std::string field(utf8);
    if (needs_guard(field)) field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string list_csv(const std::vector<BlockEntry>& entries, const TextCodec& codec) {
    std::string csv = csv_line({"name", "number"});
    for (const BlockEntry& entry : entries) csv += csv_line({codec.to_utf8(entry.name), codec.to_utf8(entry.number)});
    return csv;
}

std::string call_log_csv(const std::vector<std::string>& log_lines, const TextCodec& codec) {
    std::string csv = csv_line({"date", "time", "name", "number", "blocked"});
    for (const std::string& line : log_lines) {
        const auto field = [&](std::size_t start, std::size_t width) {
            return codec.to_utf8(start < line.size() ? trim(std::string_view(line).substr(start, width)) : "");
        };
        csv += csv_line({field(0, 10), field(11, 10), field(22, 20), field(43, 20),
                         line.size() > 64 && line[64] == 'Y' ? "yes" : "no"});
    }
    return csv;
}

}  // namespace vantelmoor
