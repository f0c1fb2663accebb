#include "backup/descriptor_reader.h"

#include <limits>

#include "base/ascii_case.h"

namespace {
class LineSource {
public:
    explicit LineSource(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        size_t end = text_.find('\n', position_);
        const size_t next = end == std::string_view::npos ? text_.size() : end + 1;
        if (end == std::string_view::npos) end = text_.size();
        else if (end > position_ && text_[end - 1] == '\r') --end;
        line = text_.substr(position_, end - position_);
        position_ = next;
        return true;
    }
    // The next line, without taking it.
    bool Peek(std::string_view& line) const {
        LineSource copy = *this;
        return copy.Next(line);
    }

private:
    std::string_view text_;
    size_t position_ = 0;
};

bool StartsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "[RAW:<decimal type>:<hex>]" with the descriptor's line end; false when any part is malformed.
bool ReadRawLine(std::string_view line, uint32_t& type, std::vector<uint8_t>& data) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!StartsWith(line, "[RAW:") || line.back() != ']') return false;
    line = line.substr(5, line.size() - 6);
    const size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon > 10) return false;
    uint64_t number = 0;
    for (char c : line.substr(0, colon)) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    if (number > std::numeric_limits<uint32_t>::max()) return false;
    const std::string_view hex = line.substr(colon + 1);
    if (hex.size() % 2 != 0) return false;
    data.clear();
    data.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        data.push_back(static_cast<uint8_t>((high << 4) | low));
    }
    type = static_cast<uint32_t>(number);
    return true;
}

// Reads the record's lines after its TYPE line; false when the file ends first.
bool ReadRecordLines(LineSource& lines, std::initializer_list<std::pair<std::string_view, std::string*>> fields) {
    for (const auto& [key, target] : fields) {
        std::string_view line;
        if (!lines.Next(line)) return false;
        *target = RecordValue(line, key);
    }
    return true;
}
}  // namespace

std::string RecordValue(std::string_view line, std::string_view key) {
    const size_t found = line.find(key);
    if (found == std::string_view::npos) return std::string(line);
    const size_t start = found + key.size() + 1;
    if (start >= line.size()) return {};
    const size_t close = line.rfind(']');
    if (close != std::string_view::npos && close >= start) return std::string(line.substr(start, close - start));
    std::string_view rest = line.substr(start);
    while (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    return std::string(rest);
}

Descriptor ReadDescriptor(std::string_view text) {
    Descriptor descriptor;
    LineSource lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::string type = RecordValue(line, "TYPE");
        DescriptorRecord record;
        bool complete = true;
        if (EqualsIgnoringAsciiCase(type, "REG_KEY")) {
            record.kind = DescriptorRecord::Kind::Key;
            complete = ReadRecordLines(lines, {{"NAME", &record.name}, {"PATH", &record.path}});
        } else if (EqualsIgnoringAsciiCase(type, "REG_VALUE")) {
            record.kind = DescriptorRecord::Kind::Value;
            complete = ReadRecordLines(
                lines, {{"MAIN_KEY", &record.mainKey}, {"VALUE_NAME", &record.valueName}, {"VALUE", &record.value}});
            std::string_view next;
            if (complete && lines.Peek(next) && StartsWith(next, "[RAW:")) {
                lines.Next(next);
                record.hasRaw = true;
                record.rawValid = ReadRawLine(next, record.rawType, record.rawData);
            }
        } else if (EqualsIgnoringAsciiCase(type, "FILE")) {
            record.kind = DescriptorRecord::Kind::File;
            complete = ReadRecordLines(lines, {{"DEST_PATH", &record.path}});
            std::string_view next;
            if (complete && lines.Peek(next) && StartsWith(next, "[STAGED:")) {
                lines.Next(next);
                record.stagedName = RecordValue(next, "STAGED");
            }
        } else {
            continue;
        }
        if (!complete) {
            descriptor.truncated = true;
            break;
        }
        descriptor.records.push_back(std::move(record));
    }
    return descriptor;
}
