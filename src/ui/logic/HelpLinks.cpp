#include "ui/logic/HelpLinks.h"

namespace tappling {

std::string helpFilePath(std::string_view programPath, const CodePage& codePage) {
    const size_t lastSeparator = lastPathSeparator(programPath, codePage);
    std::string path(programPath.substr(0, lastSeparator == std::string_view::npos ? 0 : lastSeparator));
    return path + "\\main.html";
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
