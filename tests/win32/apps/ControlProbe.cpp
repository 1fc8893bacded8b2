// ControlProbe: works the windows and controls of another program for the end-to-end
// scripts, as a user would through the keyboard and the mouse. Starting a Windows program
// costs a second or more under Wine, so one probe serves a whole script:
//
//   ControlProbe.exe DIR     serves requests until "quit"
//
// The script writes DIR\request (UTF-8: a sequence number line, then one line of
// tab-separated words); the probe deletes it, does the work and answers in DIR\reply:
// the same sequence number, a status line ("ok", "missing" or "bad") and the result lines.
// Windows are hexadecimal handles, as "find" prints them.
//
//   find TITLE CLASS MS        a visible top-level window with that title (and class,
//                              unless empty) within MS milliseconds
//   gone TITLE MS              waits until no visible window has that title
//   text H                     the message of a message box
//   press H ID                 clicks the dialog button ID (posted)
//   command H ID               posts the menu or button command ID
//   close H                    posts WM_CLOSE
//   settext H ID TEXT          sets the text of control ID
//   gettext H ID               the text of control ID
//   choose H ID INDEX          selects item INDEX of combo box ID and tells its dialog
//   rowpoint H ID ROW          a screen point inside ROW of list view ID: "x y"
//   selection H ID             list view ID: "selected R R ...", "top T", "focus ID"
//   column H ID COLUMN         the cells of one column of list view ID, one per line
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
using Lines = std::vector<std::string>;

HWND parseHwnd(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoull(text.c_str(), nullptr, 16)));
}

struct Search {
    std::wstring title;
    std::wstring windowClass;
    HWND found = nullptr;
};

HWND findVisible(const std::wstring& title, const std::wstring& windowClass) {
    Search search{title, windowClass};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!IsWindowVisible(window) || windowText(window) != s->title) return TRUE;
            if (!s->windowClass.empty() && className(window) != s->windowClass) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool rowPoint(HWND list, int row, POINT& point) {
    RemoteMemory remote(list, sizeof(RECT));
    RECT rect{LVIR_LABEL, 0, 0, 0};
    if (!remote.address() || !remote.write(0, &rect, sizeof rect) ||
        !SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.address())) ||
        !remote.read(0, &rect, sizeof rect))
        return false;
    point = {rect.left + 6, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &point);
    return true;
}

bool columnCells(HWND list, int column, Lines& lines) {
    constexpr int kChars = 1024;
    RemoteMemory remote(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.address()) return false;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
        item.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        if (!remote.write(0, &item, sizeof item)) return false;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.address()));
        remote.read(sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t));
        lines.push_back(toUtf8(text));
    }
    return true;
}

Lines selection(HWND list) {
    std::string selected = "selected";
    for (LRESULT row = -1; (row = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) >= 0;)
        selected.append(" ").append(std::to_string(row));
    std::string top = "top ";
    top.append(std::to_string(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)));
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(list, nullptr), &info);
    std::string focus = "focus ";
    focus.append(std::to_string(info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0));
    return {selected, top, focus};
}

// Waits up to ms for done(), checking every 50 ms.
template <typename Done>
bool waitFor(DWORD ms, Done done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms) return false;
        Sleep(50);
    }
    return true;
}

// One request; the first line of `out` is the status.
Lines handle(const std::vector<std::string>& words) {
    const auto arg = [&](size_t i) { return i < words.size() ? words[i] : std::string(); };
    const auto number = [&](size_t i) { return static_cast<int>(strtol(arg(i).c_str(), nullptr, 10)); };
    const std::string& verb = words.at(0);
    if (verb == "find") {
        HWND found = nullptr;
        waitFor(static_cast<DWORD>(number(3)), [&] { return (found = findVisible(toWide(arg(1)), toWide(arg(2)))) != nullptr; });
        return found ? Lines{"ok", hwndText(found)} : Lines{"missing"};
    }
    if (verb == "gone") {
        const bool gone = waitFor(static_cast<DWORD>(number(2)), [&] { return findVisible(toWide(arg(1)), L"") == nullptr; });
        return {gone ? "ok" : "missing"};
    }
    HWND window = parseHwnd(arg(1));
    if (!IsWindow(window)) return {"missing"};
    if (verb == "text") return {"ok", toUtf8(messageBoxText(window))};
    if (verb == "command") {  // posted: the command may open a modal window
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(number(2), 0), 0);
        return {"ok"};
    }
    if (verb == "close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return {"ok"};
    }
    HWND control = GetDlgItem(window, number(2));
    if (!control) return {"missing"};
    if (verb == "press") {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(number(2), BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return {"ok"};
    }
    if (verb == "settext") {
        const std::wstring text = toWide(arg(3));
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return {"ok"};
    }
    if (verb == "gettext") return {"ok", toUtf8(windowText(control))};
    if (verb == "choose") {
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(number(3)), 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(number(2), CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        return {"ok"};
    }
    if (verb == "rowpoint") {
        POINT point{};
        if (!rowPoint(control, number(3), point)) return {"missing"};
        return {"ok", std::to_string(point.x) + " " + std::to_string(point.y)};
    }
    if (verb == "selection") {
        Lines out{"ok"};
        for (const std::string& line : selection(control)) out.push_back(line);
        return out;
    }
    if (verb == "column") {
        Lines out{"ok"};
        return columnCells(control, number(3), out) ? out : Lines{"missing"};
    }
    return {"bad"};
}

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> words;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(separator, start);
        words.push_back(line.substr(start, end - start));
        if (end == std::string::npos) return words;
        start = end + 1;
    }
}

bool readFile(const std::wstring& path, std::string& text) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return false;
    char buffer[4096];
    size_t n;
    text.clear();
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) return 2;
    const std::wstring dir = argv[1];
    LocalFree(argv);
    const std::wstring request = dir + L"\\request";
    const std::wstring reply = dir + L"\\reply";
    const std::wstring replyPart = dir + L"\\reply.part";
    for (;;) {
        std::string text;
        if (!readFile(request, text)) {
            Sleep(10);
            continue;
        }
        DeleteFileW(request.c_str());
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        const size_t newline = text.find('\n');
        if (newline == std::string::npos) continue;
        const std::string sequence = text.substr(0, newline);
        const std::vector<std::string> words = split(text.substr(newline + 1), '\t');
        const bool quit = words.at(0) == "quit";
        const Lines out = quit ? Lines{"ok"} : handle(words);
        FILE* file = _wfopen(replyPart.c_str(), L"wb");
        if (!file) return 2;
        std::fprintf(file, "%s\n", sequence.c_str());
        for (const std::string& line : out) std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
        MoveFileExW(replyPart.c_str(), reply.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (quit) return 0;
    }
}
