// CommandPoke: sends the main window and its dialogs what a user's clicks would, for the
// file commands' end-to-end script; also stands in for the browser and the mail program.
//   command|syscommand HWND ID   posts WM_COMMAND (menu item, button) or WM_SYSCOMMAND
//   settext HWND ID TEXT         sets the text of the control ID (file dialog name box)
//   shellopen PATH               opens PATH through the shell ("open" verb)
//   log FILE ARG...              appends the arguments as one UTF-8 line to FILE (registered
//                                as the mailto: and .html handler, it records what was opened)
// HWND is hexadecimal. Exit code 0 on success, 1 when the window or control is missing.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int run(int argc, wchar_t** argv) {
    const std::wstring command = argv[1];
    if (command == L"log" && argc >= 3) {
        std::wstring line;
        for (int i = 3; i < argc; ++i) line += (i > 3 ? L" " : L"") + std::wstring(argv[i]);
        std::string utf8(line.size() * 3 + 1, '\0');
        utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                                            utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
        FILE* file = _wfopen(argv[2], L"ab");
        if (!file) return 1;
        std::fprintf(file, "%s\n", utf8.c_str());
        return std::fclose(file) == 0 ? 0 : 1;
    }
    if (command == L"shellopen" && argc >= 3)
        return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", argv[2], nullptr, nullptr, SW_SHOWNORMAL)) > 32 ? 0 : 1;
    if (argc < 4) return 2;
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(argv[2], nullptr, 16)));
    const int id = static_cast<int>(wcstol(argv[3], nullptr, 0));
    if (!IsWindow(window)) return 1;
    if (command == L"command") return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
    if (command == L"syscommand") return PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0) ? 0 : 1;
    HWND control = GetDlgItem(window, id);
    if (!control) return 1;
    if (command != L"settext" || argc < 5) return 2;
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG, 2000, nullptr);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int status = argv && argc >= 2 ? run(argc, argv) : 2;
    if (argv) LocalFree(argv);
    return status;
}
