#pragma once
#include <cstdint>
#include <span>

#include "base/geometry.h"
#include "base/parsed.h"
#include "base/picture.h"

namespace pawlet {

// Pictures wider or taller than this, or with more pixels than jpeg_max_pixels, are refused
// before any pixel memory is taken, so a lying header cannot make us allocate gigabytes.
inline constexpr int jpeg_max_side = 16384;
inline constexpr std::int64_t jpeg_max_pixels = std::int64_t{1} << 26;

// Why a buffer gave no picture.
enum class JpegFailure {
    empty,           // no bytes at all
    bad_header,      // not a JPEG, or its headers are broken or end before the first scan
    too_large,       // wider, taller or more pixels than the limits above
    too_many_scans,  // a progressive file with more scans than we follow
    bad_data,        // the decoder refused the coded data
    no_memory,       // the pixels could not be allocated
};

const char* failure_name(JpegFailure failure);

// Decodes a whole JPEG held in memory into 32-bit pixels (alpha 0xFF); never exits or throws.
// Data cut short after the first scan header decodes as libjpeg fills it (grey below the cut).
Parsed<Picture, JpegFailure> decode_jpeg(std::span<const std::uint8_t> bytes);

// The same, into a caller's picture whose pixel buffer is reused: it grows only when the new
// picture needs more room and is never zero-filled first. On failure `into` is left empty.
// On success it gives the part of the picture that changed: when `into` held a picture of the
// same size, the smallest rectangle around every pixel that differs from it (empty when none
// does), else the whole picture. Successive frames of an animation mostly differ in a small part.
using JpegDecoded = Parsed<Rect, JpegFailure>;
JpegDecoded decode_jpeg_into(std::span<const std::uint8_t> bytes, Picture& into);

}  // namespace pawlet
