#pragma once
// The texts of the hyperlink control: the error box for a failed open, and the command line of
// the browser it falls back to.
#include <string>

// "Unable to open hyperlink:\n\n" followed by the text for the shell's result code.
std::string HyperLinkErrorText(int code);

// The browser's open command with the target in place of its "%1": the command is cut at the
// first quoted "%1" (before its opening quote), else at the first "%1", then a blank and the
// target are appended.
std::string BrowserCommandLine(const std::string& command, const std::string& target);
