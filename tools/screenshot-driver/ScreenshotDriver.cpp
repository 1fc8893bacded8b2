// ScreenshotDriver: does for tools/screenshots what a user's clicks would, so the real
// program can be photographed in each of its windows. Results go to the file named by
// --out as UTF-8 lines (console output under Wine is unreliable).
//
//   wait   --title T [--class C] [--timeout MS]   waits for a visible top-level window of
//                          Tappling.exe with that exact title; prints "hwnd left top right bottom"
//   select --hwnd H ROW...  selects the 0-based rows of the window's action list (1001)
//   post   --hwnd H --id N  posts WM_COMMAND N (a menu item, a button, IDOK of a box)
//   restore --hwnd H        restores a minimized window as the task bar does
//
// Exit code 0 on success, 1 when the window was not found in time, 2 on bad arguments.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Options {
    std::wstring command, title, windowClass, out;
    HWND hwnd = nullptr;
    int id = 0;
    DWORD timeoutMs = 20000;
    std::vector<int> rows;
};

std::wstring exeName(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!ok) return {};
    const std::wstring full(path, size);
    const size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
}

bool matches(HWND window, const Options& options) {
    if (!IsWindowVisible(window)) return false;
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    const std::wstring title = text;
    if (title != options.title) return false;
    wchar_t cls[256] = {};
    GetClassNameW(window, cls, 256);
    if (!options.windowClass.empty() && options.windowClass != cls) return false;
    return _wcsicmp(exeName(window).c_str(), L"Tappling.exe") == 0;
}

HWND findWindow(const Options& options) {
    struct Search { const Options* options; HWND found; } search{&options, nullptr};
    EnumWindows([](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (!matches(window, *s->options)) return TRUE;
        s->found = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// LVM_SETITEMSTATE carries a pointer, which is not marshalled across processes: the item
// is written into memory of the list's own process.
bool selectRows(HWND window, const std::vector<int>& rows) {
    HWND list = GetDlgItem(window, 1001);
    if (!list) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(LVITEMW), MEM_COMMIT, PAGE_READWRITE);
    bool ok = remote != nullptr;
    auto setState = [&](int row, UINT state) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = state;
        ok = ok && WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
             SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    };
    setState(-1, 0);
    for (int row : rows) setState(row, LVIS_SELECTED | (row == rows.front() ? LVIS_FOCUSED : 0));
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

bool parse(int argc, wchar_t** argv, Options& options) {
    if (argc < 2) return false;
    options.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (name.rfind(L"--", 0) != 0) { options.rows.push_back(_wtoi(argv[i])); continue; }
        if (i + 1 >= argc) return false;
        const wchar_t* value = argv[++i];
        if (name == L"--out") options.out = value;
        else if (name == L"--title") options.title = value;
        else if (name == L"--class") options.windowClass = value;
        else if (name == L"--hwnd") options.hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(value, nullptr, 16)));
        else if (name == L"--id") options.id = _wtoi(value);
        else if (name == L"--timeout") options.timeoutMs = static_cast<DWORD>(_wtoi(value));
        else return false;
    }
    return true;
}

int run(const Options& options, std::string& output) {
    if (options.command == L"wait") {
        for (DWORD waited = 0;; waited += 100) {
            if (HWND window = findWindow(options)) {
                Sleep(500);  // let it finish painting
                RECT r{};
                GetWindowRect(window, &r);
                char line[128];
                std::snprintf(line, sizeof line, "%llx %ld %ld %ld %ld\n",
                              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                              r.left, r.top, r.right, r.bottom);
                output = line;
                return 0;
            }
            if (waited >= options.timeoutMs) return 1;
            Sleep(100);
        }
    }
    if (!IsWindow(options.hwnd)) return 1;
    if (options.command == L"select") return !options.rows.empty() && selectRows(options.hwnd, options.rows) ? 0 : 1;
    if (options.command == L"post") return PostMessageW(options.hwnd, WM_COMMAND, MAKEWPARAM(options.id, 0), 0) ? 0 : 1;
    if (options.command == L"restore") return PostMessageW(options.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0) ? 0 : 1;
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options options;
    if (!argv || !parse(argc, argv, options)) return 2;
    std::string output;
    const int status = run(options, output);
    if (!options.out.empty()) {
        if (FILE* file = _wfopen(options.out.c_str(), L"wb")) {
            std::fwrite(output.data(), 1, output.size(), file);
            std::fclose(file);
        }
    }
    LocalFree(argv);
    return status;
}
