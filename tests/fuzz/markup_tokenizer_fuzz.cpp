// libFuzzer target: the markup tokenizer and the colour reader on arbitrary bytes. The input
// has no terminating zero, so any read past its length is caught by the address sanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/markup_tokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    MarkupTokenizer tokens(text, size);
    MarkupToken token;
    size_t end = 0;
    while (tokens.NextMarkupToken(token)) {
        if (token.start < end || token.length == 0 || token.start + token.length > size) std::abort();
        end = token.start + token.length;
        if (token.kind == MarkupTag::Font && !token.endTag && token.length >= 12)
            ParseHtmlColor(text + token.start + 12, token.length - 12);
        if (token.kind == MarkupTag::Word) tokens.ClearPendingBlank();
    }
    return 0;
}
