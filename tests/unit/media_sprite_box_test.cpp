#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "media/sprite_box.h"

namespace pawlet {
namespace {

// Pixels are written as letters so that a composed area reads as a small picture in a failure.
// The surface colour is '.', the background picture 'b', sprite pictures other letters.
constexpr std::uint32_t colour_of(char c) { return 0xFF000000u | static_cast<std::uint8_t>(c); }

Picture picture_of(const std::vector<std::string>& rows) {
    Picture p;
    p.height = static_cast<int>(rows.size());
    p.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row) p.pixels.push_back(colour_of(c));
    return p;
}

Picture filled(int width, int height, char c) {
    return picture_of(std::vector<std::string>(static_cast<std::size_t>(height),
                                               std::string(static_cast<std::size_t>(width), c)));
}

std::string as_text(const std::vector<std::uint32_t>& pixels, int width) {
    std::string text;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i > 0 && i % static_cast<std::size_t>(width) == 0) text += '|';
        text += (pixels[i] & 0xFFFFFF00u) == 0xFF000000u ? static_cast<char>(pixels[i] & 0xFF) : '?';
    }
    return text;
}

std::string compose_all(const SpriteBox& box) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(box.client_width()) * box.client_height());
    box.compose({0, 0, box.client_width(), box.client_height()}, out.data(), box.client_width());
    return as_text(out, box.client_width());
}

std::string describe(const std::vector<Rect>& areas) {
    std::ostringstream s;
    for (const Rect& r : areas) s << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ") ";
    return s.str();
}

// A 5 x 3 client with a 3 x 2 background picture at its origin.
SpriteBox small_box() {
    const Picture background = filled(3, 2, 'b');
    return SpriteBox(5, 3, colour_of('.'), &background);
}

TEST(SpriteBox, SurfaceIsColourThenBackgroundPictureClipped) {
    struct Case {
        const char* name;
        int width, height;
        std::optional<Picture> background;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"no picture", 3, 2, std::nullopt, "...|..."},
        {"smaller picture", 4, 3, filled(2, 2, 'b'), "bb..|bb..|...."},
        {"picture larger than the client", 3, 2, picture_of({"abcd", "efgh", "ijkl"}), "abc|efg"},
        {"wider but shorter picture", 2, 3, picture_of({"abc"}), "ab|..|.."},
        {"empty picture", 2, 1, Picture{}, ".."},
    };
    for (const Case& c : cases) {
        const SpriteBox box(c.width, c.height, colour_of('.'), c.background ? &*c.background : nullptr);
        EXPECT_EQ(compose_all(box), c.expected) << c.name;
    }
}

TEST(SpriteBox, SpritesCoverTheSurfaceInListOrder) {
    struct Placed {
        int left, top;
        bool shown;
        std::optional<Picture> picture;
    };
    struct Case {
        const char* name;
        std::vector<Placed> sprites;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"sprite without a picture shows the background", {{0, 0, true, std::nullopt}}, "bbb..|bbb..|....."},
        {"sprite covers the background", {{1, 1, true, filled(2, 2, 's')}}, "bbb..|bss..|.ss.."},
        {"sprite at the origin as large as the client", {{0, 0, true, filled(5, 3, 's')}}, "sssss|sssss|sssss"},
        {"sprite larger than the client is clipped", {{0, 0, true, picture_of({"123456", "abcdef", "ABCDEF", "xxxxxx"})}},
         "12345|abcde|ABCDE"},
        {"sprite hanging off the top left", {{-1, -1, true, picture_of({"123", "456"})}}, "56b..|bbb..|....."},
        {"sprite hanging off the bottom right", {{4, 2, true, filled(3, 3, 's')}}, "bbb..|bbb..|....s"},
        {"sprite wholly outside", {{5, 0, true, filled(2, 2, 's')}, {0, -4, true, filled(2, 2, 's')}},
         "bbb..|bbb..|....."},
        {"hidden sprite is not drawn", {{0, 0, false, filled(2, 2, 's')}}, "bbb..|bbb..|....."},
        {"later sprite covers the earlier one",
         {{0, 0, true, filled(3, 2, 'p')}, {2, 1, true, filled(2, 2, 'q')}}, "ppp..|ppqq.|..qq."},
        {"blank later sprite lets the earlier one show",
         {{0, 0, true, filled(3, 2, 'p')}, {0, 0, true, std::nullopt}}, "ppp..|ppp..|....."},
    };
    for (const Case& c : cases) {
        SpriteBox box = small_box();
        for (const Placed& s : c.sprites) {
            const int id = box.create_sprite(s.left, s.top, s.shown);
            box.set_sprite_picture(id, s.picture);
        }
        EXPECT_EQ(compose_all(box), c.expected) << c.name;
    }
}

TEST(SpriteBox, ComposesOnlyTheAskedAreaInsideTheClient) {
    SpriteBox box = small_box();
    box.set_sprite_picture(box.create_sprite(2, 0), picture_of({"123", "456", "789"}));
    struct Case {
        const char* name;
        Rect area;
        int stride;
        std::string expected;  // '#' is a pixel that compose must leave alone
    };
    const std::vector<Case> cases = {
        {"inner area", {1, 1, 4, 3}, 3, "b45|.78"},
        {"rows further apart than the area is wide", {2, 0, 4, 2}, 4, "12##|45##"},
        {"area reaching outside the client", {3, 1, 7, 4}, 4, "56##|89##|####"},
        {"area above and left of the client", {-1, -1, 1, 1}, 2, "##|#b"},
        {"area wholly outside", {6, 0, 8, 1}, 2, "##"},
        {"empty area", {2, 2, 2, 3}, 1, "#"},
    };
    for (const Case& c : cases) {
        const int rows = c.area.height() > 0 ? c.area.height() : 1;
        std::vector<std::uint32_t> out(static_cast<std::size_t>(rows) * c.stride, colour_of('#'));
        box.compose(c.area, out.data(), c.stride);
        EXPECT_EQ(as_text(out, c.stride), c.expected) << c.name;
    }
}

TEST(SpriteBox, ChangingAPictureMarksItsOldAndNewAreas) {
    struct Step {
        std::optional<Picture> picture;
        std::vector<Rect> dirty;  // expected from take_dirty_areas() after the step
    };
    struct Case {
        const char* name;
        int left, top;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"first picture marks its area", 1, 1, {{filled(2, 2, 's'), {{1, 1, 3, 3}}}}},
        {"second picture marks old and new areas", 1, 1,
         {{filled(2, 2, 's'), {{1, 1, 3, 3}}}, {filled(3, 1, 't'), {{1, 1, 3, 3}, {1, 1, 4, 2}}}}},
        {"blanking marks the old area only", 0, 0,
         {{filled(2, 2, 's'), {{0, 0, 2, 2}}}, {std::nullopt, {{0, 0, 2, 2}}}}},
        {"blank to blank marks nothing", 0, 0, {{std::nullopt, {}}, {std::nullopt, {}}}},
        {"empty picture counts as none", 0, 0, {{Picture{}, {}}}},
        {"areas are cut to the client", 3, -1, {{filled(4, 2, 's'), {{3, 0, 5, 1}}}}},
        {"area wholly outside marks nothing", 9, 9, {{filled(2, 2, 's'), {}}}},
    };
    for (const Case& c : cases) {
        SpriteBox box = small_box();
        const int id = box.create_sprite(c.left, c.top);
        EXPECT_TRUE(box.take_dirty_areas().empty()) << c.name << ": a new sprite has no area";
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            box.set_sprite_picture(id, c.steps[i].picture);
            EXPECT_EQ(describe(box.take_dirty_areas()), describe(c.steps[i].dirty)) << c.name << ", step " << i;
        }
        EXPECT_TRUE(box.take_dirty_areas().empty()) << c.name << ": taking the areas empties the list";
    }
}

TEST(SpriteBox, TwoPicturesSetBeforeAPaintShowOnlyTheSecond) {
    SpriteBox box = small_box();
    const int id = box.create_sprite(0, 0);
    box.set_sprite_picture(id, filled(5, 3, 'p'));
    box.set_sprite_picture(id, filled(2, 1, 'q'));
    EXPECT_EQ(compose_all(box), "qqb..|bbb..|.....");
}

TEST(SpriteBox, UnknownIdentifierChangesNothing) {
    SpriteBox box = small_box();
    const int id = box.create_sprite(0, 0);
    ASSERT_EQ(id, 1);
    box.set_sprite_picture(id, filled(1, 1, 's'));
    box.take_dirty_areas();
    const std::string before = compose_all(box);
    for (int unknown : {0, 2, -1}) {
        box.set_sprite_picture(unknown, filled(5, 3, 'x'));
        box.set_sprite_picture(unknown, std::nullopt);
        EXPECT_TRUE(box.take_dirty_areas().empty()) << "id " << unknown;
        EXPECT_EQ(compose_all(box), before) << "id " << unknown;
        EXPECT_EQ(box.sprite_count(), 1u);
        EXPECT_EQ(box.sprite_picture(unknown), nullptr);
    }
    ASSERT_NE(box.sprite_picture(id), nullptr);
    EXPECT_EQ(box.sprite_picture(id)->width, 1);
}

TEST(SpriteBox, NoPictureOrAnEmptyOneBlanksTheSprite) {
    SpriteBox box = small_box();
    const int id = box.create_sprite(0, 0);
    struct Case {
        const char* name;
        std::optional<Picture> picture;
        bool has_picture;
    };
    const std::vector<Case> cases = {
        {"picture", filled(4, 2, 's'), true},
        {"no picture blanks the sprite", std::nullopt, false},
        {"picture again", filled(4, 2, 's'), true},
        {"0 x 0 picture blanks the sprite", Picture{}, false},
        {"picture without pixels blanks the sprite", Picture{4, 2, {}}, false},
    };
    for (const Case& c : cases) {
        box.set_sprite_picture(id, c.picture);
        const Picture* p = box.sprite_picture(id);
        EXPECT_EQ(p != nullptr, c.has_picture) << c.name;
        if (p) {
            EXPECT_TRUE(p->width == 4 && p->height == 2) << c.name << ": " << p->width << " x " << p->height;
        } else {
            EXPECT_EQ(compose_all(box), "bbb..|bbb..|.....") << c.name << ": background shows";
        }
    }
}

TEST(SpriteBox, FillingKeepsTheSpritesPixelBuffer) {
    // Each step fills the sprite's own picture as a decoder would: resized, then every pixel set.
    struct Step {
        const char* name;
        int width, height;  // 0 x 0: the fill fails and leaves the picture empty
        char c;
        std::vector<Rect> dirty;
        std::string composed;
        bool same_buffer;  // the pixels stay where the last picture's were
    };
    const std::vector<Step> steps = {
        {"first picture", 4, 2, 's', {{0, 0, 4, 2}}, "ssss.|ssss.|.....", false},
        {"same size again", 4, 2, 't', {{0, 0, 4, 2}, {0, 0, 4, 2}}, "tttt.|tttt.|.....", true},
        {"smaller", 2, 1, 'u', {{0, 0, 4, 2}, {0, 0, 2, 1}}, "uub..|bbb..|.....", true},
        {"failed fill: no picture", 0, 0, 'x', {{0, 0, 2, 1}}, "bbb..|bbb..|.....", false},
        {"a picture after the failure", 4, 2, 'v', {{0, 0, 4, 2}}, "vvvv.|vvvv.|.....", true},
    };
    SpriteBox box = small_box();
    const int id = box.create_sprite(0, 0);
    const std::uint32_t* last = nullptr;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        box.fill_sprite_picture(id, [&step](Picture& into) {
            into.width = step.width;
            into.height = step.height;
            into.pixels.resize(static_cast<std::size_t>(step.width) * step.height);
            std::fill(into.pixels.begin(), into.pixels.end(), colour_of(step.c));
        });
        EXPECT_EQ(describe(box.take_dirty_areas()), describe(step.dirty));
        EXPECT_EQ(compose_all(box), step.composed);
        const Picture* p = box.sprite_picture(id);
        ASSERT_EQ(p != nullptr, step.width > 0);
        if (!p) continue;
        if (step.same_buffer) {
            EXPECT_EQ(p->pixels.data(), last) << "the buffer was replaced";
        }
        last = p->pixels.data();
    }
    box.fill_sprite_picture(id + 1, [](Picture&) { ADD_FAILURE() << "filled a sprite that does not exist"; });
    EXPECT_TRUE(box.take_dirty_areas().empty());
}

// A fill that says which part it changed has only that part marked, at the sprite's position and
// cut to the client, as long as the picture keeps its size; otherwise old and new areas are.
TEST(SpriteBox, FillReportingItsChangedPartMarksOnlyThatPart) {
    struct Step {
        const char* name;
        int width, height;            // 0 x 0: the fill fails and leaves the picture empty
        std::optional<Rect> changed;  // what the fill reports, in picture coordinates
        std::vector<Rect> dirty;
    };
    // The sprite sits at (2, 1) of the 5 x 3 client, so a 4 x 2 picture's last column is cut off.
    const std::vector<Step> steps = {
        {"first picture: its whole area", 4, 2, Rect{0, 0, 4, 2}, {{2, 1, 5, 3}}},
        {"one pixel changed", 4, 2, Rect{1, 0, 2, 1}, {{3, 1, 4, 2}}},
        {"nothing changed", 4, 2, Rect{}, {}},
        {"a change partly outside the client", 4, 2, Rect{2, 1, 4, 2}, {{4, 2, 5, 3}}},
        {"a change wholly outside the client", 4, 2, Rect{3, 0, 4, 2}, {}},
        {"no report: old and new areas", 4, 2, std::nullopt, {{2, 1, 5, 3}, {2, 1, 5, 3}}},
        {"another size: old and new areas", 2, 1, Rect{0, 0, 1, 1}, {{2, 1, 5, 3}, {2, 1, 4, 2}}},
        {"failed fill: the old area", 0, 0, Rect{}, {{2, 1, 4, 2}}},
        {"a picture after the failure: all of it", 2, 1, Rect{0, 0, 1, 1}, {{2, 1, 4, 2}}},
    };
    SpriteBox box = small_box();
    const int id = box.create_sprite(2, 1);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        box.fill_sprite_picture(id, [&step](Picture& into) {
            into.width = step.width;
            into.height = step.height;
            into.pixels.assign(static_cast<std::size_t>(step.width) * step.height, colour_of('s'));
            return step.changed;
        });
        EXPECT_EQ(describe(box.take_dirty_areas()), describe(step.dirty));
    }
}

TEST(SpriteBox, IdentifiersCountFromOneInEachBox) {
    SpriteBox first = small_box();
    EXPECT_EQ(first.create_sprite(0, 0), 1);
    EXPECT_EQ(first.create_sprite(0, 0, false), 2);
    EXPECT_EQ(first.create_sprite(3, 3), 3);
    EXPECT_EQ(first.sprite_count(), 3u);
    SpriteBox second = small_box();
    EXPECT_EQ(second.create_sprite(0, 0), 1);
}

}  // namespace
}  // namespace pawlet
