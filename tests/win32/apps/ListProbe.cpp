// Reads the action list of a running Tappling window for the end-to-end tests.
//
//   ListProbe.exe TITLE OUTFILE   writes each row as its nine cells joined by '|' (UTF-8)
//   ListProbe.exe TITLE --close   asks the window to close
// Exit code 0 when the window was found, 1 otherwise.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "ProbeHelpers.h"

namespace {

constexpr int kListId = 1001;
constexpr int kColumns = 9;
constexpr int kCellChars = 260;

std::string readRows(HWND list) {
    probe::RemoteMemory remote(list, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
    if (remote.address() == nullptr) return {};
    std::string out;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
            item.cchTextMax = kCellChars;
            remote.write(0, &item, sizeof(item));
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.address()));
            wchar_t text[kCellChars] = {};
            remote.read(sizeof(LVITEMW), text, sizeof(text) - sizeof(wchar_t));
            if (column > 0) out += '|';
            out += probe::toUtf8(text);
        }
        out += '\n';
    }
    return out;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 3) return 2;
    HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr) return 1;
    if (std::wstring(argv[2]) == L"--close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    HWND list = GetDlgItem(window, kListId);
    if (list == nullptr) return 1;
    const std::string rows = readRows(list);
    FILE* file = _wfopen(argv[2], L"wb");
    if (file == nullptr) return 2;
    std::fwrite(rows.data(), 1, rows.size(), file);
    std::fclose(file);
    LocalFree(argv);
    return 0;
}
