"""Screenshots, and the colour code by which a test-asset picture is recognised on one.

tools/make_test_assets draws the code; the two must stay in step:
blocks of 32 x 32 from picture pixel (16, 16) to the right, each channel 0 or 255; magenta,
green, then four octal digits of action * 128 + frame index (red = 4, green = 2, blue = 1; most
significant first), then a check digit. The blink pictures are action 0 with index 0..2.
"""

from __future__ import annotations

from pathlib import Path

FRAME_CODE_ORIGIN = (16, 16)   # picture pixel of the first block's top-left corner
FRAME_CODE_BLOCK = 32          # block side; blocks sit on the JPEG's 16-pixel grid
FRAME_CODE_MARKERS = ((1, 0, 1), (0, 1, 0))
FRAME_CODE_DIGITS = 4
BOX_CLIENT_ORIGIN = (1, 1)     # the animation box's client area inside the main window


class Screenshot:
    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def from_ppm(cls, data: bytes) -> 'Screenshot':
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maxval; '#' comments allowed
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b'#':
                pos = data.index(b'\n', pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b'P6' or fields[3] != b'255':
            raise ValueError('not an 8-bit binary PPM')
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, data[pos + 1:pos + 1 + width * height * 3])

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f'pixel {x},{y} outside the {self.width}x{self.height} screen')
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def at(self, window, x: int, y: int) -> tuple[int, int, int]:
        """The pixel at (x, y) of a window (anything with x and y)."""
        return self.pixel(window.x + x, window.y + y)

    def save(self, path) -> None:
        Path(path).write_bytes(b'P6\n%d %d\n255\n' % (self.width, self.height) + self.rgb)


def _block_bits(shot: Screenshot, x: int, y: int) -> tuple[int, int, int] | None:
    """Each channel of a block's centre as 0 or 1, or None when it is neither dark nor bright."""
    half = FRAME_CODE_BLOCK // 2
    bits = []
    for channel in range(3):
        values = [shot.pixel(x + half + dx, y + half + dy)[channel]
                  for dx in (-4, 0, 4) for dy in (-4, 0, 4)]
        mean = sum(values) / len(values)
        if 64 <= mean <= 191:
            return None
        bits.append(1 if mean > 191 else 0)
    return tuple(bits)


def frame_code_check(digits) -> int:
    return (1 + sum((i + 1) * d for i, d in enumerate(digits))) % 8


def read_frame_code(shot: Screenshot, window_x: int, window_y: int):
    """Which test picture the animation box of the window at (window_x, window_y) shows:
    (action, frame index), 'blink0'..'blink2', or None (no test picture there)."""
    blocks = []
    for k in range(len(FRAME_CODE_MARKERS) + FRAME_CODE_DIGITS + 1):
        x = window_x + BOX_CLIENT_ORIGIN[0] + FRAME_CODE_ORIGIN[0] + k * FRAME_CODE_BLOCK
        y = window_y + BOX_CLIENT_ORIGIN[1] + FRAME_CODE_ORIGIN[1]
        bits = _block_bits(shot, x, y)
        if bits is None:
            return None
        blocks.append(bits)
    if tuple(blocks[:2]) != FRAME_CODE_MARKERS:
        return None
    *data, check = [b[0] * 4 + b[1] * 2 + b[2] for b in blocks[2:]]
    if check != frame_code_check(data):
        return None
    value = 0
    for d in data:
        value = value * 8 + d
    action, index = divmod(value, 128)
    if action == 0:
        return f'blink{index}' if index <= 2 else None
    return (action, index)
