#include "ui/logic/Caption.h"

namespace tappling {

std::string fileNameOf(std::string_view path, const CodePage& codePage) {
    size_t nameStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<uint8_t>(path[i]);
        if (codePage.isLeadByte(byte) && i + 1 < path.size()) {
            ++i;  // the trail byte may be 0x5C without being a separator
        } else if (byte == '\\') {
            nameStart = i + 1;
        }
    }
    return std::string(path.substr(nameStart));
}

std::string titleText(std::string_view path, const CodePage& codePage) {
    return std::string(kProductName) + " " + fileNameOf(path, codePage);
}

std::string progressTitleText(int32_t passes, int32_t loopEnabled, int32_t loopLimited, int32_t loopCount,
                              std::string_view path, const CodePage& codePage) {
    if (loopEnabled != 1) return titleText(path, codePage);
    std::string text = " [ " + std::to_string(passes);
    if (loopLimited == 1) text += " / " + std::to_string(loopCount);
    return text + " ] " + titleText(path, codePage);
}

}  // namespace tappling
