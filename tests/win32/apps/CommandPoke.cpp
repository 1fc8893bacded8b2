// CommandPoke: sends the main window and its dialogs what a user's clicks would, for the
// file commands' end-to-end script; also stands in for the browser and the mail program.
//
//   command HWND ID          posts WM_COMMAND (a menu item or a button) to the window
//   syscommand HWND ID       posts WM_SYSCOMMAND (a system menu item)
//   click HWND ID            posts BM_CLICK to the window's control ID
//   settext HWND ID TEXT     sets the text of the window's control ID (file dialog name box)
//   shellopen PATH           opens PATH through the shell ("open" verb)
//   log FILE ARG...          appends one line with the arguments to FILE (UTF-8): registered
//                            as the handler of mailto: and .html, it records what was opened
// HWND is hexadecimal. Exit code 0 on success, 1 when the window or control is missing.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND parseHwnd(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(text, nullptr, 16)));
}

std::string toUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

int run(int argc, wchar_t** argv) {
    const std::wstring command = argv[1];
    if (command == L"log" && argc >= 3) {
        std::wstring line;
        for (int i = 3; i < argc; ++i) line += (i > 3 ? L" " : L"") + std::wstring(argv[i]);
        FILE* file = _wfopen(argv[2], L"ab");
        if (!file) return 1;
        std::fprintf(file, "%s\n", toUtf8(line).c_str());
        std::fclose(file);
        return 0;
    }
    if (command == L"shellopen" && argc >= 3) {
        return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", argv[2], nullptr, nullptr, SW_SHOWNORMAL)) > 32
                   ? 0 : 1;
    }
    if (argc < 4) return 2;
    HWND window = parseHwnd(argv[2]);
    const int id = static_cast<int>(wcstol(argv[3], nullptr, 0));
    if (!IsWindow(window)) return 1;
    if (command == L"command") return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
    if (command == L"syscommand") return PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0) ? 0 : 1;
    HWND control = GetDlgItem(window, id);
    if (!control) return 1;
    if (command == L"click") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == L"settext" && argc >= 5) {
        SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG, 2000, nullptr);
        return 0;
    }
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int status = argv && argc >= 2 ? run(argc, argv) : 2;
    if (argv) LocalFree(argv);
    return status;
}
