// The file chooser the file commands use: the system dialog plus the ".TPM" rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Prompter.h"

namespace tappling {

enum class ChooseMode : int32_t {
    Save = 0,
    Open = 1,
    AnyFile = 2,  // open any existing file: no filter, no default extension (the editor's "参照")
};

// A name chosen in the system's dialog, as ANSI code-page bytes. When the code page cannot
// hold a character of it the bytes name another file (a look-alike or '?'), and the
// name must be refused.
struct ChosenFile {
    std::string path;
    bool fitsCodePage = true;
};

// Refusal of a chosen or dropped name the code page cannot hold.
inline constexpr std::string_view kUnusableFileNameText = "このファイル名には使えない文字が含まれています。";

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The system's open/save dialog; nullopt on cancel.
    virtual std::optional<ChosenFile> choose(ChooseMode mode, const std::string& initialName) = 0;
};

// True when the path's extension is ".TPM" in any case of its letters.
bool hasMacroFileExtension(std::string_view path);

// path: the initial name in, the chosen path (extension spelled ".TPM") out. 1 when a
// path was chosen, 0 on cancel or when the chosen name is refused (not a macro file, or
// not one the code page can hold): then path stays as it was.
int chooseMacroFile(FileDialogs& dialogs, Prompter& prompter, ChooseMode mode, std::string& path);

}  // namespace tappling
