#pragma once
// The file that --report writes the whole JSON document into. It is written under a temporary
// name in its folder and takes its name only when complete, so a reader never sees half a report.
#include <string>

// Why a report could not be written to the path: tried before the scan, so that a run that could
// not leave its report does not scan or remove anything. Empty when it can.
std::string ReportPathProblem(const std::string& path);

// Writes the text as the file at the path, replacing the one there; the system's error text on
// failure (the file there is then left as it was), empty on success.
std::string WriteReportFile(const std::string& path, const std::string& text);

// The one line on standard error for a report that cannot be written.
std::string ReportNotWrittenLine(const std::string& path, const std::string& error);
