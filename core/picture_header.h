// core/picture_header.h — the header fields of a picture file that size its decoding, checked before any
// loader sees them: a small file must not make a loader set aside gigabytes or work for minutes.
#pragma once

#include <cstdint>
#include <string>

// The picture formats the loaders are given; every other file is refused before decoding.
enum class PictureFormat { none, png, jpeg, gif, bmp };

// The most frames of a GIF and scans of a JPEG: each one costs a pass over the whole picture (a still
// picture needs one frame; a progressive JPEG ten or so scans).
constexpr int kMaxGifFrames = 64;
constexpr int kMaxJpegScans = 64;

// The format of the bytes from their signature; none for anything else.
PictureFormat picture_format(const std::string& bytes);

// The name GDK-Pixbuf gives the format's loader ("png", "jpeg", "gif", "bmp"); "" for none.
const char* loader_name(PictureFormat format);

// True when the bytes are a plain picture of their format whose sides are at most `max_side` pixels:
// for a BMP, one plane, 1 to 32 bits per pixel, no run-length compression, a palette within its depth and
// rows that the file holds; for a GIF, frames within the size and at most kMaxGifFrames; for a JPEG, at
// most kMaxJpegScans scans. False for PictureFormat::none.
bool plain_picture_header(const std::string& bytes, PictureFormat format, uint32_t max_side);
