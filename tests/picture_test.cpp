// tests/picture_test.cpp — the picture cache decodes every file exactly as GDK-Pixbuf's own file opening
// does.
#include "core/picture.h"
#include "test_support.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

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

TEST(Picture, PicturesPastTheSizeCapAreRefusedBeforeTheirPixelsAreAllocated)
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
