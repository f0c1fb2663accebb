#include "cli/console_print.h"
#include "cli/report_output.h"

#include <nlohmann/json.hpp>

#include "cli/exit_status.h"
#include "cli/report_file.h"
#include "cli/run_summary.h"
#include "cli/scan_report.h"

namespace {
int NotWritten(const std::string& path, const std::string& error, std::FILE* err) {
    Print(err, ReportNotWrittenLine(path, error));
    return kExitReportNotWritten;
}
}  // namespace

int CheckReportPath(const ScanCommand& command, std::FILE* err) {
    if (command.reportPath.empty()) return kExitClean;
    const std::string error = ReportPathProblem(command.reportPath);
    return error.empty() ? kExitClean : NotWritten(command.reportPath, error, err);
}

int DeliverDocument(const ScanCommand& command, const nlohmann::ordered_json& document, const char* commandName,
                    int status, std::FILE* out, std::FILE* err) {
    const std::string text = JsonText(document);
    if (!command.reportPath.empty()) {
        const std::string error = WriteReportFile(command.reportPath, text);
        if (!error.empty()) status = NotWritten(command.reportPath, error, err);
    }
    if (command.json) Print(out, text);
    if (command.summary) Print(out, SummaryLine(document, commandName, status));
    return status;
}
