// libFuzzer target: the registry editor file reader on arbitrary bytes. Whatever it accepts must
// write back and parse to the very same document, so no value can change on its way through a
// backup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RegFileParse parsed = ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.document) {
        if (parsed.error.empty()) std::abort();
        return 0;
    }
    const RegFileWrite written = WriteRegFile(*parsed.document);
    if (!written.ok) std::abort();
    const RegFileParse again = ParseRegFile(written.bytes);
    if (!again.document || !(*again.document == *parsed.document)) std::abort();
    return 0;
}
