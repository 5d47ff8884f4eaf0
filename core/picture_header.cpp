// core/picture_header.cpp — reads the size, depth, palette, frame and scan fields of PNG, JPEG, GIF and
// BMP headers, so that what a loader would set aside or repeat is known before it runs.
#include "core/picture_header.h"

#include <cstring>

namespace
{

uint32_t big_endian(const std::string& bytes, size_t at, size_t length)
{
    uint32_t value = 0;
    for (size_t i = 0; i < length; i++)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

uint32_t little_endian(const std::string& bytes, size_t at, size_t length)
{
    uint32_t value = 0;
    for (size_t i = length; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

unsigned char byte_at(const std::string& bytes, size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

bool plain_png(const std::string& bytes, uint32_t max_side)
{
    // The first chunk is IHDR: width and height at 16 and 20.
    return bytes.size() >= 24 && big_endian(bytes, 16, 4) <= max_side && big_endian(bytes, 20, 4) <= max_side;
}

// The two header layouts of a BMP: the OS/2 one (12 bytes, 16-bit fields) and the Windows ones.
struct BmpFields {
    int64_t width, height; // height negative: top row first
    uint32_t planes, bits, compression, colours;
};

BmpFields bmp_fields(const std::string& bytes, uint32_t header)
{
    if (header == 12)
        return {little_endian(bytes, 18, 2),
                little_endian(bytes, 20, 2),
                little_endian(bytes, 22, 2),
                little_endian(bytes, 24, 2),
                0,
                0};
    return {static_cast<int32_t>(little_endian(bytes, 18, 4)),
            static_cast<int32_t>(little_endian(bytes, 22, 4)),
            little_endian(bytes, 26, 2),
            little_endian(bytes, 28, 2),
            little_endian(bytes, 30, 4),
            little_endian(bytes, 46, 4)};
}

bool plain_bmp(const std::string& bytes, uint32_t max_side)
{
    const uint64_t size = bytes.size();
    if (size < 18)
        return false;
    // The loader sets aside room for the second header and, for true colour, for everything up to the
    // pixels: only the known header lengths, and pixels within the file.
    const uint32_t header = little_endian(bytes, 14, 4);
    if (!(header == 12 || header == 40 || header == 52 || header == 56 || header == 64 || header == 108 ||
          header == 124) ||
        size < 14 + header)
        return false;
    const BmpFields f = bmp_fields(bytes, header);
    const int64_t rows = f.height < 0 ? -f.height : f.height;
    if (f.width < 1 || f.width > max_side || rows < 1 || rows > max_side || f.planes != 1)
        return false;
    const bool depth_known = f.bits == 1 || f.bits == 4 || f.bits == 8 || f.bits == 24 ||
                             (header != 12 && (f.bits == 16 || f.bits == 32));
    // Plain pixels, or 16- and 32-bit pixels under colour masks; run-length compression is refused.
    const bool bit_fields = f.compression == 3 && (f.bits == 16 || f.bits == 32) && header != 64;
    if (!depth_known || (f.compression != 0 && !bit_fields))
        return false;
    // A palette of at most 2^bits entries (256 at most), which the loader reads before the pixels.
    const uint64_t palette_limit = f.bits <= 8 ? uint64_t(1) << f.bits : 256;
    if (f.colours > palette_limit)
        return false;
    const uint64_t entries = f.bits <= 8 ? (f.colours ? f.colours : palette_limit) : 0;
    const uint64_t masks = bit_fields && header == 40 ? 12 : 0; // the masks follow the shortest header
    const uint64_t pixels_at = little_endian(bytes, 10, 4);
    const uint64_t row_bytes = (static_cast<uint64_t>(f.width) * f.bits + 31) / 32 * 4;
    return pixels_at >= 14 + header + masks + entries * (header == 12 ? 3 : 4) && pixels_at <= size &&
           row_bytes * static_cast<uint64_t>(rows) <= size - pixels_at;
}

// Skips a GIF's data sub-blocks (a length byte, then that many bytes) up to their empty terminator.
size_t after_sub_blocks(const std::string& bytes, size_t at)
{
    while (at < bytes.size()) {
        const size_t length = byte_at(bytes, at);
        at += 1 + length;
        if (length == 0)
            break;
    }
    return at;
}

size_t colour_table_bytes(unsigned char flags)
{
    return flags & 0x80 ? size_t(3) << ((flags & 7) + 1) : 0;
}

bool plain_gif(const std::string& bytes, uint32_t max_side)
{
    if (bytes.size() < 13)
        return false;
    const uint32_t width = little_endian(bytes, 6, 2), height = little_endian(bytes, 8, 2);
    if (width < 1 || width > max_side || height < 1 || height > max_side)
        return false;
    size_t at = 13 + colour_table_bytes(byte_at(bytes, 10));
    int frames = 0;
    // Each frame's descriptor sizes its own index buffer, whatever the picture's size says.
    while (at < bytes.size()) {
        const unsigned char block = byte_at(bytes, at);
        if (block == 0x3b) // the trailer
            break;
        if (block == 0x21) { // an extension: its label, then its sub-blocks
            at = after_sub_blocks(bytes, at + 2);
        } else if (block == 0x2c) { // a frame
            if (at + 10 > bytes.size())
                break;
            if (++frames > kMaxGifFrames || little_endian(bytes, at + 5, 2) > max_side ||
                little_endian(bytes, at + 7, 2) > max_side)
                return false;
            at = after_sub_blocks(bytes, at + 10 + colour_table_bytes(byte_at(bytes, at + 9)) + 1);
        } else {
            return false;
        }
    }
    return true; // a file cut short: the loader decodes what it holds
}

bool is_frame_marker(unsigned char marker)
{
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// The bytes after a scan's header up to the next marker: stuffed 0xFF 0x00 and restart markers belong to it.
size_t after_scan_data(const std::string& bytes, size_t at)
{
    while (at + 1 < bytes.size()) {
        const unsigned char next = byte_at(bytes, at + 1);
        if (byte_at(bytes, at) == 0xff && next != 0 && !(next >= 0xd0 && next <= 0xd7))
            break;
        at++;
    }
    return at;
}

bool plain_jpeg(const std::string& bytes, uint32_t max_side)
{
    // A progressive JPEG is drawn again after each scan: their number bounds the work.
    int scans = 0;
    size_t at = 2;
    while (at + 1 < bytes.size()) {
        if (byte_at(bytes, at) != 0xff)
            return false;
        const unsigned char marker = byte_at(bytes, at + 1);
        at += marker == 0xff ? 1 : 2; // fill bytes before a marker
        if (marker == 0xff || marker == 0xd8 || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7))
            continue;
        if (marker == 0xd9) // end of the picture
            break;
        if (at + 2 > bytes.size())
            break;
        const size_t length = big_endian(bytes, at, 2);
        if (length < 2)
            return false;
        if (is_frame_marker(marker) && at + 7 <= bytes.size() &&
            (big_endian(bytes, at + 3, 2) > max_side || big_endian(bytes, at + 5, 2) > max_side))
            return false;
        at += length;
        if (marker == 0xda) {
            if (++scans > kMaxJpegScans)
                return false;
            at = after_scan_data(bytes, at);
        }
    }
    return true;
}

} // namespace

PictureFormat picture_format(const std::string& bytes)
{
    static const struct {
        const char* signature;
        size_t length;
        PictureFormat format;
    } kSignatures[] = {
        {"\x89PNG\r\n\x1a\n", 8, PictureFormat::png},
        {"\xff\xd8\xff", 3, PictureFormat::jpeg},
        {"GIF8", 4, PictureFormat::gif},
        {"BM", 2, PictureFormat::bmp},
    };
    for (const auto& s : kSignatures)
        if (bytes.size() >= s.length && std::memcmp(bytes.data(), s.signature, s.length) == 0)
            return s.format;
    return PictureFormat::none;
}

const char* loader_name(PictureFormat format)
{
    switch (format) {
    case PictureFormat::png:
        return "png";
    case PictureFormat::jpeg:
        return "jpeg";
    case PictureFormat::gif:
        return "gif";
    case PictureFormat::bmp:
        return "bmp";
    case PictureFormat::none:
        break;
    }
    return "";
}

bool plain_picture_header(const std::string& bytes, PictureFormat format, uint32_t max_side)
{
    switch (format) {
    case PictureFormat::png:
        return plain_png(bytes, max_side);
    case PictureFormat::jpeg:
        return plain_jpeg(bytes, max_side);
    case PictureFormat::gif:
        return plain_gif(bytes, max_side);
    case PictureFormat::bmp:
        return plain_bmp(bytes, max_side);
    case PictureFormat::none:
        break;
    }
    return false;
}
