// The start-up command line: a macro file path, optionally followed by one option that
// begins with "-". The grammar is deliberately simple because desktop shortcuts and the
// shell verbs build command lines in exactly these forms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CodePage.h"

namespace tappling {

struct StartOptions {
    std::string path;          // ANSI code page bytes; quotes and leading blanks kept
    int32_t autoRunMode = 0;   // 1 for "-NODIG" and "-NODR"
    int32_t randomMode = 0;    // 1 for "-NODR"
    bool emptyCommandLine = true;
};

// rawCommandLine is the text after the program name, as the system passes it.
StartOptions parseCommandLine(std::string_view rawCommandLine, const CodePage& codePage);

// Byte offset of the last "-" that is a character of its own (never the trail byte of a
// double-byte character): where the grammar's option begins. npos when there is none.
size_t lastOptionDash(std::string_view rawCommandLine, const CodePage& codePage);

}  // namespace tappling
