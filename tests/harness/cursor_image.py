"""What the X server shows for a Windows cursor file: the Cursor that x_display.read_cursor()
reports while that cursor is on screen (size, hotspot and the checksum of its pixels)."""

import struct

from x_display import Cursor


def block_payload(block: bytes) -> bytes:
    """The bytes behind an embedded block's header (a 32-bit little-endian 1 and the length)."""
    tag, length = struct.unpack_from('<II', block)
    if tag != 1 or 8 + length != len(block):
        raise ValueError('not an embedded block')
    return block[8:]


def _checksum(argb_pixels) -> int:
    """FNV-1a over the pixels' bytes, least significant first, as tools/xcursor_probe sums them."""
    h = 2166136261
    for p in argb_pixels:
        for shift in (0, 8, 16, 24):
            h = ((h ^ ((p >> shift) & 0xFF)) * 16777619) & 0xFFFFFFFF
    return h


def shown_cursor(cur: bytes) -> Cursor:
    """The first image of a .cur file with a palette (1 to 8 bits) as ARGB: palette colours
    fully opaque, masked pixels 0. serial is left 0: it only tells settings apart."""
    side = cur[6] or 256
    hot_x, hot_y, size, offset = struct.unpack_from('<HHII', cur, 10)
    dib = cur[offset:offset + size]
    bits = struct.unpack_from('<H', dib, 14)[0]
    palette = [struct.unpack_from('<I', dib, 40 + 4 * i)[0] & 0xFFFFFF for i in range(1 << bits)]
    colour_stride, mask_stride = (side * bits + 31) // 32 * 4, (side + 31) // 32 * 4
    pixels_at = 40 + 4 * len(palette)
    mask_at = pixels_at + colour_stride * side
    argb = []
    for y in range(side):
        row = side - 1 - y  # bottom-up
        for x in range(side):
            bit = x * bits
            index = dib[pixels_at + row * colour_stride + bit // 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1)
            clear = dib[mask_at + row * mask_stride + x // 8] >> (7 - x % 8) & 1
            argb.append(0 if clear else 0xFF000000 | palette[index])
    return Cursor(side, side, hot_x, hot_y, 0, _checksum(argb))
