#include "model/MacroFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "model/FileAccess.h"
#include "model/MacroFileFormat.h"

namespace tappling {

namespace {

constexpr char kTruncatedText[] = "ファイルが壊れています（途中で終わっています）。";
constexpr char kIoErrorText[] = "ファイルの読み込み中にエラーが発生しました。";

enum class ReadStatus { Ok, Truncated, IoError };

// Sequential little-endian reads through a 64 KiB buffer (a file call per 4 KiB made
// reading a large file several times slower). Every length taken from the
// file is checked against the bytes that remain before anything is allocated for it.
class ByteReader {
public:
    explicit ByteReader(InputFile& file) : file_(file), remaining_(file.size()), buffer_(kBufferSize) {}

    ReadStatus status() const { return status_; }
    uint64_t remaining() const { return remaining_; }

    bool int32(int32_t& value) {
        uint64_t raw = 0;
        if (!unsignedValue(raw, 4)) return false;
        value = static_cast<int32_t>(static_cast<uint32_t>(raw));
        return true;
    }

    bool string(std::string& out, const CodePage& codePage) {
        uint64_t first = 0;
        if (!unsignedValue(first, 1)) return false;
        if (first < 0xFF) return bytes(out, first);
        uint64_t word = 0;
        if (!unsignedValue(word, 2)) return false;
        if (word == 0xFFFE) return wideString(out, codePage);
        if (word < 0xFFFF) return bytes(out, word);
        uint64_t length = 0;
        if (!longLength(length)) return false;
        return bytes(out, length);
    }

private:
    // After 0xFF 0xFFFF: a 32-bit length, or 0xFFFFFFFF and a 64-bit one.
    bool longLength(uint64_t& length) {
        if (!unsignedValue(length, 4)) return false;
        if (length < 0xFFFFFFFFull) return true;
        if (!unsignedValue(length, 8)) return false;
        if (length > 0x7FFFFFFFull) return fail(ReadStatus::Truncated);
        return true;
    }

    bool wideString(std::string& out, const CodePage& codePage) {
        uint64_t length = 0;
        if (!unsignedValue(length, 1)) return false;
        if (length == 0xFF) {
            if (!unsignedValue(length, 2)) return false;
            if (length == 0xFFFF && !longLength(length)) return false;
        }
        if (length > remaining_ / 2) return fail(ReadStatus::Truncated);
        std::string raw;
        if (!bytes(raw, length * 2)) return false;
        std::u16string text(static_cast<size_t>(length), u'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char16_t>(static_cast<uint8_t>(raw[2 * i]) |
                                            (static_cast<uint8_t>(raw[2 * i + 1]) << 8));
        out = codePage.fromUtf16(text);
        return true;
    }

    bool unsignedValue(uint64_t& value, int width) {
        std::array<char, 8> raw{};
        if (!take(raw.data(), static_cast<size_t>(width))) return false;
        value = 0;
        for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(raw[static_cast<size_t>(i)]);
        return true;
    }

    bool bytes(std::string& out, uint64_t length) {
        if (length > remaining_) return fail(ReadStatus::Truncated);
        out.resize(static_cast<size_t>(length));
        return take(out.data(), out.size());
    }

    bool take(char* out, size_t count) {
        if (status_ != ReadStatus::Ok) return false;
        if (count > remaining_) return fail(ReadStatus::Truncated);
        if (count <= end_ - begin_) {  // the common case: all in the buffer
            std::memcpy(out, buffer_.data() + begin_, count);
            begin_ += count;
            remaining_ -= count;
            return true;
        }
        while (count > 0) {
            if (begin_ == end_ && !refill()) return false;
            const size_t chunk = std::min(count, end_ - begin_);
            std::copy(buffer_.data() + begin_, buffer_.data() + begin_ + chunk, out);
            begin_ += chunk;
            out += chunk;
            count -= chunk;
            remaining_ -= chunk;
        }
        return true;
    }

    bool refill() {
        const int64_t got = file_.read(buffer_.data(), buffer_.size());
        if (got < 0) return fail(ReadStatus::IoError);
        if (got == 0) return fail(ReadStatus::Truncated);  // shorter than its size said
        begin_ = 0;
        end_ = static_cast<size_t>(got);
        return true;
    }

    bool fail(ReadStatus status) {
        if (status_ == ReadStatus::Ok) status_ = status;
        return false;
    }

    InputFile& file_;
    uint64_t remaining_;
    static constexpr size_t kBufferSize = 64 * 1024;
    std::vector<char> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
    ReadStatus status_ = ReadStatus::Ok;
};

ReadOutcome readError(const ByteReader& reader) {
    return {ReadResult::ReadError, reader.status() == ReadStatus::IoError ? kIoErrorText : kTruncatedText};
}

// Reads the items the version stores into a default record.
bool readRecord(ByteReader& in, int32_t version, const CodePage& cp, ActionRecord& r) {
    int32_t type = 0;
    bool ok = in.int32(r.x) && in.int32(r.y) && in.int32(r.reserved2) && in.int32(type) &&
              in.int32(r.preWaitMs) && in.int32(r.postWaitMs) && in.int32(r.repeatCount) &&
              in.string(r.inputText, cp) && in.int32(r.newlineAfterInput) && in.string(r.comment, cp);
    if (ok && recordItemCount(version) >= 13)
        ok = in.string(r.filePath, cp) && in.int32(r.startMaximized) && in.int32(r.firstLoopOnly);
    if (ok && recordItemCount(version) >= 19)
        ok = in.int32(r.conditionColor) && in.int32(r.invertCondition) && in.int32(r.trueJump) &&
             in.int32(r.falseJump) && in.int32(r.searchRangeX) && in.int32(r.searchRangeY);
    if (ok && recordItemCount(version) >= 21) ok = in.int32(r.offsetEnabled) && in.int32(r.offsetRef);
    // Before 1101, ExecuteFile had the code that UpKey took later.
    if (version == 1100 && type == code(ActionType::UpKey)) type = code(ActionType::ExecuteFile);
    r.actionType = static_cast<ActionType>(type);
    return ok;
}

// The last three characters are single-byte "TPM" (a trail byte may look like 'T').
bool endsWithTpm(const std::string& name, const CodePage& codePage) {
    std::array<size_t, 3> starts{};  // start offsets of the last three characters
    size_t seen = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        starts[seen % 3] = i;
        ++seen;
        if (codePage.isLeadByte(static_cast<uint8_t>(name[i])) && i + 1 < name.size()) ++i;
    }
    return seen >= 3 && name.size() >= 3 && starts[(seen - 3) % 3] == name.size() - 3 &&
           name.compare(name.size() - 3, 3, "TPM") == 0;
}

}  // namespace

ActionRecord makeImportMarker(const CodePage& codePage) {
    ActionRecord marker = makeDefaultRecord();
    marker.actionType = ActionType::WaitOnly;
    marker.preWaitMs = 0;
    marker.postWaitMs = 0;
    marker.comment = codePage.fromUtf16(u"■インポート■");
    return marker;
}

ReadOutcome readMacroFile(Macro& macro, const std::string& path, ReadMode mode, FileAccess& files,
                          const CodePage& codePage) {
    if (!macroFileExists(path, files, codePage)) return {ReadResult::FormatNotSupported, {}};
    std::string openError;
    const std::unique_ptr<InputFile> file = files.openForReading(path, openError);
    if (!file) return {ReadResult::ReadError, openError};
    return readMacroContent(macro, *file, mode, codePage);
}

ReadOutcome readMacroContent(Macro& macro, InputFile& file, ReadMode mode, const CodePage& codePage,
                             ReadDetails* details) {
    ByteReader in(file);
    ReadDetails ignored;
    ReadDetails& where = details ? *details : ignored;
    const auto stop = [&](ReadOutcome outcome) {
        where.endOffset = file.size() - in.remaining();
        return outcome;
    };

    std::string tag;
    int32_t version = 0;
    if (!in.string(tag, codePage) || !in.int32(version)) return stop(readError(in));
    where.version = version;
    if (tag != kMacroFileTag) return stop({ReadResult::FormatNotSupported, {}});

    if (mode == ReadMode::Open)
        macro.actions.clear();
    else
        macro.actions.append(makeImportMarker(codePage));
    if (!isSupportedVersion(version)) return stop({ReadResult::VersionNotSupported, {}});

    if (!in.int32(macro.loopEnabled)) return stop(readError(in));
    if (version != 1000 && !(in.int32(macro.loopLimited) && in.int32(macro.loopCount))) return stop(readError(in));
    int32_t count = 0;
    if (!in.int32(count)) return stop(readError(in));
    where.count = count;
    // Records are read one by one, so a count larger than the file holds ends in a read
    // error at the cut, keeping the records read before it. Room is made only for as many
    // records as the remaining bytes can hold.
    if (count > 0) {
        const auto fit = static_cast<int64_t>(in.remaining() / static_cast<uint64_t>(minimumRecordSize(version)));
        macro.actions.reserve(macro.actions.size() + static_cast<int32_t>(std::min<int64_t>(count, fit)));
    }
    for (int32_t i = 0; i < count; ++i) {
        ActionRecord record = makeDefaultRecord();
        if (where.recordStarts) where.recordStarts->push_back(file.size() - in.remaining());
        if (!readRecord(in, version, codePage, record)) return stop(readError(in));
        macro.actions.append(std::move(record));
        where.recordsRead = i + 1;
    }
    return stop({ReadResult::Loaded, {}});
}

ReadOutcome loadMacroFile(Macro& macro, const std::string& path, ReadMode mode, FileAccess& files,
                          const CodePage& codePage) {
    Macro read = macro;  // an import keeps the list and appends to it
    ReadOutcome outcome = readMacroFile(read, path, mode, files, codePage);
    if (outcome.result == ReadResult::Loaded) macro = std::move(read);
    return outcome;
}

WriteOutcome writeMacroFile(const Macro& macro, const std::string& path, FileAccess& files) {
    ByteWriter out;
    out.reserve(64 + static_cast<size_t>(macro.actions.size()) * 96);
    out.string(kMacroFileTag);
    out.int32(kMacroFileVersion);
    out.int32(macro.loopEnabled);
    out.int32(macro.loopLimited);
    out.int32(macro.loopCount);
    out.int32(macro.actions.size());
    for (const ActionRecord& record : macro.actions.records()) out.record(record);
    std::string errorText;
    if (!files.writeAtomically(path, out.bytes(), errorText)) return {false, errorText};
    return {true, {}};
}

bool macroFileExists(const std::string& path, FileAccess& files, const CodePage& codePage) {
    const std::string wanted = toUpperMultibyte(path, codePage);
    const DirectorySearch found = files.search(path);
    for (const std::string& name : found.names) {
        if (name == "." || name == "..") continue;
        if (!endsWithTpm(name, codePage)) continue;
        if (toUpperMultibyte(found.directory + name, codePage) == wanted) return true;
    }
    return false;
}

}  // namespace tappling
