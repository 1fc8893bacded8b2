// Text at the Win32 boundary: the ANSI code page (CP_ACP) and UTF-8 to and from UTF-16.
// The plain forms never fail: bytes the source lacks become U+FFFD, characters the ANSI
// code page lacks become its default character ('?'). The exact forms refuse instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tappling {

std::wstring ansiToWide(std::string_view ansi);
std::wstring utf8ToWide(std::string_view utf8);
std::string wideToAnsi(std::wstring_view wide);
std::string wideToUtf8(std::wstring_view wide);

// nullopt when the bytes are not characters of their encoding.
std::optional<std::wstring> ansiToWideExactly(std::string_view ansi);
std::optional<std::wstring> utf8ToWideExactly(std::string_view utf8);
// nullopt when a character has no place in the ANSI code page (no best-fit look-alike).
std::optional<std::string> wideToAnsiExactly(std::wstring_view wide);

// Whether the text survives the ANSI code page unchanged, e.g. a typed file name.
bool fitsAnsiCodePage(std::wstring_view wide);

}  // namespace tappling
