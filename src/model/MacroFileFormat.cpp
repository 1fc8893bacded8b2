#include "model/MacroFileFormat.h"

namespace tappling {

void ByteWriter::raw(uint64_t value, int width) {
    char encoded[8];
    for (int i = 0; i < width; ++i) encoded[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    bytes_.append(encoded, static_cast<size_t>(width));
}

void ByteWriter::reserve(size_t bytes) { bytes_.reserve(bytes); }

void ByteWriter::int32(int32_t value) { raw(static_cast<uint32_t>(value), 4); }

void ByteWriter::string(std::string_view text) {
    const uint64_t length = text.size();
    if (length < 0xFF) {
        raw(length, 1);
    } else if (length < 0xFFFE) {
        raw(0xFF, 1);
        raw(length, 2);
    } else if (length < 0xFFFFFFFFull) {
        raw(0xFF, 1);
        raw(0xFFFF, 2);
        raw(length, 4);
    } else {
        raw(0xFF, 1);
        raw(0xFFFF, 2);
        raw(0xFFFFFFFFull, 4);
        raw(length, 8);
    }
    bytes_.append(text);
}

void ByteWriter::record(const ActionRecord& r) {
    int32(r.x);
    int32(r.y);
    int32(r.reserved2);
    int32(code(r.actionType));
    int32(r.preWaitMs);
    int32(r.postWaitMs);
    int32(r.repeatCount);
    string(r.inputText);
    int32(r.newlineAfterInput);
    string(r.comment);
    string(r.filePath);
    int32(r.startMaximized);
    int32(r.firstLoopOnly);
    int32(r.conditionColor);
    int32(r.invertCondition);
    int32(r.trueJump);
    int32(r.falseJump);
    int32(r.searchRangeX);
    int32(r.searchRangeY);
    int32(r.offsetEnabled);
    int32(r.offsetRef);
}

bool isSupportedVersion(int32_t version) {
    switch (version) {
        case 1000: case 1100: case 1101: case 1200: case 1201: case 1202: return true;
        default: return false;
    }
}

int recordItemCount(int32_t version) {
    switch (version) {
        case 1000: return 10;
        case 1100: case 1101: return 13;
        case 1200: return 19;
        default: return 21;
    }
}

int64_t minimumRecordSize(int32_t version) {
    // Items 8, 10 and 11 are strings (one length byte at the least), the others int32.
    const int items = recordItemCount(version);
    const int strings = items >= 11 ? 3 : items >= 10 ? 2 : 1;
    return 4 * (items - strings) + strings;
}

}  // namespace tappling
