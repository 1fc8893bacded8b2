// tpm.exe: a console program on the system ANSI code page and the ANSI file API, the same
// code page and paths Tappling uses. UTF-8 output goes to a pipe or file as bytes and to a
// console as UTF-16, so Japanese text shows whatever the console's code page.
#include <windows.h>

#include <string>
#include <vector>

#include "textform/TpmCommands.h"
#include "tpm/win32/Win32CodePageText.h"
#include "tpm/win32/Win32TpmFiles.h"
#include "win32/Win32Text.h"

namespace {

// False when the stream does not take every byte. A macro file's bytes go out as they are.
bool writeOut(DWORD which, const std::string& utf8, bool binary = false) {
    if (utf8.empty()) return true;
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (!binary && GetConsoleMode(handle, &mode)) {
        const std::wstring wide = tappling::utf8ToWide(utf8);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != FALSE;
    }
    std::string_view rest = utf8;
    while (!rest.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) || written == 0)
            return false;
        rest.remove_prefix(written);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tappling;
    const Win32CodePageText codePage;
    Win32TpmFiles files;
    TpmOutput output;
    const TpmSettings settings{PathBytes::CodePage, "the ANSI code page (" + std::to_string(GetACP()) + ")"};
    int status = runTpm(std::vector<std::string>(argv + 1, argv + argc), files, codePage, output, settings);
    if (!writeOut(STD_OUTPUT_HANDLE, output.out, output.binaryOut)) {
        output.err += "tpm: standard output: cannot write\n";
        status = 2;
    }
    writeOut(STD_ERROR_HANDLE, output.err);
    return status;
}
