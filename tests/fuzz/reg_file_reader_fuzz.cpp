// libFuzzer target: the registry editor file reader on arbitrary bytes, strict and leaving bad
// lines out. Whatever it accepts must write back and parse to the very same document, so no value
// can change on its way through a backup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"

namespace {
// Whatever document the reader gives writes back and parses to the very same document.
void RoundTrips(const RegFileDocument& document) {
    const RegFileWrite written = WriteRegFile(document);
    if (!written.ok) std::abort();
    const RegFileParse again = ParseRegFile(written.bytes);
    if (!again.document || !(*again.document == document)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RegFileParse parsed = ParseRegFile(bytes);
    const RegFileParse lenient = ParseRegFileSkippingLines(bytes);
    // Leaving lines out changes nothing for a file without bad lines.
    if (parsed.document && (!lenient.document || !(*lenient.document == *parsed.document) || !lenient.skipped.empty()))
        std::abort();
    if (lenient.document) RoundTrips(*lenient.document);
    if (!parsed.document && parsed.error.empty()) std::abort();
    return 0;
}
