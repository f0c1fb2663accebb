#pragma once
// The text transformations of the file-reference rules, apart from any file access.
#include <cstddef>
#include <string>
#include <vector>

// The working buffers of the rules hold 259 characters and the terminating zero.
inline constexpr size_t kReferenceBufferSize = 260;
inline constexpr size_t kMaxReferenceLength = kReferenceBufferSize - 1;

// Every "\.\" becomes "\"; runs such as "\.\.\" collapse to one backslash.
void CollapseDotSegments(std::string& text);

// URLs ("//") and network paths ("\\") are references the rules never check.
bool IsUrlOrNetworkPath(const std::string& text);

// Command lines run through rundll32, msiexec or regsvr32, in any letter case.
bool NamesSystemHelper(const std::string& text);

// Drops the last two characters when the second-to-last is "\", else a last "\";
// false when nothing was dropped. A one-character name after a backslash goes with it.
bool DropTrailingNameOrBackslash(std::string& text);

// The text before its last "\" without trailing backslashes; false when there is no "\".
bool ParentFolderOf(const std::string& text, std::string& parent);

// Every "system32" (in any letter case) becomes "SysWOW64", where 32-bit system files live on
// 64-bit Windows.
std::string RedirectSystem32(const std::string& text);

// The text with "%ProgramFiles%" and "%CommonProgramFiles%" (in any letter case) naming the
// "(x86)" folders, as they expand for a 32-bit program.
std::string WithThirtyTwoBitFolderNames(const std::string& text);

// Every "\Sysnative" folder (in any letter case) becomes "\system32": a 32-bit program's way to
// reach the 64-bit system folder.
std::string SysnativeAsSystem32(const std::string& text);

// Whether the word after the blank at blank continues a folder's path: it holds a "\" and is not
// a path of its own (one with a drive, or one that starts with "\" or "%").
bool CarriesOnFolderPath(const std::string& line, size_t blank);

// The command-line check's normal form: a blank before the first ":" at index 4 or later,
// the characters " ; | * ? < > ^ / turned into blanks, white space trimmed at both ends.
std::string NormalizeCommandLine(const std::string& text);

// The prefixes of the text that end just before a blank, shortest first.
std::vector<std::string> PrefixesBeforeBlanks(const std::string& text);

// Removes version digits from the end of a program id: for d = 0..9, every trailing "." or d.
std::string StripVersionDigits(const std::string& progId);
