// What the probe programs share: UTF-8 conversion, a window's text and class, window
// handles as hexadecimal text, and memory inside another program for the list-view
// messages that carry pointers.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace probe {

inline std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

inline std::wstring toWide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// WM_GETTEXT works across processes (the system copies the text).
inline std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

inline std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

inline std::string hwndText(HWND window) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return buffer;
}

// The message of a message box is its static control with text (the icon has none).
inline std::wstring messageBoxText(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(className(child).c_str(), L"Static") != 0) continue;
        const std::wstring text = windowText(child);
        if (!text.empty()) return text;
    }
    return {};
}

// Memory of `bytes` inside the process that owns `window`.
class RemoteMemory {
public:
    RemoteMemory(HWND window, SIZE_T bytes) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) address_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    char* address() const { return address_; }
    bool write(SIZE_T offset, const void* data, SIZE_T bytes) {
        return WriteProcessMemory(process_, address_ + offset, data, bytes, nullptr) != FALSE;
    }
    bool read(SIZE_T offset, void* data, SIZE_T bytes) {
        return ReadProcessMemory(process_, address_ + offset, data, bytes, nullptr) != FALSE;
    }

private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

}  // namespace probe
