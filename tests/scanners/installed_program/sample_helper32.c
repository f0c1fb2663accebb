// The 32-bit sample's in-process server, installed both beside the program and into the system
// folder as a shared helper. Registered, never loaded; it offers no class objects.
#include <windows.h>

__declspec(dllexport) HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
    (void)classId;
    (void)interfaceId;
    if (object) *object = NULL;
    return CLASS_E_CLASSNOTAVAILABLE;
}

__declspec(dllexport) HRESULT __stdcall DllCanUnloadNow(void) { return S_OK; }
