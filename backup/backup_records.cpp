#include "backup/backup_records.h"

#include "base/text_format.h"

std::string KeyRecord(const std::string& fullKeyPath, int exportNumber) {
    return Format("[TYPE:REG_KEY]\r\r\n[NAME:%s]\r\r\n[PATH:\\RegKeyBkup%d.reg]\r\r\n", fullKeyPath.c_str(),
                  exportNumber);
}

std::string ValueRecord(const std::string& fullKeyPath, const std::string& valueName, const std::string& valueData) {
    return "[TYPE:REG_VALUE]\r\r\n[MAIN_KEY:" + fullKeyPath + "]\r\r\n[VALUE_NAME:" + valueName +
           "]\r\r\n[VALUE:" + valueData + "]\r\r\n";
}

std::string FileRecord(const std::string& path) { return "[TYPE:FILE]\r\r\n[DEST_PATH:" + path + "]\r\r\n"; }

std::string RawLine(uint32_t type, const std::vector<uint8_t>& data) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string line = Format("[RAW:%u:", static_cast<unsigned>(type));
    line.reserve(line.size() + 2 * data.size() + 4);
    for (uint8_t byte : data) {
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line + "]" + kRecordLineEnd;
}

std::string StagedLine(const std::string& entryName) { return "[STAGED:" + entryName + "]" + kRecordLineEnd; }

std::string KeyExportName(int exportNumber) { return Format("RegKeyBkup%d.reg", exportNumber); }

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }
