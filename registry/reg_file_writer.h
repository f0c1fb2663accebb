#pragma once
// Writes a registry editor file the way the Windows registry editor does: "Windows Registry
// Editor Version 5.00", UTF-16LE with its byte-order mark, CR LF lines. Only data that the
// "..." form holds exactly is written as a string; everything else as hex, so every byte
// comes back.
#include <string>

#include "registry/reg_file.h"

struct RegFileWrite {
    bool ok = false;
    std::string bytes;  // the whole file
    std::string error;  // when not ok
};

RegFileWrite WriteRegFile(const RegFileDocument& document);

// Whether REG_SZ data survives the "..." form: whole UTF-16 units, one terminating zero at the
// end and none before it, no line break.
bool IsPlainStringData(const std::vector<uint8_t>& data);
