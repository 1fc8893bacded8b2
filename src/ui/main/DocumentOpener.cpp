#include "ui/main/DocumentOpener.h"

#include <windows.h>
#include <shellapi.h>

namespace tappling {

void ShellDocumentOpener::open(const std::wstring& target) {
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tappling
