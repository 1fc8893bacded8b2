// Prints a macro in its text form: a "macro" line with the loop values, then one line per
// action in list order (action n on line n + 1), naming only the fields that differ from
// the defaults. Texts are UTF-8; bytes that are no character of the code page are escaped,
// so building the text gives back the same record.
#pragma once

#include <string>
#include <string_view>

#include "model/ActionList.h"
#include "textform/CodePageText.h"

namespace tappling {

// Labels: every action another action's jump field leads to starts with "@L<number>" and
// the fields name it; targets at the end, outside the list or on the action itself stay
// numbers. Building either style gives the same macro.
enum class TextFormStyle { Numbers, Labels };

std::string printTextForm(const Macro& macro, const CodePageText& codePage,
                          TextFormStyle style = TextFormStyle::Numbers);

// A text in double quotes with escapes: \" \\ \n \r \t and \xHH for a raw code-page byte.
std::string quoteText(std::string_view bytes, const CodePageText& codePage);

}  // namespace tappling
