// ControlProbe: works the controls of another program's dialog for the end-to-end scripts,
// as a user would through the keyboard and the mouse. Results go to the file named by
// --out as UTF-8 lines. Exit code 0 on success, 1 when the window or control is missing,
// 2 on bad arguments. Windows are given by --hwnd (hexadecimal, as WindowProbe prints them).
//
//   command  --hwnd H --id N             posts the menu or button command N
//   settext  --hwnd H --id N --text T    sets the text of control N
//   gettext  --hwnd H --id N             prints the text of control N
//   choose   --hwnd H --id N --index I   selects item I of combo box N and tells its dialog
//   check    --hwnd H --id N --index 0|1 sets check box N
//   rowpoint --hwnd H --id N --index R   screen point inside row R of list view N: "x y"
//   selection --hwnd H --id N            list view N: "selected R R ...", "top T", "focus ID"
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Options {
    std::wstring command;
    std::wstring out;
    std::wstring text;
    HWND hwnd = nullptr;
    int id = -1;
    int index = 0;
};

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

bool parse(int argc, wchar_t** argv, Options& options) {
    if (argc < 2) return false;
    options.command = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const wchar_t* value = argv[i + 1];
        if (name == L"--out") options.out = value;
        else if (name == L"--text") options.text = value;
        else if (name == L"--hwnd") options.hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(value, nullptr, 16)));
        else if (name == L"--id") options.id = static_cast<int>(wcstol(value, nullptr, 0));
        else if (name == L"--index") options.index = static_cast<int>(wcstol(value, nullptr, 0));
        else return false;
    }
    return (argc % 2) == 0;
}

// LVM_GETITEMRECT carries a pointer: the rectangle lives in the list's own process.
bool remoteItemRect(HWND list, int row, RECT& rect) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    bool ok = false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        RECT request{LVIR_LABEL, 0, 0, 0};
        SIZE_T moved = 0;
        ok = WriteProcessMemory(process, remote, &request, sizeof request, &moved) &&
             SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)) &&
             ReadProcessMemory(process, remote, &rect, sizeof rect, &moved);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

int run(const Options& options, std::vector<std::string>& lines) {
    if (!options.hwnd || !IsWindow(options.hwnd)) return 1;
    const std::wstring& command = options.command;
    if (command == L"command") {  // posted: the command may open a modal window
        PostMessageW(options.hwnd, WM_COMMAND, MAKEWPARAM(options.id, 0), 0);
        return 0;
    }
    HWND control = GetDlgItem(options.hwnd, options.id);
    if (!control) return 1;
    if (command == L"settext") {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(options.text.c_str()));
        return 0;
    }
    if (command == L"gettext") {
        wchar_t buffer[1024] = {};
        SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
        lines.push_back(toUtf8(buffer));
        return 0;
    }
    if (command == L"choose") {
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(options.index), 0);
        SendMessageW(options.hwnd, WM_COMMAND, MAKEWPARAM(options.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        return 0;
    }
    if (command == L"check") {
        SendMessageW(control, BM_SETCHECK, options.index == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
        return 0;
    }
    if (command == L"rowpoint") {
        RECT rect{};
        if (!remoteItemRect(control, options.index, rect)) return 1;
        POINT point{rect.left + 6, (rect.top + rect.bottom) / 2};
        ClientToScreen(control, &point);
        lines.push_back(std::to_string(point.x) + " " + std::to_string(point.y));
        return 0;
    }
    if (command == L"selection") {
        std::string selected = "selected";
        for (LRESULT row = -1; (row = SendMessageW(control, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) >= 0;)
            selected.append(" ").append(std::to_string(row));
        lines.push_back(selected);
        std::string top = "top ";
        top += std::to_string(SendMessageW(control, LVM_GETTOPINDEX, 0, 0));
        lines.push_back(top);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info);
        std::string focus = "focus ";
        focus += std::to_string(info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
        lines.push_back(focus);
        return 0;
    }
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options options;
    const bool ok = argv && parse(argc, argv, options);
    if (argv) LocalFree(argv);
    if (!ok) return 2;

    std::vector<std::string> lines;
    const int status = run(options, lines);
    if (!options.out.empty()) {
        FILE* file = _wfopen(options.out.c_str(), L"wb");
        if (!file) return 2;
        for (const std::string& line : lines) std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
    return status;
}
