// The program's entry point: everything it does lives in the application object.
#include <windows.h>

#include "app/Startup.h"

// The load configuration: its dependent-load flags make the system resolve the program's
// own imports (comctl32 and the others that are not among the system's known libraries)
// from the system folder only, before any code here runs. The linker does not point the
// executable's header at it; the build does that after linking (scripts/pe_resources.py).
#ifndef _WIN64
extern "C" __attribute__((used)) const IMAGE_LOAD_CONFIG_DIRECTORY32 _load_config_used = {
    0x40,  // the size the record declares: the fields up to the security cookie
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    LOAD_LIBRARY_SEARCH_SYSTEM32,  // dependent-load flags
    0, 0, 0, 0};
#endif

namespace {

// Libraries loaded from here on come from the system folder only, never from the folder
// the program was unpacked into or the current folder, where a planted "hhctrl.ocx" or
// "comctl32.dll" would run inside the editor. Looked up by name: systems without it have
// no such function (and then keep their own order).
void LoadLibrariesFromTheSystemOnly()
{
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetDirectories>(
                            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                      : nullptr;
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show)
{
    LoadLibrariesFromTheSystemOnly();
    return RunKelvara(instance, commandLine, show);
}
