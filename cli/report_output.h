#pragma once
// How the JSON document of a scan or a clean leaves the program: into --report's file, and as
// --json's document or --summary's line on standard output.
#include <cstdio>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "cli/scan_command.h"

// Before the scan: kExitClean when --report's file can be written (or none was asked for);
// otherwise its line on err and kExitReportNotWritten.
int CheckReportPath(const ScanCommand& command, std::FILE* err);

// Writes the file and prints what the command asked for; commandName is "scan" or "clean". The
// command's own exit status, or kExitReportNotWritten (and its line on err) when the file could
// not be written.
int DeliverDocument(const ScanCommand& command, const nlohmann::ordered_json& document, const char* commandName,
                    int status, std::FILE* out, std::FILE* err);
