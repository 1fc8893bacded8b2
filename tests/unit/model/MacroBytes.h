// Hand-built macro file bytes for the reader tests, written independently of the writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tappling::testbytes {

inline std::string le(uint64_t value, int width) {
    std::string out;
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

inline std::string i32(int32_t value) { return le(static_cast<uint32_t>(value), 4); }

// The one-byte prefix below 255, the 16-bit form above (tests keep strings short of 65534).
inline std::string str(const std::string& bytes) {
    if (bytes.size() < 255) return le(bytes.size(), 1) + bytes;
    return "\xFF" + le(bytes.size(), 2) + bytes;
}

inline std::string tag() { return str("MouseAction"); }

// Header of a version: 1000 stores loopEnabled only, the others the three loop values.
inline std::string header(int32_t version, int32_t loopEnabled, int32_t loopLimited, int32_t loopCount, int32_t count) {
    std::string out = tag() + i32(version) + i32(loopEnabled);
    if (version != 1000) out += i32(loopLimited) + i32(loopCount);
    return out + i32(count);
}

// A record's items 1..items (10, 13, 19 or 21) with distinct values derived from seed.
struct RecordValues {
    int32_t x = 11, y = 22, reserved2 = 33, type = 0, pre = 44, post = 55, repeat = 66;
    std::string input = "in";
    int32_t newline = 1;
    std::string comment = "cm";
    std::string file = "C:\\f.txt";
    int32_t maximized = 1, firstOnly = 1, colour = 0x00123456, invert = 1, trueJump = -2, falseJump = 3, rangeX = 7,
            rangeY = 8, offsetEnabled = 1, offsetRef = -1;
};

inline std::string record(const RecordValues& v, int items) {
    std::string out = i32(v.x) + i32(v.y) + i32(v.reserved2) + i32(v.type) + i32(v.pre) + i32(v.post) + i32(v.repeat) +
                      str(v.input) + i32(v.newline) + str(v.comment);
    if (items >= 13) out += str(v.file) + i32(v.maximized) + i32(v.firstOnly);
    if (items >= 19)
        out += i32(v.colour) + i32(v.invert) + i32(v.trueJump) + i32(v.falseJump) + i32(v.rangeX) + i32(v.rangeY);
    if (items >= 21) out += i32(v.offsetEnabled) + i32(v.offsetRef);
    return out;
}

inline int itemsOf(int32_t version) {
    return version == 1000 ? 10 : version <= 1101 ? 13 : version == 1200 ? 19 : 21;
}

}  // namespace tappling::testbytes
