#include "textform/TpmCommands.h"

#include <algorithm>
#include <cstring>

#include "model/MacroFile.h"
#include "textform/MacroCheck.h"
#include "textform/MacroListing.h"
#include "textform/TextFormParser.h"
#include "textform/TextFormPrinter.h"

namespace tappling {

namespace {

constexpr char kUsage[] =
    "usage: tpm show FILE.TPM         the list as Tappling shows it\n"
    "       tpm text FILE.TPM         the macro as text\n"
    "       tpm build TEXT [-o FILE.TPM]  the text back into a macro file\n"
    "       tpm check FILE.TPM|TEXT   what would surprise at run time (exit 0 clean, 1 warnings, 2 errors)\n";

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

bool looksLikeMacroFile(std::string_view bytes) {
    return bytes.size() >= 12 && bytes[0] == 11 && bytes.substr(1, 11) == kMacroFileTag;
}

std::string plural(size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

class Tpm {
public:
    Tpm(FileAccess& files, const CodePageText& codePage, TpmOutput& output, PathBytes pathBytes)
        : files_(files), codePage_(codePage), output_(output), pathBytes_(pathBytes) {}

    int run(const std::vector<std::string>& args) {
        if (args.size() == 2 && args[0] == "show") return show(args[1]);
        if (args.size() == 2 && args[0] == "text") return text(args[1]);
        if (args.size() == 2 && args[0] == "check") return check(args[1]);
        if (args.size() == 2 && args[0] == "build") {
            const std::string target = defaultOutputPath(args[1]);
            if (target != args[1]) return build(args[1], target);
            output_.err += shown(args[1]) + ": name the macro file to write with -o\n";
            return 2;
        }
        if (args.size() == 4 && args[0] == "build" && args[2] == "-o") return build(args[1], args[3]);
        if (args.size() == 4 && args[0] == "build" && args[1] == "-o") return build(args[3], args[2]);
        if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
            output_.out += kUsage;
            return 0;
        }
        output_.err += kUsage;
        return 2;
    }

private:
    int show(const std::string& path) {
        Macro macro;
        int32_t version = 0;
        if (!loadMacroFile(path, macro, version)) return 2;
        output_.out += listMacro(macro, version, codePage_);
        return 0;
    }

    int text(const std::string& path) {
        Macro macro;
        int32_t version = 0;
        if (!loadMacroFile(path, macro, version)) return 2;
        output_.out += printTextForm(macro, codePage_);
        return 0;
    }

    int build(const std::string& path, const std::string& target) {
        std::string bytes;
        if (!readWhole(path, kMaxTextBytes, bytes)) return 2;
        if (looksLikeMacroFile(bytes)) {
            output_.err += shown(path) + ": this is a macro file already; build reads the text form (see tpm text)\n";
            return 2;
        }
        const ParsedText parsed = parseTextForm(bytes, codePage_);
        if (!parsed.errors.empty()) {
            reportTextErrors(path, parsed, output_.err);
            return 2;
        }
        const WriteOutcome written = writeMacroFile(parsed.macro, target, files_);
        if (!written.ok) {
            output_.err += shown(target) + ": cannot write: " + written.errorText + "\n";
            return 2;
        }
        return 0;
    }

    int check(const std::string& path) {
        std::string bytes;
        if (!readWhole(path, kMaxMacroFileBytes, bytes)) return 2;
        Macro macro;
        std::vector<int32_t> lines;
        size_t textErrors = 0;
        if (looksLikeMacroFile(bytes)) {
            int32_t version = 0;
            if (!readMacro(path, bytes, macro, version)) return 2;
        } else {
            if (bytes.size() > kMaxTextBytes) return tooLarge(path, bytes.size(), kMaxTextBytes);
            ParsedText parsed = parseTextForm(bytes, codePage_);
            reportTextErrors(path, parsed, output_.out);  // in line with the findings
            textErrors = parsed.errors.size();
            macro = std::move(parsed.macro);
            lines = std::move(parsed.actionLines);
        }
        const std::vector<Finding> findings = checkMacro(macro, codePage_);
        size_t errors = textErrors;
        size_t warnings = 0;
        for (const Finding& f : findings) {
            const size_t index = static_cast<size_t>(f.action - 1);
            std::string where = shown(path) + ":";
            if (index < lines.size()) where += std::to_string(lines[index]) + ":";
            const bool error = f.severity == Severity::Error;
            (error ? errors : warnings) += 1;
            output_.out += where + " action " + std::to_string(f.action) + ", " + std::string(f.field) + ": " +
                           (error ? "error: " : "warning: ") + f.message + "\n";
        }
        output_.out += shown(path) + ": " +
                       (errors + warnings == 0 ? std::string("no findings")
                                               : plural(errors, "error") + ", " + plural(warnings, "warning")) +
                       "\n";
        return errors > 0 ? 2 : warnings > 0 ? 1 : 0;
    }

    void reportTextErrors(const std::string& path, const ParsedText& parsed, std::string& to) {
        for (const TextDiagnostic& d : parsed.errors) {
            to += shown(path) + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": error: " +
                           d.message + "\n";
        }
    }

    bool loadMacroFile(const std::string& path, Macro& macro, int32_t& version) {
        std::string bytes;
        return readWhole(path, kMaxMacroFileBytes, bytes) && readMacro(path, bytes, macro, version);
    }

    bool readMacro(const std::string& path, std::string_view bytes, Macro& macro, int32_t& version) {
        if (!looksLikeMacroFile(bytes)) {
            output_.err += shown(path) + ": not a macro file (it does not start with \"MouseAction\")\n";
            return false;
        }
        MemoryInputFile file(bytes);
        ReadDetails details;
        const ReadOutcome outcome = readMacroContent(macro, file, ReadMode::Open, codePage_, &details);
        version = details.version;
        switch (outcome.result) {
            case ReadResult::Loaded:
                return true;
            case ReadResult::FormatNotSupported:
                output_.err += shown(path) + ": not a macro file (it does not start with \"MouseAction\")\n";
                return false;
            case ReadResult::VersionNotSupported:
                output_.err += shown(path) + ": version " + std::to_string(details.version) +
                               " is not supported (1000, 1100, 1101, 1200, 1201, 1202)\n";
                return false;
            case ReadResult::ReadError:
                break;
        }
        output_.err += shown(path) + ": byte " + std::to_string(details.endOffset) + ": the file ends early, " +
                       (details.count < 0 ? std::string("in its header")
                                          : "in record " + std::to_string(details.recordsRead + 1) + " of " +
                                                std::to_string(details.count)) +
                       " (" + plural(bytes.size(), "byte") + " in all)\n";
        return false;
    }

    bool readWhole(const std::string& path, uint64_t limit, std::string& bytes) {
        std::string errorText;
        const std::unique_ptr<InputFile> file = files_.openForReading(path, errorText);
        if (!file) {
            output_.err += shown(path) + ": cannot open: " + errorText + "\n";
            return false;
        }
        if (file->size() > limit) return tooLarge(path, file->size(), limit) == 0;
        bytes.resize(static_cast<size_t>(file->size()));
        size_t done = 0;
        while (done < bytes.size()) {
            const int64_t got = file->read(bytes.data() + done, bytes.size() - done);
            if (got < 0) {
                output_.err += shown(path) + ": byte " + std::to_string(done) + ": read error\n";
                return false;
            }
            if (got == 0) break;
            done += static_cast<size_t>(got);
        }
        bytes.resize(done);
        return true;
    }

    int tooLarge(const std::string& path, uint64_t size, uint64_t limit) {
        output_.err += shown(path) + ": too large (" + plural(size, "byte") + "; at most " + plural(limit, "byte") + ")\n";
        return 2;
    }

    // A path as the messages show it: UTF-8.
    std::string shown(const std::string& path) const {
        if (pathBytes_ == PathBytes::Utf8) return path;
        std::string out;
        forEachCharacter(path, codePage_, [&](const CodePageCharacter& c) { out += c.utf8 ? *c.utf8 : "?"; });
        return out;
    }

    static std::string defaultOutputPath(const std::string& textPath) {
        const size_t slash = textPath.find_last_of("/\\");
        const size_t dot = textPath.rfind('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
        const std::string stem = hasExtension ? textPath.substr(0, dot) : textPath;
        // "m.TPM.txt" builds "m.TPM".
        if (stem.size() > 4 && stem[stem.size() - 4] == '.' && (stem.back() | 0x20) == 'm' &&
            (stem[stem.size() - 2] | 0x20) == 'p' && (stem[stem.size() - 3] | 0x20) == 't')
            return stem;
        return stem + ".TPM";
    }

    FileAccess& files_;
    const CodePageText& codePage_;
    TpmOutput& output_;
    PathBytes pathBytes_;
};

}  // namespace

int runTpm(const std::vector<std::string>& args, FileAccess& files, const CodePageText& codePage, TpmOutput& output,
           PathBytes pathBytes) {
    return Tpm(files, codePage, output, pathBytes).run(args);
}

}  // namespace tappling
