#include "ui/logic/HelpLinks.h"

namespace tappling {

std::string helpFilePath(std::string_view programPath, const CodePage& codePage) {
    size_t lastSeparator = std::string_view::npos;
    for (size_t i = 0; i < programPath.size(); ++i) {
        if (codePage.isLeadByte(static_cast<uint8_t>(programPath[i])) && i + 1 < programPath.size())
            ++i;  // a 0x5C trail byte is not a separator
        else if (programPath[i] == '\\')
            lastSeparator = i;
    }
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
