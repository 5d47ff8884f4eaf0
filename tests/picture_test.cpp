// tests/picture_test.cpp — the picture cache decodes every file exactly as GDK-Pixbuf's own file opening
// does.
#include "core/picture.h"
#include "core/picture_header.h"
#include "test_support.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

// True when both are null, or both hold the same size, layout and pixels.
static bool same_picture(GdkPixbuf* a, GdkPixbuf* b)
{
    if (!a || !b)
        return a == b;
    const int width = gdk_pixbuf_get_width(a);
    const int height = gdk_pixbuf_get_height(a);
    if (width != gdk_pixbuf_get_width(b) || height != gdk_pixbuf_get_height(b) ||
        gdk_pixbuf_get_n_channels(a) != gdk_pixbuf_get_n_channels(b) ||
        gdk_pixbuf_get_has_alpha(a) != gdk_pixbuf_get_has_alpha(b) ||
        gdk_pixbuf_get_bits_per_sample(a) != gdk_pixbuf_get_bits_per_sample(b))
        return false;
    const size_t row = static_cast<size_t>(width) * gdk_pixbuf_get_n_channels(a);
    for (int y = 0; y < height; y++)
        if (std::memcmp(gdk_pixbuf_get_pixels(a) + y * gdk_pixbuf_get_rowstride(a),
                        gdk_pixbuf_get_pixels(b) + y * gdk_pixbuf_get_rowstride(b), row) != 0)
            return false;
    return true;
}

TEST(Picture, EveryKindOfFileDecodesAsGdkPixbufOpensIt)
{
    // Colour types, bit depths, interlacing, transparency and gamma; then a bitmap under a .png name, a
    // truncated PNG and a text file, which must come out as opening them by name gives (a picture or null).
    static const char* const kFiles[] = {
        "rgba",       "rgb",
        "palette",    "gray",
        "gray_alpha", "deep",
        "interlaced", "transparent_palette",
        "gamma",      "bitmap_named_png",
        "truncated",  "text",
    };
    const std::string fixtures = std::string(CUVELO_TEST_DATA) + "/core/images/";
    ScratchDir dir;
    for (const char* file : kFiles) {
        const std::string bytes = read_file(fixtures + file + ".png");
        // Names of this test's own: the cache lives as long as the process.
        const std::string name = std::string("decode-") + file;
        write_file("images/" + name + ".png", bytes);
        GdkPixbuf* expected = gdk_pixbuf_new_from_file((fixtures + file + ".png").c_str(), nullptr);
        EXPECT_TRUE(same_picture(picture_for(name), expected)) << file;
        if (expected)
            g_object_unref(expected);
    }
    EXPECT_NE(picture_for("decode-interlaced"), nullptr);
    EXPECT_NE(picture_for("decode-bitmap_named_png"), nullptr); // not a PNG, still a picture
    EXPECT_EQ(picture_for("decode-text"), nullptr);
    EXPECT_EQ(picture_for("decode-missing"), nullptr);
}

static void put32(std::string& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xff);
}

static std::string png_chunk(const char* type, const std::string& data)
{
    std::string chunk;
    put32(chunk, static_cast<uint32_t>(data.size()));
    const std::string body = type + data;
    chunk += body;
    put32(chunk, static_cast<uint32_t>(
                     crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
    return chunk;
}

// A black-and-white PNG of the given size: its rows of zeros compressed (a few kB stand for megabytes of
// pixels), or only the header that claims the size and the first two bytes of the pixels.
static std::string png_of(uint32_t width, uint32_t height, bool with_pixels)
{
    std::string header;
    put32(header, width);
    put32(header, height);
    header += std::string("\x01\x00\x00\x00\x00", 5); // 1 bit, grey, no interlace
    std::string bytes = "\x89PNG\r\n\x1a\n" + png_chunk("IHDR", header);
    if (with_pixels) {
        z_stream z = {};
        deflateInit(&z, 9);
        const std::string row(1 + (width + 7) / 8, '\0'); // filter byte, then the bits
        std::string compressed;
        char out[1 << 16];
        for (uint32_t y = 0; y <= height; y++) {
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.data()));
            z.avail_in = y < height ? static_cast<uInt>(row.size()) : 0;
            do {
                z.next_out = reinterpret_cast<Bytef*>(out);
                z.avail_out = sizeof out;
                deflate(&z, y < height ? Z_NO_FLUSH : Z_FINISH);
                compressed.append(out, sizeof out - z.avail_out);
            } while (z.avail_out == 0);
        }
        deflateEnd(&z);
        bytes += png_chunk("IDAT", compressed);
    } else {
        bytes += png_chunk("IDAT", "\x78\x9c"); // the pixels start: the loader prepares room for them
    }
    return bytes + png_chunk("IEND", "");
}

// The process's largest virtual size so far, in kB: a picture's pixels count from their allocation on.
static long peak_kb()
{
    const std::string status = read_file("/proc/self/status");
    const size_t at = status.find("VmPeak:");
    return at == std::string::npos ? 0 : std::atol(status.c_str() + at + 7);
}

static void put_le(std::string& bytes, uint32_t value, int length)
{
    for (int i = 0; i < length; i++)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// The header fields of a BMP; by default a plain 4 × 4 picture of 24 bits per pixel, its pixels (zeros)
// and palette (grey) filling the file.
struct Bmp {
    uint32_t header = 40;
    int32_t width = 4, height = 4;
    uint32_t planes = 1, bits = 24, compression = 0, colours = 0;
    int pixels_at_shift = 0;     // added to where the pixels start
    int missing_pixel_bytes = 0; // cut from the end of the file
};

static std::string bmp_of(const Bmp& b)
{
    const bool masks = b.compression == 3 && b.header == 40;
    // At most 256 entries written, whatever the header claims.
    const uint32_t entries = b.bits <= 8 ? std::min(b.colours ? b.colours : 1u << b.bits, 256u) : 0;
    const uint32_t pixels_at = 14 + b.header + (masks ? 12 : 0) + entries * (b.header == 12 ? 3 : 4);
    const uint32_t rows = static_cast<uint32_t>(b.height < 0 ? -b.height : b.height);
    const uint32_t pixel_bytes = (static_cast<uint32_t>(b.width) * b.bits + 31) / 32 * 4 * rows;
    std::string bytes = "BM";
    put_le(bytes, pixels_at + pixel_bytes, 4);
    put_le(bytes, 0, 4);
    put_le(bytes, pixels_at + b.pixels_at_shift, 4);
    put_le(bytes, b.header, 4);
    if (b.header == 12) {
        put_le(bytes, b.width, 2), put_le(bytes, b.height, 2), put_le(bytes, b.planes, 2);
        put_le(bytes, b.bits, 2);
    } else {
        put_le(bytes, b.width, 4), put_le(bytes, b.height, 4), put_le(bytes, b.planes, 2);
        put_le(bytes, b.bits, 2), put_le(bytes, b.compression, 4), put_le(bytes, pixel_bytes, 4);
        put_le(bytes, 2835, 4), put_le(bytes, 2835, 4), put_le(bytes, b.colours, 4), put_le(bytes, 0, 4);
        bytes.resize(14 + b.header, '\0');
    }
    if (masks) { // 5-6-5 or 8-8-8
        put_le(bytes, b.bits == 16 ? 0xf800 : 0xff0000, 4), put_le(bytes, b.bits == 16 ? 0x07e0 : 0xff00, 4);
        put_le(bytes, b.bits == 16 ? 0x001f : 0xff, 4);
    }
    for (uint32_t i = 0; i < entries; i++)
        bytes += std::string(b.header == 12 ? 3 : 4, static_cast<char>(i * 255 / entries));
    bytes += std::string(pixel_bytes - b.missing_pixel_bytes, '\0');
    return bytes;
}

// A GIF of a width × height picture holding `frames` frames of frame_width × frame_height, each one pixel of
// data (the loader fills the rest).
static std::string gif_of(uint32_t width, uint32_t height, uint32_t frame_width, uint32_t frame_height,
                          int frames)
{
    std::string bytes = "GIF89a";
    put_le(bytes, width, 2), put_le(bytes, height, 2);
    bytes += std::string("\x80\x00\x00", 3) + std::string("\x00\x00\x00\xff\xff\xff", 6); // two colours
    for (int i = 0; i < frames; i++) {
        bytes += '\x2c';
        put_le(bytes, 0, 4), put_le(bytes, frame_width, 2), put_le(bytes, frame_height, 2);
        bytes += std::string("\x00\x02\x02\x4c\x01\x00", 6); // clear, colour 1, end
    }
    return bytes + '\x3b';
}

// The progressive JPEG fixture with its last scan repeated until it holds `scans` scans.
static std::string jpeg_of_scans(int scans)
{
    const std::string jpeg = read_file(std::string(CUVELO_TEST_DATA) + "/core/images/progressive.jpg");
    int held = 0;
    for (size_t at = jpeg.find("\xff\xda"); at != std::string::npos; at = jpeg.find("\xff\xda", at + 2))
        held++;
    const size_t last = jpeg.rfind("\xff\xda");
    const std::string scan = jpeg.substr(last, jpeg.size() - 2 - last);
    std::string bytes = jpeg.substr(0, jpeg.size() - 2);
    for (int i = held; i < scans; i++)
        bytes += scan;
    return bytes + "\xff\xd9";
}

TEST(Picture, PicturesPastTheirBoundsAreRefusedBeforeTheirPixelsAreAllocated)
{
    // A BMP whose second header claims to be 3 GB long, which its loader would set aside first.
    std::string bmp = "BM" + std::string(12, '\0') + "\xc1\xc1\xc1\xc1" + std::string(200, '\xc1');
    bmp[10] = '\x8a';
    // A 12 × 12 BMP whose pixels would start 4 GB into its 164 bytes (found by the picture fuzz target).
    gsize far_size = 0;
    guchar* far =
        g_base64_decode("Qk06AgAAAAAAAIoAAPt8AAAADAAAAAwAAAABABgAAAAAALABAAAAAAAAAAAAAADoFwDoFwDoFwDoPRcA"
                        "6BcA6BcA6BcA6BcA6Bf/////////////////////////////////////////////////////////"
                        "////////////AOgAAP8AAP8AAP8AAP8AAP8AAP8AAP8AAP8AAP8AAP8AAP8AAP8=",
                        &far_size);
    const std::string far_pixels(reinterpret_cast<const char*>(far), far_size);
    g_free(far);
    const struct {
        const char* what;
        std::string bytes;
        bool decoded;
    } cases[] = {
        {"1 × 1", png_of(1, 1, true), true},
        {"1024 × 1024, the cap itself", png_of(1024, 1024, true), true},
        {"1025 × 1", png_of(1025, 1, true), false},
        {"1 × 1025", png_of(1, 1025, true), false},
        {"81 bytes claiming 20000 × 20000", png_of(20000, 20000, false), false},
        {"a small file that unpacks to 20000 × 20000", png_of(20000, 20000, true), false},
        {"a BMP header claiming 3 GB", bmp, false},
        {"a BMP whose pixels start 4 GB in", far_pixels, false},
        // Every BMP header field that sizes the decoding, one at a time from a plain picture.
        {"a plain 24-bit BMP", bmp_of({}), true},
        {"a BMP of 1 bit", bmp_of({40, 4, 4, 1, 1}), true},
        {"a BMP of 4 bits, 16 colours", bmp_of({40, 4, 4, 1, 4, 0, 16}), true},
        {"a BMP of 8 bits, 20 colours", bmp_of({40, 4, 4, 1, 8, 0, 20}), true},
        {"a BMP of 16 bits under masks", bmp_of({40, 4, 4, 1, 16, 3}), true},
        {"a BMP of 32 bits under masks", bmp_of({40, 4, 4, 1, 32, 3}), true},
        {"a BMP with the top row first", bmp_of({40, 4, -4}), true},
        {"an OS/2 BMP of 8 bits", bmp_of({12, 4, 4, 1, 8}), true},
        {"a version 5 BMP", bmp_of({124}), true},
        {"a BMP of 1024 × 1024", bmp_of({40, 1024, 1024, 1, 1}), true},
        {"a BMP of 1025 rows", bmp_of({40, 4, 1025, 1, 1}), false},
        {"a BMP of 1025 rows, top first", bmp_of({40, 4, -1025, 1, 1}), false},
        {"a BMP no pixel wide", bmp_of({40, 0, 4}), false},
        {"a BMP with an unknown header length", bmp_of({20}), false},
        {"a BMP of 2 planes", bmp_of({40, 4, 4, 2}), false},
        {"a BMP of 0 planes", bmp_of({40, 4, 4, 0}), false},
        {"a BMP of 2 bits", bmp_of({40, 4, 4, 1, 2}), false},
        {"a BMP of 64 bits", bmp_of({40, 4, 4, 1, 64}), false},
        {"an OS/2 BMP of 32 bits", bmp_of({12, 4, 4, 1, 32}), false},
        {"a BMP of 8 bits in runs", bmp_of({40, 4, 4, 1, 8, 1}), false},
        {"a BMP of 4 bits in runs", bmp_of({40, 4, 4, 1, 4, 2}), false},
        {"a BMP of 24 bits under masks", bmp_of({40, 4, 4, 1, 24, 3}), false},
        {"a BMP of an unknown compression", bmp_of({40, 4, 4, 1, 24, 4}), false},
        {"a BMP of 4 bits, 17 colours", bmp_of({40, 4, 4, 1, 4, 0, 17}), false},
        {"a BMP of 24 bits, 257 colours", bmp_of({40, 4, 4, 1, 24, 0, 257}), false},
        {"a BMP of 1 bit, 4 billion colours", bmp_of({40, 4, 4, 1, 1, 0, 0xff000000}), false},
        {"a BMP whose pixels start inside its palette", bmp_of({40, 4, 4, 1, 8, 0, 0, -4}), false},
        {"a BMP one pixel byte short", bmp_of({40, 4, 4, 1, 24, 0, 0, 0, 1}), false},
        {"a 184-byte BMP of 45056 planes asking for 4.2 GB",
         read_file(std::string(CUVELO_TEST_DATA) + "/core/images/bmp-header-4gb.bmp"), false},
        // A GIF's frames are sized and counted apart from the picture.
        {"a GIF of one pixel", gif_of(1, 1, 1, 1, 1), true},
        {"a GIF of 1024 × 1024", gif_of(1024, 1024, 1024, 1024, 1), true},
        {"a GIF of 1025 columns", gif_of(1025, 1, 1, 1, 1), false},
        {"a GIF of no pixel", gif_of(0, 0, 1, 1, 1), false},
        {"a GIF of one pixel, its frame 20000 × 20000", gif_of(1, 1, 20000, 20000, 1), false},
        {"a GIF of 64 frames", gif_of(16, 16, 16, 16, kMaxGifFrames), true},
        {"a GIF of 65 frames", gif_of(16, 16, 16, 16, kMaxGifFrames + 1), false},
        // A progressive JPEG is drawn once per scan.
        {"a progressive JPEG", jpeg_of_scans(0), true},
        {"a JPEG of 64 scans", jpeg_of_scans(kMaxJpegScans), true},
        {"a JPEG of 65 scans", jpeg_of_scans(kMaxJpegScans + 1), false},
    };
    ScratchDir dir;
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "size-" + std::to_string(n++);
        write_file("images/" + name + ".png", c.bytes);
        // In a child process, so that its peak size is this decoding's alone.
        const pid_t pid = fork();
        if (pid == 0) {
            const long before = peak_kb();
            GdkPixbuf* picture = picture_for(name);
            const bool bounded = peak_kb() - before < 64 * 1024;
            _exit((picture != nullptr) == c.decoded && bounded ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.what;
    }
}

TEST(Picture, OnlyRegularFilesAreReadAndEachNameOnce)
{
    ScratchDir dir;
    write_file("images/keep", "");
    ASSERT_EQ(mkfifo("images/fifo.png", 0644), 0); // reading it would wait for a writer for ever
    ASSERT_EQ(symlink("/dev/zero", "images/zero.png"), 0);
    ASSERT_EQ(mkdir("images/folder.png", 0755), 0);
    for (const char* name : {"fifo", "zero", "folder"})
        EXPECT_EQ(picture_for(name), nullptr) << name;

    // A broken picture is not decoded again, even once the file is mended.
    const std::string good = png_of(4, 4, true);
    write_file("images/once-broken.png", good.substr(0, good.size() / 2));
    EXPECT_EQ(picture_for("once-broken"), nullptr);
    write_file("images/once-broken.png", good);
    EXPECT_EQ(picture_for("once-broken"), nullptr);
    write_file("images/once-good.png", good);
    EXPECT_NE(picture_for("once-good"), nullptr);
}
