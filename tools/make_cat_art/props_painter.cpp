#include "props_painter.h"

#include <algorithm>
#include <cmath>

#include "cairo_handles.h"
#include "hand_painter.h"
#include "paint_kit.h"

namespace pawlet::art {
namespace {

namespace pal = palette;
constexpr double pi = 3.141592653589793;

constexpr Color gold{0.98, 0.80, 0.30};
constexpr Color milk{0.99, 0.99, 0.97};
constexpr Color cloud{0.70, 0.74, 0.36};
constexpr Color water{0.62, 0.84, 1.0};
constexpr Color cream_white{1.0, 0.98, 0.93};

double frac(double v) { return v - std::floor(v); }

void star_path(cairo_t* cr, Point c, double outer, double inner, double turn) {
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double a = turn - pi / 2 + i * pi / 5;
        if (i == 0) cairo_move_to(cr, c.x + r * std::cos(a), c.y + r * std::sin(a));
        else cairo_line_to(cr, c.x + r * std::cos(a), c.y + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void heart_path(cairo_t* cr, Point c, double size) {
    cairo_move_to(cr, c.x, c.y + size * 0.9);
    cairo_curve_to(cr, c.x - size * 1.4, c.y, c.x - size * 0.8, c.y - size * 1.0, c.x, c.y - size * 0.35);
    cairo_curve_to(cr, c.x + size * 0.8, c.y - size * 1.0, c.x + size * 1.4, c.y, c.x, c.y + size * 0.9);
    cairo_close_path(cr);
}

void drop_path(cairo_t* cr, Point c, double size) {
    cairo_move_to(cr, c.x, c.y - size * 1.6);
    cairo_curve_to(cr, c.x + size * 0.4, c.y - size * 0.6, c.x + size, c.y - size * 0.2, c.x + size, c.y + size * 0.3);
    cairo_arc(cr, c.x, c.y + size * 0.3, size, 0, pi);
    cairo_curve_to(cr, c.x - size, c.y - size * 0.2, c.x - size * 0.4, c.y - size * 0.6, c.x, c.y - size * 1.6);
    cairo_close_path(cr);
}

void stroke_line(cairo_t* cr, Point a, Point b, double width, Color c, double alpha = 1) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    set_color(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// Fills the current path, outlined and ringed with white, so a small sign reads over any
// part of the alley.
void fill_with_halo(cairo_t* cr, Color fill, double alpha) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_color(cr, pal::white, alpha);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    set_color(cr, pal::outline, alpha);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    set_color(cr, fill, alpha);
    cairo_fill(cr);
}

// A stroke with the same dark edge and white ring.
void stroke_with_halo(cairo_t* cr, Color c, double width, double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_color(cr, pal::white, alpha);
    cairo_set_line_width(cr, width + 7);
    cairo_stroke_preserve(cr);
    set_color(cr, pal::outline, alpha);
    cairo_set_line_width(cr, width + 3);
    cairo_stroke_preserve(cr);
    set_color(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// Three claw lines per mark, torn into the glass in front of the cat.
void paint_scratch_marks(cairo_t* cr, const Props& p) {
    struct Mark {
        Point top, bottom;
    };
    constexpr Mark marks[] = {{{88, 140}, {112, 270}}, {{196, 136}, {222, 262}},
                              {{114, 178}, {142, 312}}, {{172, 182}, {198, 316}}};
    for (int k = 0; k < 4; ++k) {
        const double drawn = std::clamp(p.scratch_marks - k, 0.0, 1.0);
        if (drawn <= 0) continue;
        for (int line = 0; line < 3; ++line) {
            const double off = (line - 1) * 10.0;
            const Point a{marks[k].top.x + off, marks[k].top.y + std::abs(off) * 0.4};
            const Point full{marks[k].bottom.x + off, marks[k].bottom.y - std::abs(off) * 0.6};
            const Point b = lerp(a, full, drawn);
            const double wiped = std::clamp(p.scratch_wipe * 1.6 - k * 0.2, 0.0, 1.0);
            if (wiped >= 1) continue;
            const Point top = lerp(a, b, wiped);
            stroke_line(cr, top, b, 6, {0.15, 0.12, 0.12}, 0.55);
            stroke_line(cr, top, b, 2.5, {0.96, 0.97, 1.0}, 0.95);
        }
    }
}

void paint_hearts(cairo_t* cr, const Props& p) {
    // They rise beside the head over the darker wall on the right, clear of the lamp and the
    // washing line.
    constexpr Point starts[] = {{262, 300}, {286, 290}, {250, 285}};
    for (int k = 0; k < 3; ++k) {
        const double rise = frac(p.hearts_rise + k * 0.33);
        const Point c{starts[k].x + 8 * std::sin(rise * 2 * pi), starts[k].y - 110 * rise};
        heart_path(cr, c, (12 + 3 * k) * (0.6 + 0.4 * std::min(1.0, rise * 4)));
        fill_with_halo(cr, {0.95, 0.25, 0.40}, p.hearts * (1 - rise * rise));
    }
}

void paint_sound_waves(cairo_t* cr, const Props& p) {
    // Arcs coming in from the right to the cupped ear, below the lamp.
    constexpr Point ear{268, 168};
    for (int k = 0; k < 3; ++k) {
        const double f = frac(p.waves_phase + k / 3.0);
        const double r = 22 + 36 * (1 - f);
        cairo_new_sub_path(cr);
        cairo_arc(cr, ear.x, ear.y, r, -0.25, 0.9);
        stroke_with_halo(cr, {0.30, 0.16, 0.30}, 3.5, p.sound_waves * std::min(1.0, 2.5 * std::sin(f * pi)));
    }
}

void paint_spray(cairo_t* cr, const Props& p) {
    // Droplets burst from the nose in a fan that opens downwards and towards the viewer, growing
    // as they come closer, and leave the eyes clear.
    const Point nose = p.spray_from;
    for (int k = 0; k < 14; ++k) {
        const double a = pi * (0.12 + 0.76 * k / 13.0) + 0.08 * std::sin(k * 7.1);
        const double dist = 5 + 130 * p.spray * (0.55 + 0.45 * std::fabs(std::sin(k * 2.3 + 1)));
        const Point c{nose.x + dist * std::cos(a), nose.y + dist * 0.75 * std::sin(a)};
        const double r = (2.5 + 6 * p.spray) * p.spray_alpha;  // dwindles instead of fading out
        ellipse_path(cr, c.x, c.y, r, r);
        set_color(cr, water);
        cairo_fill_preserve(cr);
        set_color(cr, {0.2, 0.35, 0.55});
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    for (int k = 0; k < 5 && p.spray < 0.6; ++k) {  // burst lines out of the nose
        const double a = pi * (0.2 + 0.15 * k);
        const double r0 = 16 + 30 * p.spray, r1 = r0 + 20;
        stroke_line(cr, {nose.x + r0 * std::cos(a), nose.y + r0 * 0.75 * std::sin(a)},
                    {nose.x + r1 * std::cos(a), nose.y + r1 * 0.75 * std::sin(a)}, 3, pal::outline);
    }
}

void paint_fart_cloud(cairo_t* cr, const Props& p) {
    constexpr double puffs[][3] = {{0, 0, 26}, {-24, 8, 18}, {22, 10, 20}, {-10, -20, 20}, {16, -18, 18}, {4, 18, 16}};
    const double s = p.fart_size;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& f : puffs) {
            ellipse_path(cr, p.fart_at.x + f[0] * s, p.fart_at.y + f[1] * s, f[2] * s + (pass == 0 ? 2 : 0),
                         f[2] * s * 0.85 + (pass == 0 ? 2 : 0));
            set_color(cr, pass == 0 ? Color{0.36, 0.38, 0.12} : cloud, p.fart_cloud * (pass == 0 ? 0.7 : 0.85));
            cairo_fill(cr);
        }
    }
    // Stink lines curling up.
    cairo_set_line_width(cr, 2.5);
    set_color(cr, {0.42, 0.48, 0.16}, p.fart_cloud);
    for (int k = -1; k <= 1; ++k) {
        const double x = p.fart_at.x + k * 18 * s;
        const double y = p.fart_at.y - 34 * s;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x - 8, y - 8, x + 8, y - 14, x, y - 24);
        cairo_stroke(cr);
    }
}

// A cream pie in its tin; `full` false leaves the tin with a smear of cream.
void pie_disc(cairo_t* cr, Point c, double r, double alpha, bool full = true) {
    ellipse_path(cr, c.x, c.y, r, r);
    set_color(cr, {0.72, 0.74, 0.78}, alpha);  // tin
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, alpha);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    ellipse_path(cr, c.x, c.y, r * 0.86, r * 0.86);
    set_color(cr, {0.86, 0.62, 0.32}, alpha);  // crust
    cairo_fill(cr);
    if (!full) {
        for (int k = 0; k < 3; ++k) {
            ellipse_path(cr, c.x + r * 0.3 * (k - 1), c.y + r * 0.25 * (k % 2), r * 0.18, r * 0.12);
            set_color(cr, cream_white, alpha);
            cairo_fill(cr);
        }
        return;
    }
    for (int k = 0; k < 9; ++k) {  // cream swirl
        const double a = k * 2 * pi / 9;
        ellipse_path(cr, c.x + r * 0.45 * std::cos(a), c.y + r * 0.45 * std::sin(a), r * 0.28, r * 0.28);
        set_color(cr, cream_white, alpha);
        cairo_fill(cr);
    }
    ellipse_path(cr, c.x, c.y, r * 0.4, r * 0.4);
    cairo_fill(cr);
    ellipse_path(cr, c.x, c.y - r * 0.05, r * 0.12, r * 0.12);
    set_color(cr, {0.85, 0.1, 0.2}, alpha);  // a cherry
    cairo_fill(cr);
}

void paint_pie(cairo_t* cr, const Props& p) {
    constexpr Point face{163, 178};
    if (p.pie_slide >= 0) {  // the empty tin drops off the face, tips over and falls out of the picture
        const double s = p.pie_slide;
        const Point c{face.x - 14 * s, face.y + 360 * s * s};
        SavedState keep(cr);
        rotate_around(cr, c, 0.7 * s);
        cairo_translate(cr, c.x, c.y);
        cairo_scale(cr, 1, 1 - 0.55 * s);
        pie_disc(cr, {0, 0}, 62, 1, false);
        return;
    }
    if (p.pie <= 0) return;
    // Thrown in from outside the picture on the right, on an arc, turning as it flies.
    const double t = p.pie;
    const Point from{390, 300}, over{300, 96};
    const Point c = lerp(lerp(from, over, t), lerp(over, face, t), t);
    SavedState keep(cr);
    rotate_around(cr, c, -2.5 * (1 - t));
    pie_disc(cr, c, 40 + 22 * t * t, 1);
}

void paint_flowerpot(cairo_t* cr, const Props& p) {
    double x = 168, y = 70, turn = 0;
    // Its base lands on the top of the head, then it bounces off to the left out of the picture.
    constexpr double on_head = 88;
    if (p.flowerpot <= 1) {
        y = -60 + (on_head + 60) * p.flowerpot * p.flowerpot;
    } else {
        const double b = std::min(p.flowerpot - 1, 1.0);
        x = 168 - 260 * b;
        y = on_head - 110 * std::sin(pi * b * 0.75) + 170 * b * b;
        turn = -3.5 * b;
    }
    SavedState keep(cr);
    rotate_around(cr, {x, y}, turn);
    for (double a : {-0.5, 0.0, 0.5}) {  // leaves
        ellipse_path(cr, x + 14 * std::sin(a), y - 28 - 4 * std::cos(a), 7, 14);
        fill_and_outline(cr, {0.36, 0.68, 0.30}, 2);
    }
    cairo_move_to(cr, x - 22, y - 22);
    cairo_line_to(cr, x + 22, y - 22);
    cairo_line_to(cr, x + 16, y + 16);
    cairo_line_to(cr, x - 16, y + 16);
    cairo_close_path(cr);
    fill_and_outline(cr, {0.80, 0.42, 0.24}, 2.5);
    cairo_rectangle(cr, x - 25, y - 26, 50, 10);
    fill_and_outline(cr, {0.86, 0.48, 0.28}, 2.5);
}

void paint_sparkles(cairo_t* cr, const Props& p) {
    // Round the cat over the walls, away from the lamp.
    constexpr Point at[] = {{54, 150}, {74, 262}, {262, 262}, {272, 196}};
    for (int k = 0; k < 4; ++k) {
        const double tw = 0.5 + 0.5 * std::sin(p.sparkle_phase + k * 1.7);
        star_path(cr, at[k], (10 + 6 * tw) * p.sparkles, (4 + 1.5 * tw) * p.sparkles, 0.2 * k);
        fill_with_halo(cr, {1.0, 0.90, 0.30}, 1);
    }
}

// A speech bubble beside the head, tail towards the mouth, holding one wavy line a word.
void paint_speech(cairo_t* cr, const Props& p) {
    constexpr Point c{266, 258}, mouth{196, 222};
    SavedState keep(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_scale(cr, p.speech, p.speech);
    cairo_translate(cr, -c.x, -c.y);
    cairo_move_to(cr, mouth.x + 14, mouth.y + 8);
    cairo_line_to(cr, c.x - 30, c.y - 14);
    cairo_line_to(cr, c.x - 22, c.y + 2);
    cairo_close_path(cr);
    ellipse_path(cr, c.x, c.y, 44, 28);
    fill_with_halo(cr, pal::white, 1);
    for (int w = 0; w < std::min(p.speech_words, 3); ++w) {
        const double y = c.y - 12 + 12 * w, x0 = c.x - 26 + 4 * (w % 2);
        cairo_move_to(cr, x0, y);
        for (int i = 1; i <= 8; ++i) cairo_line_to(cr, x0 + 6 * i, y + ((i % 2) ? -3.5 : 3.5));
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
}

void paint_cymbal(cairo_t* cr, Point c, double angle, double alpha) {
    SavedState keep(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, angle);
    ellipse_path(cr, 0, 0, 40, 15);
    cairo_pattern_t* shine = cairo_pattern_create_linear(-40, 0, 40, 0);
    cairo_pattern_add_color_stop_rgba(shine, 0, 0.85, 0.62, 0.18, alpha);
    cairo_pattern_add_color_stop_rgba(shine, 0.45, 1.0, 0.93, 0.55, alpha);
    cairo_pattern_add_color_stop_rgba(shine, 1, 0.85, 0.62, 0.18, alpha);
    cairo_set_source(cr, shine);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shine);
    set_color(cr, pal::outline, alpha);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    ellipse_path(cr, 0, 0, 9, 5);
    set_color(cr, gold, alpha);
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, alpha);
    cairo_stroke(cr);
}

void paint_carton(cairo_t* cr, Point held_at, const Props& p) {
    SavedState keep(cr);
    const Point paw{held_at.x + p.carton_offset.x, held_at.y + p.carton_offset.y};
    rotate_around(cr, paw, p.carton_tilt + p.carton_spin);
    const double x = paw.x - 14, y = paw.y - 52;
    cairo_rectangle(cr, x, y, 28, 50);
    set_color(cr, milk, p.carton);
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, p.carton);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_rectangle(cr, x, y + 18, 28, 14);
    set_color(cr, {0.30, 0.55, 0.90}, p.carton);
    cairo_fill(cr);
    cairo_move_to(cr, x, y);  // gable top
    cairo_line_to(cr, x + 14, y - 14);
    cairo_line_to(cr, x + 28, y);
    cairo_close_path(cr);
    set_color(cr, milk, p.carton);
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, p.carton);
    cairo_stroke(cr);
}

Point carton_spout(Point paw, double tilt) {
    // The gable's left corner, turned with the carton.
    const double dx = -14, dy = -52;
    return {paw.x + dx * std::cos(tilt) - dy * std::sin(tilt), paw.y + dx * std::sin(tilt) + dy * std::cos(tilt)};
}

Point bowl_centre(const Pose& pose, const Props& p) {
    const Point one{pose.paw[0].x + 18, pose.paw[0].y - 10};
    const Point both{(pose.paw[0].x + pose.paw[1].x) / 2, (pose.paw[0].y + pose.paw[1].y) / 2 - 6};
    const Point held = lerp(one, both, p.bowl_both);
    return {held.x + p.bowl_offset.x, held.y + p.bowl_offset.y};
}

void paint_bowl(cairo_t* cr, Point c, const Props& p) {
    const double a = p.bowl, r = 36;
    SavedState keep(cr);
    rotate_around(cr, c, p.bowl_spin);
    cairo_move_to(cr, c.x - r, c.y);
    cairo_curve_to(cr, c.x - r, c.y + 30, c.x + r, c.y + 30, c.x + r, c.y);
    cairo_close_path(cr);
    set_color(cr, {0.36, 0.62, 0.86}, a);
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, a);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    ellipse_path(cr, c.x, c.y, r, 8);
    set_color(cr, {0.26, 0.46, 0.70}, a);
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, a);
    cairo_stroke(cr);
    if (p.bowl_milk > 0.01) {
        ellipse_path(cr, c.x, c.y + 1, (r - 4) * std::sqrt(p.bowl_milk), 6 * std::sqrt(p.bowl_milk));
        set_color(cr, milk, a);
        cairo_fill(cr);
    }
    for (double x : {-16.0, 0.0, 16.0}) {  // a paw print on the side
        ellipse_path(cr, c.x + x * 0.5, c.y + 15 + std::abs(x) * 0.05, 2.5, 2.5);
        set_color(cr, milk, 0.8 * a);
        cairo_fill(cr);
    }
}

void paint_fish(cairo_t* cr, Point held_at, const Props& p) {
    const Point c{held_at.x + p.fish_offset.x, held_at.y + p.fish_offset.y};
    const double a = p.fish, left = c.x - 40, eaten_to = left + 62 * p.fish_eaten;
    SavedState turned(cr);
    rotate_around(cr, c, p.fish_spin);
    // Skeleton where the fish has been eaten.
    set_color(cr, {0.95, 0.93, 0.88}, a);
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, left + 6, c.y);
    cairo_line_to(cr, c.x + 24, c.y);
    cairo_stroke(cr);
    for (double x = left + 12; x < c.x + 22; x += 7) {
        cairo_move_to(cr, x, c.y - 8);
        cairo_line_to(cr, x + 2, c.y + 8);
        cairo_stroke(cr);
    }
    // Tail fin.
    cairo_move_to(cr, left + 8, c.y);
    cairo_line_to(cr, left - 6, c.y - 12);
    cairo_line_to(cr, left - 6, c.y + 12);
    cairo_close_path(cr);
    set_color(cr, {0.46, 0.62, 0.80}, a);
    cairo_fill_preserve(cr);
    set_color(cr, pal::outline, a);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    {
        SavedState keep(cr);
        cairo_rectangle(cr, eaten_to, c.y - 30, 200, 60);
        cairo_clip(cr);
        ellipse_path(cr, c.x - 4, c.y, 34, 13);
        set_color(cr, {0.55, 0.72, 0.88}, a);
        cairo_fill_preserve(cr);
        set_color(cr, pal::outline, a);
        cairo_stroke(cr);
        for (double x = c.x - 26; x < c.x + 16; x += 9) {  // scales
            cairo_arc(cr, x, c.y, 5, -1.2, 1.2);
            set_color(cr, {0.40, 0.55, 0.75}, a);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
    // Head with its eye, eaten last.
    if (p.fish_eaten < 0.999) {
        ellipse_path(cr, c.x + 22, c.y - 3, 2.5, 2.5);
        set_color(cr, pal::outline, a);
        cairo_fill(cr);
    }
    if (p.crumbs > 0) {  // flakes of fish dropping from the bite, outlined to show on the chest
        for (int k = 0; k < 4; ++k) {
            const double x = eaten_to + 6 * (k - 1.5), y = c.y + 14 + p.crumbs_fall * (50 + 16 * (k % 3));
            ellipse_path(cr, x, y, 4.5, 3.5);
            set_color(cr, {0.55, 0.72, 0.88}, p.crumbs);
            cairo_fill_preserve(cr);
            set_color(cr, pal::outline, p.crumbs);
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
    }
}

}  // namespace

void paint_props_behind(cairo_t* cr, const Props& p) {
    if (p.flowerpot >= 0 && p.flowerpot <= 1) paint_flowerpot(cr, p);
}

void paint_held_props(cairo_t* cr, const Pose& pose, const Props& p) {
    if (p.cymbals > 0) {
        const double away = 170 * p.cymbal_slide;
        paint_cymbal(cr, {pose.paw[0].x + 14 - away, pose.paw[0].y}, 1.25 + 2 * p.cymbal_slide, p.cymbals);
        paint_cymbal(cr, {pose.paw[1].x - 14 + away, pose.paw[1].y}, -1.25 - 2 * p.cymbal_slide, p.cymbals);
    }
    if (p.bowl > 0) paint_bowl(cr, bowl_centre(pose, p), p);
    if (p.pour > 0) {
        const Point spout = carton_spout(pose.paw[1], p.carton_tilt);  // only while held still
        const Point into = bowl_centre(pose, p);
        cairo_move_to(cr, spout.x, spout.y);
        cairo_curve_to(cr, spout.x - 10, spout.y + 10, into.x + 6, into.y - 30, into.x + 4, into.y);
        set_color(cr, milk, p.pour);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 6);
        cairo_stroke(cr);
    }
    if (p.carton > 0) paint_carton(cr, pose.paw[1], p);
    if (p.fish > 0) paint_fish(cr, lerp(pose.paw[0], pose.paw[1], 0.5), p);
}

void paint_head_props(cairo_t* cr, const Props& p) {
    if (p.cream > 0) {  // slides down off the face as it thins: smaller blobs, lower
        constexpr double blobs[][3] = {{163, 170, 34}, {130, 150, 26}, {196, 150, 26}, {140, 200, 24},
                                       {186, 200, 24}, {118, 182, 18}, {210, 180, 18}};
        const double size = p.cream, drop = 40 * (1 - p.cream);
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& b : blobs) {
                const double r = b[2] * size;
                ellipse_path(cr, b[0], b[1] + drop + (b[1] - 170) * (1 - size), r + (pass == 0 ? 2.5 : 0),
                             r * 0.9 + (pass == 0 ? 2.5 : 0));
                set_color(cr, pass == 0 ? Color{0.78, 0.74, 0.66} : cream_white);
                cairo_fill(cr);
            }
        }
        for (double x : {132.0, 170.0, 198.0}) {  // drips
            const double top = 205 + drop, end = 222 + (x - 132) * 0.2 + drop + 30 * (1 - size);
            cairo_move_to(cr, x - 5 * size, top);
            cairo_line_to(cr, x - 4 * size, end);
            cairo_arc_negative(cr, x, end, 4 * size, pi, 0);
            cairo_line_to(cr, x + 5 * size, top);
            set_color(cr, cream_white);
            cairo_fill(cr);
        }
    }
    if (p.sweat > 0) {
        drop_path(cr, {236, 128 + 10 * p.sweat}, 6);
        set_color(cr, water, p.sweat);
        cairo_fill_preserve(cr);
        set_color(cr, pal::outline, p.sweat);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    }
    if (p.tear > 0) {
        for (double x : {112.0, 210.0}) {
            drop_path(cr, {x, 172 + 8 * p.tear}, 4);
            set_color(cr, water, p.tear);
            cairo_fill(cr);
        }
    }
    if (p.anger_mark > 0) {  // the throbbing cross of veins, on the forehead clear of the stripes
        SavedState keep(cr);
        cairo_translate(cr, 200, 122);
        cairo_scale(cr, 0.4 + 0.6 * p.anger_mark, 0.4 + 0.6 * p.anger_mark);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 3; ++pass) {
            constexpr Color ink[] = {pal::outline, {1, 1, 1}, {0.88, 0.1, 0.1}};
            constexpr double width[] = {9.5, 7, 4};
            set_color(cr, ink[pass]);
            cairo_set_line_width(cr, width[pass]);
            for (int q = 0; q < 4; ++q) {
                cairo_rotate(cr, pi / 2);
                cairo_move_to(cr, 4, 5);
                cairo_curve_to(cr, 8, 5, 8, 13, 6.5, 16);
                cairo_move_to(cr, 5, 4);
                cairo_curve_to(cr, 5, 8, 13, 8, 16, 6.5);
            }
            cairo_stroke(cr);
        }
    }
    if (p.stars > 0) {
        for (int k = 0; k < 5; ++k) {
            const double a = p.stars_turn + k * 2 * pi / 5;
            const double depth = 0.75 + 0.25 * std::sin(a);
            const Point c{160 + 72 * std::cos(a), 92 + 16 * std::sin(a)};
            star_path(cr, c, 11 * depth, 4.5 * depth, a);
            set_color(cr, {1.0, 0.88, 0.25}, p.stars);
            cairo_fill_preserve(cr);
            set_color(cr, pal::outline, p.stars);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
        }
    }
}

void paint_body_front_props(cairo_t* cr, const Pose& pose, const Props& p) {
    if (p.pain > 0) {
        const double side = p.pain_foot == 0 ? -1 : 1;
        const double fx = (p.pain_foot == 0 ? 134 : 182) + side * pose.foot_out[p.pain_foot];
        const Point c{fx + side * 30, 451 - pose.foot_lift[p.pain_foot] + 14};
        star_path(cr, c, 14, 6, 0.3);
        set_color(cr, {1.0, 0.85, 0.2}, p.pain);
        cairo_fill_preserve(cr);
        set_color(cr, {0.85, 0.2, 0.1}, p.pain);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        for (int k = 0; k < 3; ++k) {
            const double a = -0.6 + k * 0.6 + (p.pain_foot == 0 ? pi : 0);
            stroke_line(cr, {c.x + 18 * std::cos(a), c.y + 18 * std::sin(a)},
                        {c.x + 28 * std::cos(a), c.y + 28 * std::sin(a)}, 3, {0.85, 0.2, 0.1}, p.pain);
        }
    }
    if (p.cymbal_crash > 0) {
        const Point c = lerp(pose.paw[0], pose.paw[1], 0.5);
        for (int k = 0; k < 10; ++k) {
            const double a = k * pi / 5 + 0.15;
            const double r0 = 40, r1 = 40 + 26 * p.cymbal_crash;
            stroke_line(cr, {c.x + r0 * std::cos(a), c.y + r0 * std::sin(a)},
                        {c.x + r1 * std::cos(a), c.y + r1 * std::sin(a)}, 3.5, {1.0, 0.9, 0.3}, p.cymbal_crash);
        }
    }
    if (p.purr > 0) {  // "((( )))" around the throat
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int side = 0; side < 2; ++side) {
            const double mid = side == 0 ? pi : 0;
            for (int k = 0; k < 3; ++k) {
                for (int pass = 0; pass < 2; ++pass) {
                    cairo_new_sub_path(cr);
                    cairo_arc(cr, 160, 262, 58 + 9 * k, mid - 0.32, mid + 0.32);
                    set_color(cr, pass == 0 ? pal::outline : Color{1, 0.95, 0.8}, p.purr * (1 - 0.2 * k));
                    cairo_set_line_width(cr, pass == 0 ? 5 : 2.5);
                    cairo_stroke(cr);
                }
            }
        }
    }
}

void paint_props_in_front(cairo_t* cr, const Props& p) {
    if (p.fart_cloud > 0) paint_fart_cloud(cr, p);
    if (p.finger > 0) paint_hand(cr, {340, 500}, lerp({330, 470}, {176, 366}, p.finger), HandShape::pointing);
    if (p.hand > 0) paint_hand(cr, p.hand_from, lerp(p.hand_from, p.hand_at, p.hand), p.hand_shape);
    if (p.flowerpot > 1) paint_flowerpot(cr, p);
    if (p.hearts > 0) paint_hearts(cr, p);
    if (p.sound_waves > 0) paint_sound_waves(cr, p);
    if (p.spray_alpha > 0) paint_spray(cr, p);
    if (p.sparkles > 0) paint_sparkles(cr, p);
    if (p.speech > 0) paint_speech(cr, p);
    if (p.pie > 0 || p.pie_slide >= 0) paint_pie(cr, p);
    if (p.scratch_marks > 0) paint_scratch_marks(cr, p);
}

}  // namespace pawlet::art
