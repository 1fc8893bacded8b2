// The file chooser the file commands use: the system dialog plus the ".TPM" rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Prompter.h"

namespace tappling {

enum class ChooseMode : int32_t {
    Save = 0,
    Open = 1,
    AnyFile = 2,  // open any existing file: no filter, no default extension (the editor's "参照")
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The system's open/save dialog; nullopt on cancel. Returns ANSI path.
    virtual std::optional<std::string> choose(ChooseMode mode, const std::string& initialName) = 0;
};

// path: the initial name in, the chosen path (extension spelled ".TPM") out. 1 when a
// path was chosen, 0 on cancel or when the chosen name is not a macro file.
int chooseMacroFile(FileDialogs& dialogs, Prompter& prompter, ChooseMode mode, std::string& path);

}  // namespace tappling
