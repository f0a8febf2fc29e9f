#include "frame_picture.h"

#include <array>
#include <cstdint>

namespace pawlet::test_assets {

namespace {

constexpr int code_left = 16;
constexpr int code_top = 16;
constexpr int code_block = 32;
constexpr int code_digits = 4;
constexpr Rgb black{0, 0, 0};

Rgb code_colour(int octal_digit) {
    auto level = [](int bit) { return static_cast<std::uint8_t>(bit ? 255 : 0); };
    return {level(octal_digit & 4), level(octal_digit & 2), level(octal_digit & 1)};
}

void draw_code(RgbImage& image, int action, int index) {
    std::array<int, 2 + code_digits + 1> blocks{5, 2};  // magenta, green
    int value = action * 128 + index;
    int check = 1;
    for (int k = code_digits - 1; k >= 0; --k) {
        blocks[static_cast<std::size_t>(2 + k)] = value % 8;
        value /= 8;
    }
    for (int k = 0; k < code_digits; ++k) check += (k + 1) * blocks[static_cast<std::size_t>(2 + k)];
    blocks.back() = check % 8;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        image.fill_rect(code_left + static_cast<int>(k) * code_block, code_top, code_block, code_block,
                        code_colour(blocks[k]));
    }
}

// Seven segments a..g as bits 0..6.
constexpr std::array<std::uint8_t, 10> digit_segments{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                     0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void draw_digit(RgbImage& image, int left, int top, int digit) {
    constexpr int w = 48, h = 80, t = 10;
    const std::uint8_t s = digit_segments[static_cast<std::size_t>(digit)];
    if (s & 0x01) image.fill_rect(left, top, w, t, black);
    if (s & 0x02) image.fill_rect(left + w - t, top, t, h / 2, black);
    if (s & 0x04) image.fill_rect(left + w - t, top + h / 2, t, h / 2, black);
    if (s & 0x08) image.fill_rect(left, top + h - t, w, t, black);
    if (s & 0x10) image.fill_rect(left, top + h / 2, t, h / 2, black);
    if (s & 0x20) image.fill_rect(left, top, t, h / 2, black);
    if (s & 0x40) image.fill_rect(left, top + (h - t) / 2, w, t, black);
}

void draw_number(RgbImage& image, int left, int top, int value) {
    draw_digit(image, left, top, value / 10 % 10);
    draw_digit(image, left + 64, top, value % 10);
}

// A mid-tone colour per action, far from the code's pure colours.
Rgb action_colour(int action) {
    static constexpr std::array<Rgb, 6> base{{{170, 110, 90}, {100, 160, 100}, {100, 120, 180},
                                              {170, 160, 90}, {150, 100, 160}, {90, 160, 160}}};
    const Rgb c = base[static_cast<std::size_t>(action) % base.size()];
    const auto shade = static_cast<std::uint8_t>(action / 6 * 20);
    return {static_cast<std::uint8_t>(c.r - shade), static_cast<std::uint8_t>(c.g - shade),
            static_cast<std::uint8_t>(c.b - shade)};
}

}  // namespace

RgbImage frame_picture(int action, int index) {
    RgbImage image(picture_width, picture_height, action_colour(action));
    if (action == 0) {  // the blink pictures: grey stripes
        for (int y = 0; y < picture_height; y += 32) image.fill_rect(0, y, picture_width, 16, {96, 96, 96});
    }
    draw_code(image, action, index);
    draw_number(image, 16, 96, action);
    draw_number(image, 16, 208, index);
    return image;
}

}  // namespace pawlet::test_assets
