#pragma once
// The disks a console scan walks for shortcuts, as given on the command line: "C:,D:".
#include <optional>
#include <string>

// The drive letters in upper case, each once, in the order given; none when an element is not a
// drive ("C", "C:" and "C:\" are), with the error text naming it.
std::optional<std::string> ParseDriveList(const std::string& list, std::string& error);
