#pragma once
// Reads registry editor files: "Windows Registry Editor Version 5.00" (UTF-16LE with its
// byte-order mark) and "REGEDIT4" (8-bit text). The whole file is read before anything is
// returned: a file with any line it does not understand gives no document at all, unless the
// caller asks for such lines to be left out.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/reg_file.h"

// Turns 8-bit text (a REGEDIT4 file) into UTF-16.
using AnsiDecoder = std::u16string (*)(std::string_view);

// A line the reader left out: its number (from 1), its text (cut after 100 characters) and why.
struct RegFileSkippedLine {
    size_t line = 0;
    std::u16string text;
    std::string reason;
};

struct RegFileParse {
    std::optional<RegFileDocument> document;
    std::string error;  // when there is no document
    size_t line = 0;    // the line the error is on, counting from 1
    std::vector<RegFileSkippedLine> skipped;
};

// Without a decoder, 8-bit files are read as UTF-8, the program's code page.
RegFileParse ParseRegFile(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);
// The same, but only a file without its header (or not text at all) gives no document: every
// other line that does not read is left out and listed, with the values of a key whose line was
// left out, and the document holds everything else.
RegFileParse ParseRegFileSkippingLines(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);

// The registry root a key path of such a file starts with: its full name ("HKEY_CURRENT_USER")
// or short form ("HKCU"), in any letter case. The canonical full name; empty when unknown.
std::u16string CanonicalRootName(std::u16string_view name);
