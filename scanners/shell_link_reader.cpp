#include "scanners/shell_link_reader.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "base/unique_handles.h"
#include "registry/file_reference.h"
#include "registry/reference_text.h"

namespace {
// SLR_NO_UI | SLR_ANY_MATCH | SLR_UPDATE | SLR_NOUPDATE | SLR_NOSEARCH: no window, no search, and
// the link is not written back.
constexpr DWORD kResolveFlags = 0x1F;

std::string TextOf(const char* buffer) { return std::string(buffer, strnlen(buffer, kReferenceBufferSize)); }

HRESULT ReadLink(const std::string& linkPath, HWND window, ShortcutContents& contents) {
    ComPtr<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void());
    if (FAILED(result)) return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.put_void());
    if (FAILED(result)) return result;
    wchar_t widePath[kReferenceBufferSize] = {};
    // A path that does not fit the buffer whole is not loaded.
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, static_cast<int>(std::size(widePath))) == 0)
        return HRESULT_FROM_WIN32(GetLastError());
    result = file->Load(widePath, STGM_READ);
    if (FAILED(result)) return result;
    result = link->Resolve(window, kResolveFlags);
    if (FAILED(result)) return result;
    char buffer[kReferenceBufferSize] = {};
    result = link->GetPath(buffer, static_cast<int>(sizeof(buffer)), nullptr, SLGP_SHORTPATH);
    contents.target = TextOf(buffer);
    if (FAILED(result)) return result;
    char description[kReferenceBufferSize] = {};
    result = link->GetDescription(description, static_cast<int>(sizeof(description)));
    contents.description = TextOf(description);
    return result;
}
}  // namespace

HRESULT ReadShortcut(const std::string& linkPath, HWND window, ShortcutContents& contents) {
    contents = {};
    const HRESULT result = ReadLink(linkPath, window, contents);
    // Only a short (8.3) alias can make the long form longer, and the file system's aliases carry
    // a "~" tail; the lookup costs a scan of every folder on the way under Wine.
    if (contents.target.find('~') != std::string::npos && PathExists(contents.target)) {
        const std::string longForm = LongPathForm(contents.target);
        if (longForm.size() > contents.target.size()) contents.target = longForm;
    }
    return result;
}

std::string LongPathForm(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '/', '\\');
    if (slashed.size() < 3 || slashed[1] != ':' || slashed[2] != '\\' || slashed.size() > kMaxReferenceLength)
        return std::string();
    char buffer[kReferenceBufferSize] = {};
    const DWORD length = GetLongPathNameA(slashed.c_str(), buffer, sizeof(buffer));
    if (length == 0 || length >= sizeof(buffer)) return std::string();
    return std::string(buffer, length);
}
