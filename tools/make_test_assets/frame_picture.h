#pragma once
#include "rgb_image.h"

namespace pawlet::test_assets {

inline constexpr int picture_width = 320;
inline constexpr int picture_height = 480;

// The test picture of frame `index` of `action` (action 0 with index 0..2: the blink pictures).
// A strip of flat blocks at the top-left carries the code that the end-to-end harness reads
// back from screenshots (read_frame_code in tests/harness/pawlet_harness.py):
//   blocks of 32 x 32 from picture pixel (16, 16) to the right, each channel 0 or 255;
//   magenta, green, then four octal digits of action * 128 + index (red = 4, green = 2,
//   blue = 1; most significant first), then the check digit (1 + sum of (k + 1) * digit k) % 8.
// The rest shows the numbers in big digits on a colour of the action, for people.
RgbImage frame_picture(int action, int index);

}  // namespace pawlet::test_assets
