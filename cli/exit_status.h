#pragma once
// The console's exit statuses, for scripts.
inline constexpr int kExitClean = 0;  // no problems (also after --help and --version)
inline constexpr int kExitProblemsFound = 1;
inline constexpr int kExitNotWritten = 1;        // the ignore list's commands: the settings could not be written
inline constexpr int kExitUsage = 2;             // the command line asks for nothing it can do
inline constexpr int kExitAborted = 3;           // Ctrl+C; what was scanned is still reported
inline constexpr int kExitReportNotWritten = 6;  // --report: the file could not be written
