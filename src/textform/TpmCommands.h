// The commands of the tpm console tool, on any file system and code page:
//   tpm show FILE.TPM    the list as the main window shows it
//   tpm text FILE.TPM    the text form
//   tpm build TEXT [-o FILE.TPM]   the text form back into a macro file (version 1202)
//   tpm check FILE.TPM|TEXT        findings; exit 0 clean, 1 warnings, 2 errors
#pragma once

#include <string>
#include <vector>

#include "model/FileAccess.h"
#include "textform/CodePageText.h"

namespace tappling {

struct TpmOutput {
    std::string out;  // standard output, UTF-8
    std::string err;  // standard error, UTF-8
};

// Inputs larger than these are refused before they are read.
inline constexpr uint64_t kMaxMacroFileBytes = 64ull << 20;
inline constexpr uint64_t kMaxTextBytes = 16ull << 20;

// How the file system spells paths: UTF-8 (Linux) or the code page (the ANSI Windows API).
enum class PathBytes { Utf8, CodePage };

// args without the program name; returns the exit status.
int runTpm(const std::vector<std::string>& args, FileAccess& files, const CodePageText& codePage, TpmOutput& output,
           PathBytes pathBytes = PathBytes::Utf8);

}  // namespace tappling
