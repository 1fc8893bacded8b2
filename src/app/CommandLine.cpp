#include "app/CommandLine.h"

namespace tappling {

namespace {

// Byte offsets of the first and last "-" that is a character of its own (never the trail
// byte of a double-byte character). npos when there is none.
struct DashPositions {
    size_t first = std::string_view::npos;
    size_t last = std::string_view::npos;
};

DashPositions findDashes(std::string_view text, const CodePage& codePage) {
    DashPositions found;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (codePage.isLeadByte(byte) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (byte == '-') {
            if (found.first == std::string_view::npos) found.first = i;
            found.last = i;
        }
    }
    return found;
}

}  // namespace

size_t lastOptionDash(std::string_view rawCommandLine, const CodePage& codePage) {
    return findDashes(rawCommandLine, codePage).last;
}

StartOptions parseCommandLine(std::string_view rawCommandLine, const CodePage& codePage) {
    StartOptions options;
    if (rawCommandLine.empty()) return options;
    options.emptyCommandLine = false;

    const DashPositions dashes = findDashes(rawCommandLine, codePage);
    const std::string_view optionText =
        dashes.last == std::string_view::npos ? rawCommandLine : rawCommandLine.substr(dashes.last + 1);
    const std::string option = toUpperMultibyte(optionText, codePage);

    const std::string_view beforeDash =
        dashes.first == std::string_view::npos ? std::string_view{} : rawCommandLine.substr(0, dashes.first);
    options.path = trimTrailingWhitespace(beforeDash, codePage);
    if (options.path.empty()) options.path = trimTrailingWhitespace(rawCommandLine, codePage);

    if (option == "NODIG") {
        options.autoRunMode = 1;
    } else if (option == "NODR") {
        options.autoRunMode = 1;
        options.randomMode = 1;
    }
    return options;
}

}  // namespace tappling
