// Picture files as a room picture comes and as it breaks, each built from one
// whole small BMP, for both backends' LoadPixmap: whatever the real window
// refuses, the in-memory one must refuse too, or a test of a broken picture
// passes there for the wrong reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace bitmaps {

using Bytes = std::vector<unsigned char>;

// Where the fields lie in a BMP with the common 40-byte info header.
constexpr size_t kFileSize = 2, kDataOffset = 10, kInfoSize = 14, kWidth = 18, kHeight = 22, kDepth = 28,
                 kCompression = 30, kImageSize = 34, kColours = 46;
constexpr size_t kHeaderBytes = 54;

inline void Put(Bytes& b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

inline uint32_t Get(const Bytes& b, size_t at) {
    return b[at] | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

// Rows are padded to whole 4-byte words.
inline size_t RowBytes(int32_t width, uint16_t depth) {
    return static_cast<size_t>((static_cast<uint64_t>(width) * depth + 31) / 32 * 4);
}

// A whole uncompressed BMP of width x |height| pixels at `depth` bits each,
// with a full colour table at 8 bits and fewer; a negative height keeps the
// rows top down.
inline Bytes Bmp(int32_t width, int32_t height, uint16_t depth = 24) {
    const size_t table = depth <= 8 ? size_t{4} << depth : 0;
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    const size_t pixels = static_cast<size_t>(RowBytes(width, depth) * rows);
    Bytes b(kHeaderBytes + table + pixels, 0x80);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, kFileSize, static_cast<uint32_t>(b.size()), 4);
    Put(b, 6, 0, 4);
    Put(b, kDataOffset, static_cast<uint32_t>(kHeaderBytes + table), 4);
    Put(b, kInfoSize, 40, 4);
    Put(b, kWidth, static_cast<uint32_t>(width), 4);
    Put(b, kHeight, static_cast<uint32_t>(height), 4);
    Put(b, 26, 1, 2);  // planes
    Put(b, kDepth, depth, 2);
    Put(b, kCompression, 0, 4);
    Put(b, kImageSize, static_cast<uint32_t>(pixels), 4);
    Put(b, 38, 2835, 4);  // 72 dots an inch, both ways
    Put(b, 42, 2835, 4);
    Put(b, kColours, 0, 4);  // 0: the full table
    Put(b, 50, 0, 4);
    return b;
}

// The same file with one header field changed (`bytes` wide).
inline Bytes With(Bytes b, size_t field, uint32_t value, int bytes = 4) {
    Put(b, field, value, bytes);
    return b;
}

// Cut short, or grown by zero bytes after the last row.
inline Bytes Resized(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

// The rows moved `gap` bytes further on, the offset following them.
inline Bytes WithGap(Bytes b, size_t gap) {
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(kHeaderBytes), gap, 0);
    Put(b, kDataOffset, static_cast<uint32_t>(kHeaderBytes + gap), 4);
    return b;
}

// The colour table cut or grown to `colours` entries, the rows following it
// at once.
inline Bytes WithColours(Bytes b, uint32_t colours) {
    const Bytes rows(b.begin() + static_cast<std::ptrdiff_t>(Get(b, kDataOffset)), b.end());
    b.resize(kHeaderBytes + 4 * size_t{colours}, 0);
    b.insert(b.end(), rows.begin(), rows.end());
    Put(b, kDataOffset, static_cast<uint32_t>(kHeaderBytes + 4 * size_t{colours}), 4);
    Put(b, kColours, colours, 4);
    return b;
}

// A longer info header, as newer writers give, the rows moved on after it.
inline Bytes WithInfoSize(Bytes b, uint32_t size) {
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(kHeaderBytes), size - 40, 0);
    Put(b, kInfoSize, size, 4);
    Put(b, kDataOffset, static_cast<uint32_t>(kHeaderBytes + size - 40), 4);
    return b;
}

inline void Write(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// One file and what loading it gives: its size, or nothing (0 x 0). Forms
// that the real window shows but the in-memory backend refuses (compressed
// rows, the 12-byte OS/2 header) are left out: no room picture has them.
struct PictureFile {
    const char* name;
    Bytes bytes;
    int32_t width = 0, height = 0;
    friend void PrintTo(const PictureFile& c, std::ostream* os) { *os << c.name; }
};

inline std::vector<PictureFile> PictureFiles() {
    const Bytes whole = Bmp(5, 3);  // 15 bytes of pixels a row, padded to 16
    const size_t end = whole.size();
    const Bytes eightBit = Bmp(5, 3, 8);
    const auto tableEnd = static_cast<uint32_t>(kHeaderBytes + 4 * 256);
    return {
        // Forms the real window shows.
        {"Whole24Bit", whole, 5, 3},
        {"RoomSized", Bmp(640, 400), 640, 400},
        {"TopDownRows", Bmp(5, -3), 5, 3},
        {"Whole1Bit", Bmp(5, 3, 1), 5, 3},
        {"Whole4Bit", Bmp(5, 3, 4), 5, 3},
        {"Whole8Bit", eightBit, 5, 3},
        {"Whole16Bit", Bmp(5, 3, 16), 5, 3},
        {"Whole32Bit", Bmp(5, 3, 32), 5, 3},
        {"Version4InfoHeader", WithInfoSize(whole, 108), 5, 3},
        {"Version5InfoHeader", WithInfoSize(whole, 124), 5, 3},
        {"AShortColourTable", WithColours(eightBit, 2), 5, 3},
        {"BytesAfterTheLastRow", Resized(whole, end + 7), 5, 3},
        {"AGapBeforeTheRows", WithGap(whole, 6), 5, 3},
        {"PixelOffsetInsideTheHeader", With(whole, kDataOffset, 14), 5, 3},
        {"AWrongFileSizeField", With(whole, kFileSize, 0), 5, 3},
        {"AWrongImageSizeField", With(whole, kImageSize, 99999), 5, 3},
        // Cut short.
        {"CutShortOfTheLastRow", Resized(whole, end - 1)},
        {"RoomSizedCutShort", Resized(Bmp(640, 400), kHeaderBytes + 1000)},
        {"OnlyTheHeader", Resized(whole, kHeaderBytes)},
        {"CutInsideTheHeader", Resized(whole, 30)},
        {"OnlyTheSignature", Resized(whole, 2)},
        {"Empty", {}},
        {"TopDownCutShort", Resized(Bmp(5, -3), end - 1)},
        // Sizes that disagree with the file.
        {"MoreRowsThanTheFileHolds", With(whole, kHeight, 4)},
        {"MoreTopDownRowsThanTheFileHolds", With(whole, kHeight, static_cast<uint32_t>(-4))},
        {"WiderRowsThanTheFileHolds", With(whole, kWidth, 6)},
        {"PixelOffsetInsideTheHeaderCutShort", Resized(With(whole, kDataOffset, 14), end - 1)},
        {"PixelOffsetPastTheEnd", With(whole, kDataOffset, static_cast<uint32_t>(end + 10))},
        {"PixelOffsetLeavesTooFewRows", With(whole, kDataOffset, kHeaderBytes + 4)},
        {"UnknownInfoHeaderSize", With(whole, kInfoSize, 41)},
        {"InfoHeaderSizeZero", With(whole, kInfoSize, 0)},
        {"ZeroByZero", With(With(whole, kWidth, 0), kHeight, 0)},
        {"ZeroWide", With(whole, kWidth, 0)},
        {"ZeroHigh", With(whole, kHeight, 0)},
        {"NegativeWidth", With(whole, kWidth, static_cast<uint32_t>(-5))},
        {"LowestNegativeHeight", With(whole, kHeight, 0x80000000u)},
        {"ClaimsHundredThousandSquare", With(With(whole, kWidth, 100000), kHeight, 100000)},
        // Every row is there, but a damaged header could claim as many: one
        // row more than the 2^25 pixels either backend takes.
        {"OverThePixelCap", Bmp(8192, 4097, 1)},
        // Fields that no decoder reads so.
        {"NotTheBmpSignature", With(whole, 1, 'A', 1)},
        {"NoSuchDepth", With(whole, kDepth, 7, 2)},
        {"DepthOverThirtyTwo", With(whole, kDepth, 48, 2)},
        {"RunLengthCodedDepth24", With(whole, kCompression, 1)},
        {"NoSuchCompression", With(whole, kCompression, 9)},
        {"MoreColoursThan8BitsHold", WithColours(eightBit, 257)},
        // GTK's decoder loses its place unless the rows follow the colour
        // table at once.
        {"PixelOffsetInsideTheColourTable", With(eightBit, kDataOffset, tableEnd - 8)},
        {"AGapAfterTheColourTable", With(Resized(eightBit, eightBit.size() + 8), kDataOffset, tableEnd + 8)},
        {"FewerColoursThanTheTableHolds", With(eightBit, kColours, 2)},
        {"Text", Bytes(2000, 'x')},
    };
}

}  // namespace bitmaps
