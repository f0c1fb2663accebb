#include "ui/plain_markup.h"

#include <cctype>

std::string PlainMarkupText(const std::string& markup) {
    std::string text;
    bool blank = false;
    for (size_t i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        if (c == '<') {
            const size_t end = markup.find('>', i);
            if (end == std::string::npos) break;
            std::string tag = markup.substr(i + 1, end - i - 1);
            for (char& t : tag) t = static_cast<char>(std::tolower(static_cast<unsigned char>(t)));
            if (tag == "br" || tag == "p") {
                text += '\n';
                blank = false;
            }
            i = end;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !text.empty() && text.back() != '\n';
            continue;
        }
        if (blank) text += ' ';
        blank = false;
        text += c;
    }
    return text;
}
