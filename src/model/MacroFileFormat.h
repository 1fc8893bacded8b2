// Byte-level encoding of macro files: little-endian int32 and length-prefixed strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ActionRecord.h"

namespace tappling {

// Appends the encodings to a byte buffer.
class ByteWriter {
public:
    void int32(int32_t value);
    void string(std::string_view bytes);  // ANSI form only
    void record(const ActionRecord& record);
    void reserve(size_t bytes);
    const std::string& bytes() const { return bytes_; }

private:
    void raw(uint64_t value, int width);
    std::string bytes_;
};

// The items of a record each version stores (a prefix of the 21 items of 1202).
int recordItemCount(int32_t version);
bool isSupportedVersion(int32_t version);
// The fewest bytes one record of the version can take (every string empty).
int64_t minimumRecordSize(int32_t version);

}  // namespace tappling
