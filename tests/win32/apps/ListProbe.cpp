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

namespace {

constexpr int kListId = 1001;
constexpr int kColumns = 9;
constexpr int kCellChars = 260;

std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// The list lives in another process: the item structure and its text buffer are placed
// there for each request.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size)
        : process_(process), memory_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* address() const { return static_cast<char*>(memory_); }

private:
    HANDLE process_;
    void* memory_;
};

std::string readRows(HWND list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return {};
    std::string out;
    {
        RemoteBuffer remote(process, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
        if (remote.address() != nullptr) {
            const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
            for (int row = 0; row < rows; ++row) {
                for (int column = 0; column < kColumns; ++column) {
                    LVITEMW item{};
                    item.iSubItem = column;
                    item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
                    item.cchTextMax = kCellChars;
                    WriteProcessMemory(process, remote.address(), &item, sizeof(item), nullptr);
                    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(remote.address()));
                    wchar_t text[kCellChars] = {};
                    ReadProcessMemory(process, remote.address() + sizeof(LVITEMW), text, sizeof(text) - sizeof(wchar_t),
                                      nullptr);
                    if (column > 0) out += '|';
                    out += utf8(text);
                }
                out += '\n';
            }
        }
    }
    CloseHandle(process);
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
