#pragma once
// The one line that fleet tools keep of a run (--summary): a small JSON object of the status,
// the totals per section and, for a clean, its archives, never longer than those tools keep.
#include <nlohmann/json_fwd.hpp>
#include <string>

// Intune keeps 2,048 characters of a script's output.
inline constexpr size_t kSummaryLimit = 2048;

// The command's status in a word: "clean", "problems", "removed", "kept", "aborted" or "failed".
const char* SummaryStatus(bool clean, int exitStatus, int totalProblems);

// The line, its newline included, of at most limit bytes, from the document that --json would
// print for the command ("scan" or "clean"). What does not fit is left out in this order, and
// each part left out is named in "omitted": the sections without problems, the notes, the user's
// name, the sections, the archives (then counted in "archiveCount").
std::string SummaryLine(const nlohmann::ordered_json& document, const std::string& command, int exitStatus,
                        size_t limit = kSummaryLimit);
