// Linkery: registers the macro file type for Tappling.exe in this program's directory,
// then ends. No window, no message, no message loop; every failure is silent.
#include <windows.h>

#include "installer/RegistrationPlan.h"
#include "model/win32/Win32CodePage.h"
#include "installer/win32/ModulePath.h"
#include "installer/win32/Win32Registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tappling::installer;
    const tappling::Win32CodePage codePage;
    const auto modulePath = ownModulePath();
    if (!modulePath) return 0;
    const auto directory = programDirectory(*modulePath, codePage);
    if (!directory) return 0;
    Win32Registry registry;
    registerFileType(registry, *directory, codePage);
    return 0;
}
