// Text forms are UTF-8. These tell a text saved in another encoding (UTF-16, as some
// Windows shells write, or the code page of the macro files) from a UTF-8 one, and make
// any bytes safe to show on a terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "textform/CodePageText.h"

namespace tappling {

// The length of the valid UTF-8 sequence at the start of text (not empty), or 0.
size_t utf8SequenceLength(std::string_view text);
bool isValidUtf8(std::string_view text);

// The encoding the bytes are in when it is plainly not UTF-8 but UTF-16 (with or without a
// byte order mark) or the code page named codePageName; nullopt otherwise.
std::optional<std::string> foreignEncoding(std::string_view bytes, const CodePageText& codePage,
                                           std::string_view codePageName);

// The text with control characters and bytes that are no UTF-8 written as \xHH, so that
// echoing a user's bytes never sends raw control codes to a terminal.
std::string printable(std::string_view text);

}  // namespace tappling
