#include "ui/Win32Prompter.h"

#include <string>

#include "win32/Win32Text.h"

namespace tappling {

int Win32Prompter::show(std::string_view text, UINT type) {
    return MessageBoxW(owner_, utf8ToWide(text).c_str(), L"Tappling", type);
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
