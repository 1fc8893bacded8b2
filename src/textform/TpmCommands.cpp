#include "textform/TpmCommands.h"

#include <algorithm>
#include <cstring>

#include "model/MacroFile.h"
#include "textform/MacroCheck.h"
#include "textform/MacroListing.h"
#include "textform/TextEncoding.h"
#include "textform/TextFormParser.h"
#include "textform/TextFormPrinter.h"
#include "textform/TpmArguments.h"

namespace tappling {

namespace {

constexpr std::string_view kStandardStream = "-";

class MemoryInputFile final : public InputFile {
public:
    explicit MemoryInputFile(std::string_view bytes) : bytes_(bytes) {}
    uint64_t size() const override { return bytes_.size(); }
    int64_t read(char* buffer, size_t maxBytes) override {
        const size_t n = std::min(maxBytes, bytes_.size() - offset_);
        std::memcpy(buffer, bytes_.data() + offset_, n);
        offset_ += n;
        return static_cast<int64_t>(n);
    }

private:
    std::string_view bytes_;
    size_t offset_ = 0;
};

// Takes the bytes the macro file writer would save, so they can go to a checked output.
class CapturedFile final : public FileAccess {
public:
    std::string bytes;
    DirectorySearch search(const std::string&) override { return {}; }
    std::unique_ptr<InputFile> openForReading(const std::string&, std::string& errorText) override {
        errorText = "not readable";
        return nullptr;
    }
    bool writeAtomically(const std::string&, std::string_view content, std::string&) override {
        bytes.assign(content);
        return true;
    }
};

bool looksLikeMacroFile(std::string_view bytes) {
    return bytes.size() >= 12 && bytes[0] == 11 && bytes.substr(1, 11) == kMacroFileTag;
}

bool endsInTpm(std::string_view path) {
    if (path.size() < 4 || path[path.size() - 4] != '.') return false;
    return (path[path.size() - 3] | 0x20) == 't' && (path[path.size() - 2] | 0x20) == 'p' &&
           (path.back() | 0x20) == 'm';
}

std::string plural(size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

// An input read whole, with what is known of it.
struct Input {
    std::string bytes;
    std::optional<FileIdentity> identity;
};

// A macro file read as far as it goes: the records before a cut stay in macro.
struct ReadMacro {
    Macro macro;
    ReadDetails details;
    std::vector<uint64_t> recordStarts;
    bool complete = false;
    std::string problem;  // why it is not complete
};

class Tpm {
public:
    Tpm(TpmFileSystem& files, const CodePageText& codePage, TpmOutput& output, const TpmSettings& settings)
        : files_(files), codePage_(codePage), output_(output), settings_(settings) {}

    int run(const std::vector<std::string>& args) {
        const ParsedArguments parsed = parseTpmArguments(args);
        if (!parsed.arguments) {
            const bool known = !args.empty() && tpmCommandHelp(args[0]) != tpmUsage();
            output_.err += printable(parsed.error) + "\n" + (known ? tpmCommandHelp(args[0]) : tpmUsage());
            return 2;
        }
        const TpmArguments& a = *parsed.arguments;
        switch (a.command) {
            case TpmCommand::Help:
                output_.out += a.commandName.empty() ? tpmUsage() : tpmCommandHelp(a.commandName);
                return 0;
            case TpmCommand::Version: output_.out += "tpm " TAPPLING_VERSION "\n"; return 0;
            case TpmCommand::Show: return show(a.input);
            case TpmCommand::Text: return text(a.input, a.output.value_or(std::string(kStandardStream)), a.labels);
            case TpmCommand::TextConv: return textconv(a.input);
            case TpmCommand::Build: return build(a.input, a.output);
            case TpmCommand::Check: return check(a.input);
        }
        return 2;
    }

private:
    int show(const std::string& path) {
        Input input;
        ReadMacro read;
        if (!readInput(path, kMaxMacroFileBytes, input) || !readMacro(path, input.bytes, read)) return 2;
        output_.out += listMacro(read.macro, read.details.version, codePage_);
        return 0;
    }

    int text(const std::string& path, const std::string& target, bool labels) {
        Input input;
        ReadMacro read;
        if (!readInput(path, kMaxMacroFileBytes, input) || !readMacro(path, input.bytes, read)) return 2;
        const std::string printed =
            printTextForm(read.macro, codePage_, labels ? TextFormStyle::Labels : TextFormStyle::Numbers);
        return writeOutput(target, printed, input.identity, false) ? 0 : 2;
    }

    // For git diff: never fails, so one damaged file does not hide the other changes.
    int textconv(const std::string& path) {
        std::string problem;
        Input input;
        if (!readWhole(path, kMaxMacroFileBytes, input, problem)) {
            output_.out += "# tpm: " + shown(path) + ": " + problem + "\n";
            return 0;
        }
        ReadMacro read;
        readMacroBytes(input.bytes, read);
        if (read.complete || read.details.recordsRead > 0 || read.details.count >= 0)
            output_.out += printTextForm(read.macro, codePage_);
        if (!read.complete) output_.out += "# tpm: " + shown(path) + ": " + read.problem + "; the text stops here\n";
        return 0;
    }

    int build(const std::string& path, std::optional<std::string> target) {
        if (!target) {
            target = path == kStandardStream ? std::string(kStandardStream) : defaultOutputPath(path);
            if (path != kStandardStream && *target == path) {
                output_.err += shown(path) + ": name the macro file to write with -o\n";
                return 2;
            }
        }
        Input input;
        if (!readInput(path, kMaxTextBytes, input)) return 2;
        if (looksLikeMacroFile(input.bytes)) {
            output_.err += shown(path) + ": this is a macro file already; build reads the text form (see tpm text)\n";
            return 2;
        }
        if (!textIsUtf8(path, input.bytes)) return 2;
        const ParsedText parsed = parseTextForm(input.bytes, codePage_);
        if (!parsed.errors.empty()) {
            reportTextErrors(path, parsed, output_.err);
            return 2;
        }
        CapturedFile captured;
        writeMacroFile(parsed.macro, "", captured);
        return writeOutput(*target, captured.bytes, input.identity, true) ? 0 : 2;
    }

    int check(const std::string& path) {
        Input input;
        if (!readInput(path, kMaxMacroFileBytes, input)) return 2;
        size_t errors = 0;
        size_t warnings = 0;
        const auto report = [&](const std::string& where, Severity severity, const std::string& what) {
            const bool error = severity == Severity::Error;
            (error ? errors : warnings) += 1;
            output_.out += where + (error ? ": error: " : ": warning: ") + printable(what) + "\n";
        };
        const auto reportFindings = [&](const Macro& macro, const auto& whereOf) {
            for (const Finding& f : checkMacro(macro, codePage_))
                report(whereOf(f), f.severity,
                       "action " + std::to_string(f.action) + ", " + std::string(f.field) + ": " + f.message);
        };
        if (looksLikeMacroFile(input.bytes)) {
            ReadMacro read;
            if (!readMacro(path, input.bytes, read)) return 2;
            const std::string file = shown(path) + ": byte ";
            if (read.details.count < 0) {
                report(file + std::to_string(read.details.endOffset - 4), Severity::Warning,
                       "the record count is " + std::to_string(read.details.count) + ": the file holds no actions");
            }
            reportFindings(read.macro, [&](const Finding& f) {
                return file + std::to_string(read.recordStarts[static_cast<size_t>(f.action - 1)]);
            });
            if (read.details.endOffset < input.bytes.size()) {
                report(file + std::to_string(read.details.endOffset), Severity::Warning,
                       plural(input.bytes.size() - read.details.endOffset, "byte") +
                           " after the last record are no part of the macro");
            }
        } else {
            if (input.bytes.size() > kMaxTextBytes) return tooLarge(path, kMaxTextBytes);
            if (!textIsUtf8(path, input.bytes)) return 2;
            const ParsedText parsed = parseTextForm(input.bytes, codePage_);
            reportTextErrors(path, parsed, output_.out);  // in line with the findings
            errors += parsed.errors.size();
            reportFindings(parsed.macro, [&](const Finding& f) {
                const size_t index = static_cast<size_t>(f.action - 1);
                std::string where = shown(path);
                if (index < parsed.actionLines.size()) where += ":" + std::to_string(parsed.actionLines[index]);
                if (const int32_t column = parsed.columnOf(f.action, f.field)) where += ":" + std::to_string(column);
                return where;
            });
        }
        output_.out += shown(path) + ": " +
                       (errors + warnings == 0 ? std::string("no findings")
                                               : plural(errors, "error") + ", " + plural(warnings, "warning")) +
                       "\n";
        return errors > 0 ? 2 : warnings > 0 ? 1 : 0;
    }

    // One message for a text saved in another encoding, instead of a cascade of errors.
    bool textIsUtf8(const std::string& path, std::string_view bytes) {
        const std::optional<std::string> found = foreignEncoding(bytes, codePage_, settings_.codePageName);
        if (!found) return true;
        output_.err += shown(path) + ": the text is in " + *found + "; tpm reads texts in UTF-8: save it as UTF-8\n";
        return false;
    }

    void reportTextErrors(const std::string& path, const ParsedText& parsed, std::string& to) {
        for (const TextDiagnostic& d : parsed.errors) {
            to += shown(path) + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) +
                  ": error: " + printable(d.message) + "\n";
        }
    }

    // Where a written file goes: standard output, or a regular file that is not the input.
    bool writeOutput(const std::string& target, std::string_view bytes, const std::optional<FileIdentity>& input,
                     bool macroFile) {
        if (target == kStandardStream) {
            output_.out.append(bytes);
            output_.binaryOut = macroFile;
            return true;
        }
        const OutputTarget existing = files_.inspectOutput(target);
        if (existing.kind == OutputKind::NotRegular) {
            output_.err += shown(target) + ": not a regular file; tpm writes only regular files\n";
            return false;
        }
        if (input && existing.identity == input) {
            output_.err += shown(target) + ": this is the input file; write to another file\n";
            return false;
        }
        std::string errorText;
        if (!files_.replaceFile(target, bytes, errorText)) {
            output_.err += shown(target) + ": cannot write: " + errorText + "\n";
            return false;
        }
        if (macroFile && !endsInTpm(target))
            output_.err += shown(target) + ": warning: the name does not end in .TPM, which Tappling opens\n";
        return true;
    }

    bool readMacro(const std::string& path, std::string_view bytes, ReadMacro& read) {
        readMacroBytes(bytes, read);
        if (!read.complete) output_.err += shown(path) + ": " + read.problem + "\n";
        return read.complete;
    }

    void readMacroBytes(std::string_view bytes, ReadMacro& read) {
        if (!looksLikeMacroFile(bytes)) {
            read.problem = "not a macro file (it does not start with \"MouseAction\")";
            return;
        }
        MemoryInputFile file(bytes);
        read.details.recordStarts = &read.recordStarts;
        const ReadOutcome outcome = readMacroContent(read.macro, file, ReadMode::Open, codePage_, &read.details);
        read.details.recordStarts = nullptr;
        const ReadDetails& d = read.details;
        switch (outcome.result) {
            case ReadResult::Loaded: read.complete = true; return;
            case ReadResult::FormatNotSupported:
                read.problem = "not a macro file (it does not start with \"MouseAction\")";
                return;
            case ReadResult::VersionNotSupported:
                read.problem = "version " + std::to_string(d.version) +
                               " is not supported (1000, 1100, 1101, 1200, 1201, 1202)";
                return;
            case ReadResult::ReadError: break;
        }
        read.problem = "byte " + std::to_string(d.endOffset) + ": the file ends early, " +
                       (d.count < 0 ? std::string("in its header")
                                    : "in record " + std::to_string(d.recordsRead + 1) + " of " +
                                          std::to_string(d.count)) +
                       " (" + plural(bytes.size(), "byte") + " in all)";
    }

    bool readInput(const std::string& path, uint64_t limit, Input& input) {
        std::string problem;
        if (readWhole(path, limit, input, problem)) return true;
        output_.err += shown(path) + ": " + problem + "\n";
        return false;
    }

    // A file, pipe or standard input to its end, refused beyond limit bytes.
    bool readWhole(const std::string& path, uint64_t limit, Input& input, std::string& problem) {
        std::string errorText;
        OpenedInput opened = path == kStandardStream ? files_.standardInput() : files_.openInput(path, errorText);
        if (!opened.file) {
            problem = "cannot open: " + (errorText.empty() ? std::string("not readable") : errorText);
            return false;
        }
        input.identity = opened.identity;
        const uint64_t size = opened.file->size();
        if (size != kUnknownSize && size > limit) {
            problem = tooLargeText(limit);
            return false;
        }
        std::string& bytes = input.bytes;
        bytes.resize(size != kUnknownSize ? static_cast<size_t>(size) + 1 : size_t{1} << 16);
        size_t done = 0;
        while (true) {
            if (done == bytes.size()) bytes.resize(std::min<uint64_t>(bytes.size() * 2, limit + 1));
            const int64_t got = opened.file->read(bytes.data() + done, bytes.size() - done);
            if (got < 0) {
                problem = "byte " + std::to_string(done) + ": read error";
                return false;
            }
            if (got == 0) break;
            done += static_cast<size_t>(got);
            if (done > limit) {
                problem = tooLargeText(limit);
                return false;
            }
        }
        bytes.resize(done);
        return true;
    }

    static std::string tooLargeText(uint64_t limit) { return "too large (more than " + plural(limit, "byte") + ")"; }

    int tooLarge(const std::string& path, uint64_t limit) {
        output_.err += shown(path) + ": " + tooLargeText(limit) + "\n";
        return 2;
    }

    // A path as the messages show it: UTF-8 with no control characters.
    std::string shown(const std::string& path) const {
        if (path == kStandardStream) return "<stdin>";
        if (settings_.pathBytes == PathBytes::Utf8) return printable(path);
        std::string out;
        forEachCharacter(path, codePage_, [&](const CodePageCharacter& c) { out += c.utf8 ? *c.utf8 : "?"; });
        return printable(out);
    }

    static std::string defaultOutputPath(const std::string& textPath) {
        const size_t slash = textPath.find_last_of("/\\");
        const size_t dot = textPath.rfind('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
        const std::string stem = hasExtension ? textPath.substr(0, dot) : textPath;
        if (endsInTpm(stem)) return stem;  // "m.TPM.txt" builds "m.TPM"
        return stem + ".TPM";
    }

    TpmFileSystem& files_;
    const CodePageText& codePage_;
    TpmOutput& output_;
    const TpmSettings& settings_;
};

}  // namespace

int runTpm(const std::vector<std::string>& args, TpmFileSystem& files, const CodePageText& codePage,
           TpmOutput& output, const TpmSettings& settings) {
    return Tpm(files, codePage, output, settings).run(args);
}

}  // namespace tappling
