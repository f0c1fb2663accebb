#include "backup/zip_memory_file.h"

#include <ioapi.h>

#include <cstring>

namespace {
ZipMemoryFile& FileOf(voidpf opaque) { return *static_cast<ZipMemoryFile*>(opaque); }

voidpf ZCALLBACK Open(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK Read(voidpf opaque, voidpf, void* buffer, uLong size) {
    ZipMemoryFile& file = FileOf(opaque);
    if (file.position >= file.bytes.size()) return 0;
    const uint64_t available = file.bytes.size() - file.position;
    const uLong count = available < size ? static_cast<uLong>(available) : size;
    std::memcpy(buffer, file.bytes.data() + file.position, count);
    file.position += count;
    return count;
}

uLong ZCALLBACK Write(voidpf opaque, voidpf, const void* buffer, uLong size) {
    ZipMemoryFile& file = FileOf(opaque);
    if (file.position + size > file.bytes.size()) file.bytes.resize(static_cast<size_t>(file.position + size));
    std::memcpy(file.bytes.data() + file.position, buffer, size);
    file.position += size;
    return size;
}

ZPOS64_T ZCALLBACK Tell(voidpf opaque, voidpf) { return FileOf(opaque).position; }

long ZCALLBACK Seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
    ZipMemoryFile& file = FileOf(opaque);
    uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = file.position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END) base = file.bytes.size();
    else if (origin != ZLIB_FILEFUNC_SEEK_SET) return -1;
    // Reading never moves past the end; writing there would leave a gap of unknown bytes.
    if (base + offset > file.bytes.size()) return -1;
    file.position = base + offset;
    return 0;
}

int ZCALLBACK Close(voidpf, voidpf) { return 0; }

int ZCALLBACK Error(voidpf, voidpf) { return 0; }
}  // namespace

void FillMemoryFileFunctions(void* functions, ZipMemoryFile& file) {
    auto& table = *static_cast<zlib_filefunc64_def*>(functions);
    table.zopen64_file = Open;
    table.zread_file = Read;
    table.zwrite_file = Write;
    table.ztell64_file = Tell;
    table.zseek64_file = Seek;
    table.zclose_file = Close;
    table.zerror_file = Error;
    table.opaque = &file;
}
