#include "app/DesktopShortcut.h"

#include <array>

namespace tappling {

namespace {

constexpr std::array<ShortcutMode, 3> kModes{{
    {"-ONDIG", u"(通常起動)", "デスクトップにショートカット（通常起動）を作成します。よろしいですか"},
    {"-NODIG", u"(自動起動)", "デスクトップにショートカット（自動起動）を作成します。よろしいですか"},
    {"-NODR", u"（ランダム自動起動）", "デスクトップにショートカット（ランダム自動起動）を作成します。よろしいですか"},
}};

// Where the last path component starts.
size_t fileNameStart(std::string_view path, const CodePage& codePage) {
    const size_t separator = lastPathSeparator(path, codePage);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

}  // namespace

std::optional<ShortcutMode> shortcutMode(std::string_view option) {
    for (const ShortcutMode& mode : kModes)
        if (mode.option == option) return mode;
    return std::nullopt;
}

std::string shortcutBaseName(std::string_view macroPath, const CodePage& codePage) {
    const std::string_view name = macroPath.substr(fileNameStart(macroPath, codePage));
    // '.' is never a trail byte in the ANSI code pages, so a plain search is safe.
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(name.substr(0, dot));
}

std::string shortcutArguments(std::string_view macroPath, std::string_view option) {
    std::string arguments(macroPath);
    arguments += ' ';
    arguments += option;
    return arguments;
}

std::string shortcutLinkPath(std::string_view desktopFolder, std::string_view macroPath, const ShortcutMode& mode,
                             const CodePage& codePage) {
    std::string path(desktopFolder);
    path += '\\';
    path += shortcutBaseName(macroPath, codePage);
    path += codePage.fromUtf16(mode.suffix);
    path += ".lnk";
    return path;
}

}  // namespace tappling
