#pragma once
// Runs one of the backup commands with the backup folder beside the executable.
#include <atomic>
#include <cstdio>
#include <string>

#include "cli/backup_command_line.h"

int RunBackupCommand(const BackupCommandLine& line, const std::string& osName, std::atomic<bool>& interrupted,
                     std::FILE* out);
