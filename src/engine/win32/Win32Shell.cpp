#include "engine/win32/Win32Shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace tappling {

namespace {

// The shell may use COM (associations, DDE-less verbs) on the calling thread; give the
// worker thread its own apartment for the call.
class ComApartment {
public:
    ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT hr_;
};

}  // namespace

void Win32Shell::open(const std::string& ansiPath, bool maximized) {
    ComApartment apartment;
    ShellExecuteA(nullptr, "open", ansiPath.c_str(), nullptr, nullptr, maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

}  // namespace tappling
