// WindowProbe: looks at and pokes the windows of other programs for the end-to-end
// scripts. Results go to the file named by --out as UTF-8 lines (console output under
// Wine is unreliable). Exit code 0 on success, 1 when the thing asked for was not found
// or timed out, 2 on bad arguments.
//
//   list         [filters]               one line per top-level window: hwnd, class, title, exe
//   wait         [filters] --timeout MS  waits for a matching visible window; prints it
//   wait-gone    [filters] --timeout MS  waits until no matching visible window is left
//   children     --hwnd H                child controls: hwnd, id, class, text
//   text         --hwnd H                the message text of a message box
//   press        --hwnd H --id N         clicks the dialog button with that id
//   centre       --hwnd H --id N         screen point of the middle of that control: x, y
//                                        (for a real click from outside, e.g. xdotool)
//   close        --hwnd H                sends WM_CLOSE
//   restore      --hwnd H                restores a minimized window as the task bar does
//                                        (posts WM_SYSCOMMAND SC_RESTORE)
//   listview     --hwnd H [--id N]       the rows of the window's (first) list view, cells tab-separated
// filters: --title T (exact), --title-prefix T, --class C, --exe NAME (image file name,
// no case). The hwnd is printed and taken as a hexadecimal number.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "ProbeHelpers.h"

namespace {

using namespace probe;

// One record per line: line breaks inside a text become "\n" escapes, CRs go.
std::string oneLine(const std::wstring& text) {
    std::string flat;
    for (char c : toUtf8(text)) {
        if (c == '\r') continue;
        if (c == '\n') flat += "\\n";
        else flat += c;
    }
    return flat;
}

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
    std::wstring full(path, size);
    const size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
}

struct Options {
    std::wstring command;
    std::wstring out;
    std::wstring title;
    bool titlePrefix = false;
    bool hasTitle = false;
    std::wstring windowClass;
    std::wstring exe;
    HWND hwnd = nullptr;
    int id = -1;
    DWORD timeoutMs = 10000;
};

bool matches(HWND window, const Options& options) {
    if (options.hasTitle) {
        const std::wstring title = windowText(window);
        if (options.titlePrefix ? title.compare(0, options.title.size(), options.title) != 0 : title != options.title)
            return false;
    }
    if (!options.windowClass.empty() && className(window) != options.windowClass) return false;
    if (!options.exe.empty() && _wcsicmp(exeName(window).c_str(), options.exe.c_str()) != 0) return false;
    return true;
}

std::vector<HWND> topLevelWindows(const Options& options, bool visibleOnly) {
    struct Search {
        const Options* options;
        bool visibleOnly;
        std::vector<HWND> found;
    } search{&options, visibleOnly, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
            if (matches(window, *s->options)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string describe(HWND window) {
    return hwndText(window) + "\t" + oneLine(className(window)) + "\t" + oneLine(windowText(window)) + "\t" +
           oneLine(exeName(window));
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Reads the list view's rows through a buffer inside the list view's own process.
bool listViewRows(HWND list, std::vector<std::string>& lines) {
    constexpr int kTextChars = 1024;
    RemoteMemory remote(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote.address()) return false;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    if (columns < 1) columns = 1;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
            item.cchTextMax = kTextChars;
            wchar_t text[kTextChars] = {};
            if (remote.write(0, &item, sizeof item) &&
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.address())) >= 0)
                remote.read(sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t));
            if (column > 0) line += '\t';
            line += oneLine(text);
        }
        lines.push_back(line);
    }
    return true;
}

bool parse(int argc, wchar_t** argv, Options& options) {
    if (argc < 2) return false;
    options.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (i + 1 >= argc) return false;
        const wchar_t* value = argv[++i];
        if (name == L"--out") options.out = value;
        else if (name == L"--title") options.title = value, options.hasTitle = true;
        else if (name == L"--title-prefix") options.title = value, options.hasTitle = true, options.titlePrefix = true;
        else if (name == L"--class") options.windowClass = value;
        else if (name == L"--exe") options.exe = value;
        else if (name == L"--hwnd") options.hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(value, nullptr, 16)));
        else if (name == L"--id") options.id = static_cast<int>(wcstol(value, nullptr, 0));
        else if (name == L"--timeout") options.timeoutMs = static_cast<DWORD>(wcstoul(value, nullptr, 10));
        else return false;
    }
    return true;
}

int run(const Options& options, std::vector<std::string>& lines) {
    const std::wstring& command = options.command;
    if (command == L"list") {
        for (HWND window : topLevelWindows(options, false))
            lines.push_back(describe(window) + (IsWindowVisible(window) ? "\tvisible" : "\thidden"));
        return 0;
    }
    if (command == L"wait" || command == L"wait-gone") {
        const bool gone = command == L"wait-gone";
        const DWORD start = GetTickCount();
        for (;;) {
            const std::vector<HWND> found = topLevelWindows(options, true);
            if (!gone && !found.empty()) {
                for (HWND window : found) lines.push_back(describe(window));
                return 0;
            }
            if (gone && found.empty()) return 0;
            if (GetTickCount() - start >= options.timeoutMs) {
                for (HWND window : found) lines.push_back(describe(window));
                return 1;
            }
            Sleep(100);
        }
    }
    if (!options.hwnd || !IsWindow(options.hwnd)) return 1;
    if (command == L"children") {
        for (HWND child : children(options.hwnd))
            lines.push_back(hwndText(child) + "\t" + std::to_string(GetDlgCtrlID(child)) + "\t" +
                            oneLine(className(child)) + "\t" + oneLine(windowText(child)));
        return 0;
    }
    if (command == L"text") {
        lines.push_back(oneLine(messageBoxText(options.hwnd)));
        return 0;
    }
    if (command == L"press") {
        HWND button = GetDlgItem(options.hwnd, options.id);
        if (!button) return 1;
        // Posted: the dialog may end, and its owner must not wait for our reply.
        PostMessageW(options.hwnd, WM_COMMAND, MAKEWPARAM(options.id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 0;
    }
    if (command == L"centre") {
        HWND control = GetDlgItem(options.hwnd, options.id);
        RECT rect{};
        if (!control || !GetWindowRect(control, &rect)) return 1;
        lines.push_back(std::to_string((rect.left + rect.right) / 2) + "\t" + std::to_string((rect.top + rect.bottom) / 2));
        return 0;
    }
    if (command == L"close") {
        PostMessageW(options.hwnd, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"restore") {
        PostMessageW(options.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        return 0;
    }
    if (command == L"listview") {
        HWND list = options.id >= 0 ? GetDlgItem(options.hwnd, options.id) : nullptr;
        if (!list) {
            for (HWND child : children(options.hwnd))
                if (_wcsicmp(className(child).c_str(), WC_LISTVIEWW) == 0) {
                    list = child;
                    break;
                }
        }
        if (!list) return 1;
        return listViewRows(list, lines) ? 0 : 1;
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
