#pragma once
#include <string>

// A markup text without its tags: "br" and "p" become line breaks, runs of white space one blank.
std::string PlainMarkupText(const std::string& markup);
