#include "engine/win32/Win32Shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "win32/Handles.h"

namespace tappling {

void Win32Shell::open(const std::string& ansiPath, bool maximized) {
    // The shell may use COM (associations, DDE-less verbs) on the calling thread; give the
    // worker thread its own apartment for the call.
    const ComInitialisation apartment(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteA(nullptr, "open", ansiPath.c_str(), nullptr, nullptr, maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

}  // namespace tappling
