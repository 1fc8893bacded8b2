#include "ui/Win32Prompter.h"

#include <string>

namespace tappling {

namespace {
std::wstring fromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}
}  // namespace

int Win32Prompter::show(std::string_view text, UINT type) {
    return MessageBoxW(owner_, fromUtf8(text).c_str(), L"Tappling", type);
}

void Win32Prompter::inform(std::string_view text) { show(text, MB_OK); }

Answer Win32Prompter::askYesNoCancel(std::string_view question) {
    switch (show(question, MB_YESNOCANCEL)) {
        case IDYES: return Answer::Yes;
        case IDNO: return Answer::No;
        default: return Answer::Cancel;
    }
}

bool Win32Prompter::askOkCancel(std::string_view question) { return show(question, MB_OKCANCEL) == IDOK; }

}  // namespace tappling
