#include "backup/backup_date_text.h"

#include <limits>
#include <tuple>
#include <vector>

#include "base/text_format.h"

namespace {
bool IsAtoiBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// atoi's reading, with the number held at the limits of 64 bits instead of overflowing.
int64_t AtoiValue(std::string_view piece) {
    size_t i = 0;
    while (i < piece.size() && IsAtoiBlank(piece[i])) ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) negative = piece[i++] == '-';
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 1;
    int64_t number = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
        if (number < kLimit) number = number * 10 + (piece[i] - '0');
    }
    return negative ? -number : number;
}

std::vector<int64_t> Numbers(std::string_view name) {
    std::vector<int64_t> numbers;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(",_", start);
        if (end == std::string_view::npos) end = name.size();
        if (end > start) numbers.push_back(AtoiValue(name.substr(start, end - start)));
        start = end + 1;
    }
    return numbers;
}

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int64_t month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// 0 = Sunday (Sakamoto's method, proleptic Gregorian calendar).
int Weekday(int year, int month, int day) {
    static constexpr int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}
}  // namespace

bool BackupNameTime::NewerThan(const BackupNameTime& other) const {
    return std::tie(valid, year, month, day, hour, minute, second, sequence) >
           std::tie(other.valid, other.year, other.month, other.day, other.hour, other.minute, other.second,
                    other.sequence);
}

BackupNameTime ParseBackupName(std::string_view name) {
    BackupNameTime time;
    const std::vector<int64_t> numbers = Numbers(name);
    if (numbers.size() < 6) return time;
    time.named = true;
    const int64_t month = numbers[0], day = numbers[1], year = numbers[2];
    const int64_t hour = numbers[3], minute = numbers[4], second = numbers[5];
    // Windows file times and the four-digit year format reach from 1601 to 9999.
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return time;
    }
    time.month = static_cast<int>(month), time.day = static_cast<int>(day), time.year = static_cast<int>(year);
    time.hour = static_cast<int>(hour), time.minute = static_cast<int>(minute), time.second = static_cast<int>(second);
    time.sequence = numbers.size() > 6 ? numbers[6] : 0;
    time.valid = true;
    return time;
}

const DateNames& EnglishDateNames() {
    static const DateNames names{{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
                                 {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                                  "October", "November", "December"}};
    return names;
}

std::string BackupDateText(std::string_view name, const DateNames& names) {
    const BackupNameTime time = ParseBackupName(name);
    if (!time.named) return {};
    if (!time.valid) return std::string(name);
    return Format("%s, %s %02d, %04d Time: %02d:%02d:%02d",
                  names.weekdays[Weekday(time.year, time.month, time.day)].c_str(),
                  names.months[time.month - 1].c_str(), time.day, time.year, time.hour, time.minute, time.second);
}

std::string BackupBaseName(int month, int day, int year, int hour, int minute, int second, int sequence) {
    std::string name = Format("%d,%d,%d_%d,%d,%d", month, day, year, hour, minute, second);
    if (sequence != 0) name += Format(",%d", sequence);
    return name;
}
