#pragma once
// The records of "Config.ini", byte for byte: each line ends with CR CR LF, as the descriptor
// always has. Two kinds of extra line follow a record where the original three kinds cannot
// say enough; a reader that skips unknown types skips them:
//   [RAW:<type>:<hex bytes>]   after a value record: the value's exact type and bytes
//   [STAGED:<entry name>]      after a file record: the archive entry that holds the copy,
//                              when it is not the file's bare name
#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kDescriptorName = "Config.ini";
inline constexpr const char* kRecordLineEnd = "\r\r\n";

std::string KeyRecord(const std::string& fullKeyPath, int exportNumber);
std::string ValueRecord(const std::string& fullKeyPath, const std::string& valueName, const std::string& valueData);
std::string FileRecord(const std::string& path);
std::string RawLine(uint32_t type, const std::vector<uint8_t>& data);
std::string StagedLine(const std::string& entryName);

// The archive entry name of a key export: "RegKeyBkup<n>.reg".
std::string KeyExportName(int exportNumber);

// A record line ends at the first line feed; a carriage return would be taken for part of the
// line ending. Text holding either cannot be written into a record.
bool HasLineBreak(const std::string& text);
