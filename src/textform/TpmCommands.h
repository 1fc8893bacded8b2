// The commands of the tpm console tool, on any file system and code page (see tpmUsage):
// show, text, build, check and textconv, with "-" for standard input and output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "textform/CodePageText.h"
#include "textform/TpmFileSystem.h"

namespace tappling {

struct TpmOutput {
    std::string out;          // standard output: UTF-8, or a macro file's bytes
    std::string err;          // standard error, UTF-8
    bool binaryOut = false;   // out holds a macro file, to be written as it is
};

// Inputs larger than these are refused.
inline constexpr uint64_t kMaxMacroFileBytes = 64ull << 20;
inline constexpr uint64_t kMaxTextBytes = 16ull << 20;

// How the file system spells paths: UTF-8 (Linux) or the code page (the ANSI Windows API).
enum class PathBytes { Utf8, CodePage };

struct TpmSettings {
    PathBytes pathBytes = PathBytes::Utf8;
    // The macro files' code page as messages name it.
    std::string codePageName = "code page 932 (Shift_JIS)";
};

// args without the program name; returns the exit status (2 for usage and I/O errors).
int runTpm(const std::vector<std::string>& args, TpmFileSystem& files, const CodePageText& codePage,
           TpmOutput& output, const TpmSettings& settings = {});

}  // namespace tappling
