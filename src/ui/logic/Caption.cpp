#include "ui/logic/Caption.h"

namespace tappling {

std::string fileNameOf(std::string_view path, const CodePage& codePage) {
    const size_t separator = lastPathSeparator(path, codePage);
    return std::string(path.substr(separator == std::string_view::npos ? 0 : separator + 1));
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
