#include "app/StartFile.h"

#include <vector>

namespace tappling {
namespace {

// A file name can never hold '"', so removing the pair cannot turn a name that works into
// another one.
std::string withoutEnclosingQuotes(std::string path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path.substr(1, path.size() - 2);
    return path;
}

}  // namespace

StartOptions findStartFile(std::string_view rawCommandLine, const CodePage& codePage, const FileProbe& files) {
    const StartOptions grammar = parseCommandLine(rawCommandLine, codePage);
    if (grammar.emptyCommandLine) return grammar;

    std::vector<StartOptions> candidates = {grammar};
    if (const size_t dash = lastOptionDash(rawCommandLine, codePage); dash != std::string_view::npos) {
        StartOptions beforeLastDash = grammar;  // the option is the grammar's: it too is read after the last "-"
        beforeLastDash.path = trimTrailingWhitespace(rawCommandLine.substr(0, dash), codePage);
        candidates.push_back(beforeLastDash);
        StartOptions whole;
        whole.emptyCommandLine = false;
        whole.path = trimTrailingWhitespace(rawCommandLine, codePage);
        candidates.push_back(whole);
    }
    for (StartOptions& candidate : candidates) {
        candidate.path = withoutEnclosingQuotes(candidate.path);
        if (!candidate.path.empty() && files.isFile(candidate.path)) return candidate;
    }
    return grammar;
}

}  // namespace tappling
