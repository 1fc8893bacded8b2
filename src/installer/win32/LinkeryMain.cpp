// Linkery: registers the macro file type for Tappling.exe in this program's directory,
// then ends. No window, no message, no message loop; the exit code tells the outcome
// (0 registered for this user, 1 a per-user value could not be written, 2 ".TPM"
// belongs to another program).
#include <windows.h>
#include <shlobj.h>

#include "installer/RegistrationPlan.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32ModulePath.h"
#include "installer/win32/Win32Registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tappling::installer;
    const tappling::Win32CodePage codePage;
    const auto modulePath = tappling::ownModulePath();
    if (!modulePath) return exitCodeFor(RegistrationResult::PerUserWriteFailed);
    const auto directory = programDirectory(*modulePath, codePage);
    if (!directory) return exitCodeFor(RegistrationResult::PerUserWriteFailed);

    const std::string classes = "Software\\Classes\\";
    Win32Registry perUser(HKEY_CURRENT_USER, classes);
    Win32Registry machineWide(HKEY_LOCAL_MACHINE, classes);
    Win32Registry merged(HKEY_CLASSES_ROOT);
    const RegistrationResult result = registerFileType({perUser, machineWide, merged}, *directory, codePage);
    if (result != RegistrationResult::OwnedByOther) {
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);  // so icons and verbs show at once
    }
    return exitCodeFor(result);
}
