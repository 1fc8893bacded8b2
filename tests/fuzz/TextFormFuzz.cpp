// libFuzzer entry: any bytes as a text form (labels included). Parsing may report errors,
// but never crashes or over-allocates; a text that parses prints, with numbers or with
// labels, to a text that parses to the same macro and prints the same again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SameMacro.h"
#include "textform/TextFormParser.h"
#include "textform/TextFormPrinter.h"
#include "tpm/posix/IconvCodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tappling;
    static const IconvCodePage codePage;
    const ParsedText parsed = parseTextForm(std::string_view(reinterpret_cast<const char*>(data), size), codePage);
    if (parsed.errors.size() > kMaxTextErrors + 1) std::abort();
    for (const TextDiagnostic& error : parsed.errors)
        if (error.line < 1 || error.column < 1 || error.message.empty()) std::abort();
    if (!parsed.errors.empty()) return 0;
    if (parsed.actionLines.size() != static_cast<size_t>(parsed.macro.actions.size())) std::abort();

    const std::string printed = printTextForm(parsed.macro, codePage);
    const ParsedText again = parseTextForm(printed, codePage);
    if (!again.errors.empty() || !sameMacro(parsed.macro, again.macro)) std::abort();
    if (printTextForm(again.macro, codePage) != printed) std::abort();

    const std::string labelled = printTextForm(parsed.macro, codePage, TextFormStyle::Labels);
    const ParsedText fromLabels = parseTextForm(labelled, codePage);
    if (!fromLabels.errors.empty() || !sameMacro(parsed.macro, fromLabels.macro)) std::abort();
    if (printTextForm(fromLabels.macro, codePage, TextFormStyle::Labels) != labelled) std::abort();
    return 0;
}
