#include "store/record_file.h"

#include "store/fixed_text.h"

namespace vantelmoor {

std::size_t record_count(std::size_t file_size, std::size_t record_size) {
    const std::size_t whole = file_size / record_size;
    const std::size_t twice_rest = 2 * (file_size % record_size);
    const bool round_up = twice_rest > record_size || (twice_rest == record_size && whole % 2 == 1);
    return whole + (round_up ? 1 : 0);
}

std::vector<std::string> split_records(std::string_view bytes, std::size_t record_size) {
    const std::size_t count = record_count(bytes.size(), record_size);
    std::vector<std::string> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back(fixed_width(bytes.substr(i * record_size, record_size), record_size));
    }
    return records;
}

void append_field(std::string& out, std::string_view text, std::size_t width) {
    const std::string_view value = trim(text).substr(0, width);
    out.append(value);
    out.append(width - value.size(), ' ');
}

}  // namespace vantelmoor
