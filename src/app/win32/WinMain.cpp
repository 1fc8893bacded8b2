// Tappling's entry point: wires the Win32 pieces to the start-up logic.
#include <windows.h>
#include <commctrl.h>

#include "app/Startup.h"
#include "app/win32/Win32StartupHost.h"
#include "engine/win32/Win32Platform.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"
#include "ui/main/MainDialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    tappling::Win32Platform platform;
    tappling::Win32CodePage codePage;
    tappling::Win32FileAccess files;
    tappling::MainDialog window(instance, platform.platform());
    tappling::Win32StartupHost host(window, files, codePage);
    // The exit code says how start-up ended (0 after the window), for scripts.
    return static_cast<int>(tappling::runStartup(commandLine ? commandLine : "", codePage, host));
}
