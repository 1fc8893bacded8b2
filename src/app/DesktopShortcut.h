// Desktop shortcuts that start Tappling with a macro file and a start mode: the link's
// name, its arguments and the question asked before it is written. Paths are ANSI
// code-page bytes; question texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/CodePage.h"

namespace tappling {

struct ShortcutMode {
    std::string_view option;        // "-ONDIG", "-NODIG" or "-NODR"
    std::u16string_view suffix;     // appended to the link's base name
    std::string_view confirmation;  // UTF-8, asked with OK and Cancel
};

// The mode of a start-mode option; nullopt for anything else.
std::optional<ShortcutMode> shortcutMode(std::string_view option);

// The macro file's name without its directory and without its extension (from the last
// "." of the name on); a name without "." gives an empty base name.
std::string shortcutBaseName(std::string_view macroPath, const CodePage& codePage);

// The macro path, one blank, the option. The path is not quoted: start-up takes
// everything before the first "-" as the path and drops trailing blanks.
std::string shortcutArguments(std::string_view macroPath, std::string_view option);

// desktopFolder + "\" + base name + the mode's suffix + ".lnk".
std::string shortcutLinkPath(std::string_view desktopFolder, std::string_view macroPath, const ShortcutMode& mode,
                             const CodePage& codePage);

inline constexpr char kNoFileNameText[] = "ファイル名が取得できません。";

}  // namespace tappling
