#include "model/win32/Win32CodePage.h"

#include <windows.h>

namespace tappling {

bool Win32CodePage::isLeadByte(uint8_t byte) const { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

std::string Win32CodePage::fromUtf16(std::u16string_view text) const {
    // Characters the code page lacks become the system default character ('?').
    return wideToAnsi(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

}  // namespace tappling
