#include "tpm/posix/IconvCodePage.h"

namespace tappling {

namespace {

const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

// The whole input or nothing: an invalid or unmappable character gives nullopt.
std::optional<std::string> convert(iconv_t converter, std::string_view in, size_t outFactor) {
    if (converter == kFailed) return std::nullopt;
    std::string out(in.size() * outFactor + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    if (iconv(converter, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

IconvCodePage::IconvCodePage()
    : toUtf8_(iconv_open("UTF-8", "CP932")),
      fromUtf8_(iconv_open("CP932", "UTF-8")),
      fromUtf16_(iconv_open("CP932", "UTF-16LE")) {}

IconvCodePage::~IconvCodePage() {
    for (iconv_t converter : {toUtf8_, fromUtf8_, fromUtf16_})
        if (converter != kFailed) iconv_close(converter);
}

bool IconvCodePage::usable() const { return toUtf8_ != kFailed && fromUtf8_ != kFailed && fromUtf16_ != kFailed; }

std::optional<std::string> IconvCodePage::toUtf8(std::string_view bytes) const { return convert(toUtf8_, bytes, 3); }

std::optional<std::string> IconvCodePage::fromUtf8(std::string_view utf8) const {
    return convert(fromUtf8_, utf8, 1);
}

// One character at a time, so a character the code page lacks becomes '?' alone.
std::string IconvCodePage::fromUtf16(std::u16string_view text) const {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t units = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() ? 2 : 1;
        std::string raw;
        for (size_t u = 0; u < units; ++u) {
            raw.push_back(static_cast<char>(text[i + u] & 0xFF));
            raw.push_back(static_cast<char>(text[i + u] >> 8));
        }
        const std::optional<std::string> converted = convert(fromUtf16_, raw, 2);
        out += converted ? *converted : std::string("?");
        i += units - 1;
    }
    return out;
}

}  // namespace tappling
