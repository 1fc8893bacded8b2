#include "ui/logic/HelpLinks.h"

namespace tappling {

std::optional<std::string> helpFilePath(std::string_view programPath, const CodePage& codePage) {
    const size_t lastSeparator = lastPathSeparator(programPath, codePage);
    if (lastSeparator == std::string_view::npos) return std::nullopt;
    return std::string(programPath.substr(0, lastSeparator)) + "\\main.html";
}

std::string supportMailUrl(std::string_view address, std::string_view versionText, std::string_view note) {
    std::string url = "mailto:";
    url += address;
    url += "?subject=";
    url += versionText;
    url += " について質問(";
    url += note;
    url += ")";
    return url;
}

}  // namespace tappling
