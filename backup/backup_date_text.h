#pragma once
// The date and time an archive's name tells ("12,7,2026_9,5,3" or, for a later archive of the
// same second, "12,7,2026_9,5,3,1"), read back for the restore list.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct BackupNameTime {
    int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
    int64_t sequence = 0;  // the seventh number; 0 when there is none
    bool valid = false;    // the six numbers form a real date and time
    bool named = false;    // the name has at least six numbers

    // Newest first: a later time, or a later archive of the same second.
    bool NewerThan(const BackupNameTime& other) const;
};

// Every "_" counts as ","; pieces are separated by runs of commas and read as atoi reads them.
BackupNameTime ParseBackupName(std::string_view name);

// Weekday names from Sunday, month names from January, in the user's language.
struct DateNames {
    std::array<std::string, 7> weekdays;
    std::array<std::string, 12> months;
};
const DateNames& EnglishDateNames();

// "%A, %B %d, %Y Time: %H:%M:%S" of the name's first six numbers: "Monday, December 07, 2026
// Time: 09:05:03". Empty with fewer than six numbers; the name itself when they form no date.
std::string BackupDateText(std::string_view name, const DateNames& names = EnglishDateNames());

// The archive name for a local time: "%d,%d,%d_%d,%d,%d" (month, day, year, hour, minute,
// second), and ",%d" with the sequence number when it is not 0.
std::string BackupBaseName(int month, int day, int year, int hour, int minute, int second, int sequence);
