#include "cat_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "cairo_handles.h"
#include "paint_kit.h"

namespace pawlet::art {
namespace {

namespace pal = palette;

constexpr Point ground{158, 462};  // between the feet: the body squashes and leans around it
constexpr Point neck{160, 248};
constexpr Point head_centre{160, 178};
constexpr double head_rx = 82, head_ry = 73;
constexpr Point eye_centre[2] = {{131, 155}, {190, 156}};
constexpr Point shoulder[2] = {{136, 268}, {186, 266}};
constexpr const Point (&foot_centre)[2] = rest_foot;

double mirror_x(double x) { return 320 - x; }

void paint_tail(cairo_t* cr, const Pose& p, const Ink& ink) {
    const std::vector<Point> pts = tail_points(p);
    const double width = 17 + 9 * p.tail_puff;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (p.tail_puff > 0) {  // bristled fur: a spiky halo along the tail
        cairo_set_line_width(cr, 1.5);
        set_color(cr, pal::outline);
        for (std::size_t i = 1; i + 1 < pts.size(); ++i) {
            for (int s = -1; s <= 1; s += 2) {
                const Point a = pts[i], b = pts[i + 1];
                const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
                const double nx = -dy / len * s, ny = dx / len * s;
                const double reach = width / 2 + 7 * p.tail_puff;
                cairo_move_to(cr, a.x + nx * (width / 2 - 3), a.y + ny * (width / 2 - 3));
                cairo_line_to(cr, (a.x + b.x) / 2 + nx * reach, (a.y + b.y) / 2 + ny * reach);
                cairo_line_to(cr, b.x + nx * (width / 2 - 3), b.y + ny * (width / 2 - 3));
                cairo_close_path(cr);
                fill_and_outline(cr, pal::fur, 1.5);
            }
        }
    }
    smooth_path(cr, pts, false);
    cairo_path_t* path = cairo_copy_path(cr);
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, width + 2 * ink.outline);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    set_color(cr, pal::fur);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    if (ink.details) {  // rings
        cairo_append_path(cr, path);
        set_color(cr, pal::fur_dark);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_width(cr, width - 2);
        const double dashes[] = {6, 12};
        cairo_set_dash(cr, dashes, 2, 14);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    cairo_path_destroy(path);
}

// A raised foot hangs from its hip on a thigh bent outwards at the knee.
void paint_bent_leg(cairo_t* cr, int side, Point foot, const Ink& ink) {
    const double outwards = side == 0 ? -1 : 1;
    const Point hip{foot_centre[side].x - outwards * 6, 416};
    const double outer = side == 0 ? std::min(hip.x, foot.x) : std::max(hip.x, foot.x);
    const Point knee{outer + outwards * 16, std::min(hip.y, foot.y) + 6};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, hip.x, hip.y);
        cairo_curve_to(cr, knee.x, knee.y, knee.x, knee.y, foot.x, foot.y);
        set_color(cr, pass == 0 ? pal::outline : pal::fur);
        cairo_set_line_width(cr, pass == 0 ? 26 + 2 * ink.outline : 26);
        cairo_stroke(cr);
    }
}

// Feet on the ground go under the paws; lifted ones over them, as a paw holds them from behind.
void paint_feet(cairo_t* cr, const Pose& p, const Ink& ink, bool lifted) {
    for (int s = 0; s < 2; ++s) {
        if ((p.foot_lift[s] > 1) != lifted) continue;
        SavedState keep(cr);
        const double out = s == 0 ? -p.foot_out[s] : p.foot_out[s];
        const Point c{foot_centre[s].x + out, foot_centre[s].y - p.foot_lift[s]};
        if (lifted) paint_bent_leg(cr, s, c, ink);
        rotate_around(cr, c, p.foot_turn[s]);
        const double sole = p.foot_sole[s];
        ellipse_path(cr, c.x, c.y, 23 - 5 * sole, 13 + 6 * sole);
        fill_and_outline(cr, pal::fur, ink.outline);
        if (sole > 0.05) {  // pink pads, so the raised foot reads as a foot
            set_color(cr, pal::ear_pink, sole);
            ellipse_path(cr, c.x, c.y + 5, 8, 6.5);
            cairo_fill(cr);
            for (double a : {-0.9, 0.0, 0.9}) {
                ellipse_path(cr, c.x + 11 * std::sin(a), c.y - 6 - 5 * std::cos(a), 3.5, 3.5);
                cairo_fill(cr);
            }
        } else if (ink.details) {
            set_color(cr, pal::outline);
            cairo_set_line_width(cr, 2);
            for (double dx : {-7.0, 7.0}) {
                cairo_move_to(cr, c.x + dx, c.y + 12);
                cairo_line_to(cr, c.x + dx, c.y + 4);
                cairo_stroke(cr);
            }
        }
    }
}

std::vector<Point> body_outline(const Pose& p) {
    std::vector<Point> pts{{128, 242}, {117, 280}, {113, 330}, {111, 385}, {118, 428}, {138, 448},
                           {160, 452}, {182, 448}, {202, 428}, {209, 385}, {207, 330}, {203, 280},
                           {192, 242}};
    const double grow = 3 * p.breathe;
    for (auto& pt : pts) {
        if (pt.y > 260 && pt.y < 360) pt.x += (pt.x < 160 ? -grow : grow);
    }
    return pts;
}

void paint_body(cairo_t* cr, const Pose& p, const Ink& ink) {
    const auto pts = body_outline(p);
    if (p.fur_bristle > 0) {  // spikes sticking out along the sides
        for (std::size_t i = 1; i + 2 < pts.size(); ++i) {
            for (int half = 0; half < 2; ++half) {
                const Point a = lerp(pts[i], pts[i + 1], half * 0.5), b = lerp(pts[i], pts[i + 1], half * 0.5 + 0.5);
                const Point m = lerp(a, b, 0.5);
                const double out = (m.x < 160 ? -1 : 1) * 13 * p.fur_bristle;
                cairo_move_to(cr, a.x, a.y);
                cairo_line_to(cr, m.x + out, m.y - 7);
                cairo_line_to(cr, b.x, b.y);
                cairo_close_path(cr);
                fill_and_outline(cr, pal::fur, ink.outline * 0.6);
            }
        }
    }
    smooth_path(cr, pts, true);
    fill_and_outline(cr, pal::fur, ink.outline);

    // Cream belly, with a dent where it is poked.
    {
        SavedState keep(cr);
        smooth_path(cr, pts, true);
        cairo_clip(cr);
        ellipse_path(cr, 160, 358, 36 - 4 * p.belly_dent, 64);
        set_color(cr, pal::cream);
        cairo_fill(cr);
        if (ink.details) {  // side stripes
            set_color(cr, pal::fur_dark);
            for (double y : {320.0, 350.0, 380.0}) {
                cairo_move_to(cr, 108, y);
                cairo_curve_to(cr, 118, y - 4, 124, y + 2, 126, y + 8);
                cairo_line_to(cr, 108, y + 10);
                cairo_fill(cr);
                cairo_move_to(cr, 212, y);
                cairo_curve_to(cr, 202, y - 4, 196, y + 2, 194, y + 8);
                cairo_line_to(cr, 212, y + 10);
                cairo_fill(cr);
            }
        }
    }
    if (p.belly_dent > 0) {
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 2);
        const double w = 10 + 8 * p.belly_dent;
        cairo_move_to(cr, 163 - w, 362 - 4 * p.belly_dent);
        cairo_curve_to(cr, 163 - w / 2, 362 + 6 * p.belly_dent, 163 + w / 2, 362 + 6 * p.belly_dent,
                       163 + w, 362 - 4 * p.belly_dent);
        cairo_stroke(cr);
    }
    if (ink.details) {  // chest fluff
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 1.6);
        cairo_move_to(cr, 146, 300);
        cairo_line_to(cr, 152, 306);
        cairo_line_to(cr, 157, 299);
        cairo_line_to(cr, 162, 307);
        cairo_line_to(cr, 168, 299);
        cairo_line_to(cr, 173, 305);
        cairo_stroke(cr);
    }
}

void paint_arm(cairo_t* cr, const Pose& p, int side, const Ink& ink) {
    const Point s = shoulder[side], w = p.paw[side];
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, s.x, s.y);
    cairo_line_to(cr, w.x, w.y);
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, 22 + 2 * ink.outline);
    cairo_stroke(cr);
    cairo_move_to(cr, s.x, s.y);
    cairo_line_to(cr, w.x, w.y);
    set_color(cr, pal::fur);
    cairo_set_line_width(cr, 22);
    cairo_stroke(cr);
}

void paint_paw(cairo_t* cr, const Pose& p, int side, const Ink& ink) {
    const Point s = shoulder[side], w = p.paw[side];
    const double dx = w.x - s.x, dy = w.y - s.y, len = std::max(1.0, std::hypot(dx, dy));
    const double ux = dx / len, uy = dy / len;  // from shoulder towards the paw
    SavedState keep(cr);
    cairo_translate(cr, w.x, w.y);
    cairo_scale(cr, p.paw_scale, p.paw_scale);
    cairo_translate(cr, -w.x, -w.y);
    if (p.claws > 0.01) {
        for (double a : {-0.9, -0.3, 0.3, 0.9}) {
            const double ca = std::cos(a), sa = std::sin(a);
            const double tx = ux * ca - uy * sa, ty = ux * sa + uy * ca;
            const double bx = w.x + tx * 11, by = w.y + ty * 11, reach = 4 + 8 * p.claws;
            cairo_move_to(cr, bx - ty * 2.5, by + tx * 2.5);
            cairo_line_to(cr, bx + tx * reach, by + ty * reach);
            cairo_line_to(cr, bx + ty * 2.5, by - tx * 2.5);
            cairo_close_path(cr);
            fill_and_outline(cr, {0.97, 0.96, 0.92}, 1.2);
        }
    }
    ellipse_path(cr, w.x, w.y, 15, 14);
    fill_and_outline(cr, pal::fur, ink.outline);
    if (!ink.details) return;
    if (p.paw_spread > 0.01) {
        set_color(cr, pal::ear_pink, p.paw_spread);
        ellipse_path(cr, w.x - ux * 2, w.y - uy * 2, 6, 5);
        cairo_fill(cr);
        for (double a : {-0.8, 0.0, 0.8}) {
            const double ca = std::cos(a), sa = std::sin(a);
            const double tx = ux * ca - uy * sa, ty = ux * sa + uy * ca;
            ellipse_path(cr, w.x + tx * 8, w.y + ty * 8, 2.8, 2.8);
            cairo_fill(cr);
        }
    } else {
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 1.8);
        for (double off : {-5.0, 5.0}) {
            const double bx = w.x + ux * 14 - uy * off, by = w.y + uy * 14 + ux * off;
            cairo_move_to(cr, bx, by);
            cairo_line_to(cr, bx - ux * 6, by - uy * 6);
            cairo_stroke(cr);
        }
    }
}

void ear_path(cairo_t* cr, int side, double perk, double inset) {
    Point base_a{86, 160}, base_b{128, 110}, tip{68, 88};
    Point mid = lerp(base_a, base_b, 0.5);
    tip = {mid.x + (tip.x - mid.x) * (1 + 0.25 * perk), mid.y + (tip.y - mid.y) * (1 + 0.25 * perk)};
    if (inset > 0) {
        base_a = lerp(base_a, tip, inset * 0.5);
        base_b = lerp(base_b, tip, inset * 0.5);
        base_a = lerp(base_a, mid, inset);
        base_b = lerp(base_b, mid, inset);
        tip = lerp(tip, mid, inset * 0.6);
    }
    auto x = [&](double v) { return side == 0 ? v : mirror_x(v); };
    cairo_move_to(cr, x(base_a.x), base_a.y);
    cairo_curve_to(cr, x(base_a.x - 8), base_a.y - 30, x(tip.x - 2), tip.y + 20, x(tip.x), tip.y);
    cairo_curve_to(cr, x(tip.x + 20), tip.y + 2, x(base_b.x - 14), base_b.y - 10, x(base_b.x), base_b.y);
    cairo_close_path(cr);
}

void paint_ears(cairo_t* cr, const Pose& p, const Ink& ink) {
    for (int side = 0; side < 2; ++side) {
        SavedState keep(cr);
        const Point pivot{side == 0 ? 107.0 : mirror_x(107.0), 135};
        rotate_around(cr, pivot, side == 0 ? -p.ear_turn[0] : p.ear_turn[1]);
        ear_path(cr, side, p.ear_perk, 0);
        fill_and_outline(cr, pal::fur, ink.outline);
        ear_path(cr, side, p.ear_perk, 0.3);
        set_color(cr, pal::ear_pink);
        cairo_fill(cr);
    }
}

void paint_cheek_tufts(cairo_t* cr, const Ink& ink) {
    for (int side = 0; side < 2; ++side) {
        auto x = [&](double v) { return side == 0 ? v : mirror_x(v); };
        cairo_move_to(cr, x(88), 188);
        cairo_line_to(cr, x(70), 204);
        cairo_line_to(cr, x(86), 208);
        cairo_line_to(cr, x(72), 224);
        cairo_line_to(cr, x(92), 224);
        cairo_line_to(cr, x(86), 240);
        cairo_line_to(cr, x(110), 236);
        cairo_close_path(cr);
        fill_and_outline(cr, pal::fur, ink.outline);
    }
}

void paint_eye(cairo_t* cr, const Pose& p, int side, const Ink& ink) {
    const Point c = eye_centre[side];
    const double rx = 16, ry = 18;
    set_color(cr, pal::outline);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, ink.outline);
    switch (p.eyes) {
    case EyeLook::happy_arcs:
        cairo_arc_negative(cr, c.x, c.y + 6, 11, -0.3, -2.84);
        cairo_stroke(cr);
        return;
    case EyeLook::squeezed: {
        const double dir = side == 0 ? 1 : -1;
        cairo_move_to(cr, c.x - dir * 10, c.y - 9);
        cairo_line_to(cr, c.x + dir * 9, c.y);
        cairo_line_to(cr, c.x - dir * 10, c.y + 9);
        cairo_stroke(cr);
        return;
    }
    case EyeLook::dizzy_spirals: {
        ellipse_path(cr, c.x, c.y, rx, ry);
        fill_and_outline(cr, pal::white, ink.outline);
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 2);
        const double turn = p.spiral_turn;
        for (int i = 0; i <= 60; ++i) {
            const double a = i * 0.3 + turn * (side == 0 ? 1 : -1);
            const double r = i * 0.22;
            const double x = c.x + r * std::cos(a), y = c.y + r * std::sin(a) * 1.1;
            if (i == 0) cairo_move_to(cr, x, y); else cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
        return;
    }
    case EyeLook::open:
        break;
    }
    const double open = std::clamp(p.eye_open, 0.0, 1.0);
    if (open < 0.08) {
        cairo_move_to(cr, c.x - rx, c.y + 2);
        cairo_curve_to(cr, c.x - 6, c.y + 9, c.x + 6, c.y + 9, c.x + rx, c.y + 2);
        cairo_stroke(cr);
        return;
    }
    {
        SavedState keep(cr);
        ellipse_path(cr, c.x, c.y, rx, ry);
        set_color(cr, pal::white);
        cairo_fill_preserve(cr);
        cairo_clip(cr);
        const Point iris{c.x + p.pupil_dx, c.y + 2 + p.pupil_dy};
        ellipse_path(cr, iris.x, iris.y, 11, 13);
        set_color(cr, pal::iris);
        cairo_fill(cr);
        ellipse_path(cr, iris.x, iris.y, 4.5 * p.pupil_size, 9 * p.pupil_size);
        set_color(cr, pal::pupil);
        cairo_fill(cr);
        if (ink.details) {
            ellipse_path(cr, iris.x + 4, iris.y - 6, 3.5, 3.5);
            set_color(cr, pal::white);
            cairo_fill(cr);
        }
        // The upper lid comes down over the eye.
        const double lid = c.y - ry + (1 - open) * 2 * ry;
        cairo_rectangle(cr, c.x - rx - 2, c.y - ry - 2, 2 * rx + 4, lid - (c.y - ry - 2));
        set_color(cr, pal::fur);
        cairo_fill(cr);
        if (open < 0.98) {
            cairo_move_to(cr, c.x - rx, lid);
            cairo_line_to(cr, c.x + rx, lid);
            set_color(cr, pal::outline);
            cairo_set_line_width(cr, ink.outline);
            cairo_stroke(cr);
        }
    }
    ellipse_path(cr, c.x, c.y, rx, ry);
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, ink.outline);
    cairo_stroke(cr);
}

void paint_brows(cairo_t* cr, const Pose& p, const Ink& ink) {
    if (std::abs(p.brow) < 0.05) return;
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, ink.outline);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int side = 0; side < 2; ++side) {
        const Point c = eye_centre[side];
        const double inner = side == 0 ? 1 : -1;  // towards the nose
        const double slope = 8 * p.brow;           // angry: inner ends down
        cairo_move_to(cr, c.x - inner * 14, c.y - 26 + slope * 0.5);
        cairo_line_to(cr, c.x + inner * 12, c.y - 26 - slope);
        cairo_stroke(cr);
    }
}

void paint_mouth(cairo_t* cr, const Pose& p, const Ink& ink) {
    // Drawn a little below the muzzle's middle, so the mouth sits where a press on it lands.
    constexpr double drop = 5;
    constexpr Point nose_tip{163, 194 - drop};
    SavedState lowered(cr);
    cairo_translate(cr, 0, drop);
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, ink.outline * 0.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double open = std::clamp(p.mouth_open, 0.0, 1.0);
    switch (p.mouth) {
    case MouthLook::smile:
    case MouthLook::open:
    case MouthLook::grin: {
        cairo_move_to(cr, nose_tip.x, nose_tip.y);
        cairo_line_to(cr, nose_tip.x, 204);
        cairo_stroke(cr);
        if (p.mouth == MouthLook::grin || open > 0.02) {
            const double w = p.mouth == MouthLook::grin ? 24 : 9 + 9 * open;
            const double h = p.mouth == MouthLook::grin ? 10 + 16 * open : 6 + 30 * open;
            cairo_move_to(cr, nose_tip.x - w, 205);
            cairo_curve_to(cr, nose_tip.x - w, 205 + h * 1.2, nose_tip.x + w, 205 + h * 1.2,
                           nose_tip.x + w, 205);
            cairo_curve_to(cr, nose_tip.x + w * 0.5, 209, nose_tip.x - w * 0.5, 209, nose_tip.x - w, 205);
            cairo_close_path(cr);
            set_color(cr, pal::mouth_inside);
            cairo_fill_preserve(cr);
            SavedState keep(cr);
            cairo_clip_preserve(cr);
            ellipse_path(cr, nose_tip.x, 205 + h * 0.95, w * 0.7, h * 0.45 + 2);
            set_color(cr, pal::tongue);
            cairo_fill(cr);
            cairo_reset_clip(cr);
            cairo_move_to(cr, nose_tip.x - w, 205);
            cairo_curve_to(cr, nose_tip.x - w, 205 + h * 1.2, nose_tip.x + w, 205 + h * 1.2,
                           nose_tip.x + w, 205);
            set_color(cr, pal::outline);
            cairo_set_line_width(cr, ink.outline * 0.8);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, nose_tip.x - 15, 203);
        cairo_curve_to(cr, nose_tip.x - 10, 211, nose_tip.x - 2, 210, nose_tip.x, 204);
        cairo_curve_to(cr, nose_tip.x + 2, 210, nose_tip.x + 10, 211, nose_tip.x + 15, 203);
        cairo_stroke(cr);
        break;
    }
    case MouthLook::round: {
        cairo_move_to(cr, nose_tip.x, nose_tip.y);
        cairo_line_to(cr, nose_tip.x, 203);
        cairo_stroke(cr);
        const double r = 4 + 8 * open;
        ellipse_path(cr, nose_tip.x, 206 + r, r * 0.8, r);
        fill_and_outline(cr, pal::mouth_inside, ink.outline * 0.8);
        break;
    }
    case MouthLook::hiss: {
        // Wide open with the lips drawn back and two fangs.
        const double w = 16 + 6 * open, h = 8 + 18 * open;
        cairo_move_to(cr, nose_tip.x - w, 206);
        cairo_curve_to(cr, nose_tip.x - w * 0.8, 206 + h, nose_tip.x + w * 0.8, 206 + h, nose_tip.x + w, 206);
        cairo_curve_to(cr, nose_tip.x + w * 0.4, 199, nose_tip.x - w * 0.4, 199, nose_tip.x - w, 206);
        cairo_close_path(cr);
        fill_and_outline(cr, pal::mouth_inside, ink.outline * 0.8);
        for (int side = -1; side <= 1; side += 2) {
            const double fx = nose_tip.x + side * w * 0.55;
            cairo_move_to(cr, fx - 3.5, 203);
            cairo_line_to(cr, fx, 203 + 6 + 5 * open);
            cairo_line_to(cr, fx + 3.5, 203);
            cairo_close_path(cr);
            fill_and_outline(cr, pal::white, 1.2);
        }
        break;
    }
    case MouthLook::wavy: {
        cairo_move_to(cr, nose_tip.x, nose_tip.y);
        cairo_line_to(cr, nose_tip.x, 203);
        cairo_stroke(cr);
        cairo_move_to(cr, nose_tip.x - 16, 210);
        for (int i = 1; i <= 8; ++i) {
            cairo_line_to(cr, nose_tip.x - 16 + 4 * i, (i % 2) ? 206 : 211);
        }
        cairo_stroke(cr);
        break;
    }
    }
    if (p.tongue > 0.01) {
        const double len = 12 * p.tongue;
        cairo_move_to(cr, nose_tip.x - 7, 207);
        cairo_line_to(cr, nose_tip.x - 7, 207 + len);
        cairo_arc_negative(cr, nose_tip.x, 207 + len, 7, 3.14159, 0);
        cairo_line_to(cr, nose_tip.x + 7, 207);
        cairo_close_path(cr);
        fill_and_outline(cr, pal::tongue, ink.outline * 0.7);
    }
}

void paint_face(cairo_t* cr, const Pose& p, const Ink& ink) {
    // Muzzle.
    set_color(cr, pal::cream);
    ellipse_path(cr, 149, 205, 19, 14);
    cairo_fill(cr);
    ellipse_path(cr, 177, 205, 19, 14);
    cairo_fill(cr);
    ellipse_path(cr, 163, 221, 20, 14);
    cairo_fill(cr);
    if (ink.tiny) {
        set_color(cr, pal::pupil);
        for (const Point& c : eye_centre) {
            ellipse_path(cr, c.x, c.y + 2, 11, 15);
            cairo_fill(cr);
        }
        set_color(cr, pal::nose);
        ellipse_path(cr, 163, 188, 11, 8);
        cairo_fill(cr);
        return;
    }

    if (ink.details) {  // forehead stripes
        set_color(cr, pal::fur_dark);
        const double xs[] = {146, 160, 174};
        for (double x : xs) {
            cairo_move_to(cr, x - 5, 108);
            cairo_line_to(cr, x + 5, 108);
            cairo_line_to(cr, x + 1.5 - (x - 160) * 0.15, 130);
            cairo_line_to(cr, x - 1.5 - (x - 160) * 0.15, 130);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    }
    for (int side = 0; side < 2; ++side) paint_eye(cr, p, side, ink);
    paint_brows(cr, p, ink);

    if (p.blush > 0.01) {
        set_color(cr, pal::blush, 0.55 * std::min(1.0, p.blush));
        ellipse_path(cr, 108, 194, 13, 8);
        cairo_fill(cr);
        ellipse_path(cr, 214, 194, 13, 8);
        cairo_fill(cr);
    }
    paint_mouth(cr, p, ink);

    // Nose.
    cairo_move_to(cr, 153, 183);
    cairo_curve_to(cr, 158, 179, 168, 179, 173, 183);
    cairo_curve_to(cr, 172, 188, 167, 193, 163, 194);
    cairo_curve_to(cr, 159, 193, 154, 188, 153, 183);
    cairo_close_path(cr);
    fill_and_outline(cr, pal::nose, ink.outline * 0.8);

    if (ink.details) {
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 1.4);
        for (int side = 0; side < 2; ++side) {
            const double dir = side == 0 ? -1 : 1;
            const double root = side == 0 ? 140 : 186;
            for (int i = 0; i < 3; ++i) {
                const double y0 = 203 + 5 * i;
                const double angle = (i - 1) * 0.18 + p.whisker_droop;
                cairo_move_to(cr, root, y0);
                cairo_line_to(cr, root + dir * 44 * std::cos(angle), y0 + 44 * std::sin(angle));
                cairo_stroke(cr);
            }
        }
    }
}

void paint_head_spikes(cairo_t* cr, const Pose& p, const Ink& ink) {
    if (p.fur_bristle <= 0) return;
    for (int i = 0; i < 7; ++i) {
        const double a = -2.5 + i * 0.14 * 6.0 / 6.0 * 1.6;
        const double x = head_centre.x + head_rx * std::cos(a), y = head_centre.y + head_ry * std::sin(a);
        const double ox = head_centre.x + (head_rx + 12 * p.fur_bristle) * std::cos(a + 0.08);
        const double oy = head_centre.y + (head_ry + 12 * p.fur_bristle) * std::sin(a + 0.08);
        cairo_move_to(cr, x - 6 * std::sin(a), y + 6 * std::cos(a));
        cairo_line_to(cr, ox, oy);
        cairo_line_to(cr, x + 6 * std::sin(a), y - 6 * std::cos(a));
        cairo_close_path(cr);
        fill_and_outline(cr, pal::fur, ink.outline * 0.6);
    }
}

void paint_head_at_rest_frame(cairo_t* cr, const Pose& p, const Ink& ink) {
    paint_ears(cr, p, ink);
    paint_head_spikes(cr, p, ink);
    if (!ink.tiny) paint_cheek_tufts(cr, ink);
    if (p.bump > 0.01) {
        ellipse_path(cr, 168, 108 - 6 * p.bump, 14 * p.bump + 2, 12 * p.bump + 2);
        fill_and_outline(cr, pal::fur, ink.outline);
    }
    ellipse_path(cr, head_centre.x, head_centre.y, head_rx, head_ry);
    fill_and_outline(cr, pal::fur, ink.outline);
    if (p.bump > 0.01) {  // the lump's shine
        set_color(cr, pal::white, 0.7 * p.bump);
        ellipse_path(cr, 164, 100 - 8 * p.bump, 4 * p.bump, 3 * p.bump);
        cairo_fill(cr);
    }
    paint_face(cr, p, ink);
}

}  // namespace

std::vector<Point> tail_points(const Pose& p) {
    // A chain of segments from the base, bending up like a question mark; a pull draws it out
    // straight towards the viewer's right.
    constexpr std::array<double, 6> rest_dirs{0.05, -0.8, -1.4, -1.65, -1.75, -1.2};
    constexpr double pulled_dir = 0.15;
    std::vector<Point> pts{{186, 438}};
    for (std::size_t k = 0; k < rest_dirs.size(); ++k) {
        const double kk = static_cast<double>(k);
        const double dir = rest_dirs[k] - p.tail_swing * (kk + 1) / 4 - p.tail_curl * kk * 0.18 +
                           p.tail_wave_size * std::sin(p.tail_wave - kk * 0.9);
        const double pulled = dir + (pulled_dir - dir) * std::clamp(p.tail_pull, 0.0, 1.0);
        const Point last = pts.back();
        pts.push_back({last.x + 20 * std::cos(pulled), last.y + 20 * std::sin(pulled)});
    }
    return pts;
}

void paint_cat_head(cairo_t* cr, const Pose& pose, const Ink& ink) {
    SavedState keep(cr);
    paint_head_at_rest_frame(cr, pose, ink);
}

Box resting_head_box() { return {60, 84, 260, 256}; }

void apply_body_transform(cairo_t* cr, const Pose& p) {
    cairo_translate(cr, ground.x + p.body_dx, ground.y + p.body_dy);
    cairo_rotate(cr, p.lean);
    cairo_scale(cr, 1.0 / std::sqrt(std::max(0.2, p.squash)), p.squash);
    cairo_translate(cr, -ground.x, -ground.y);
}

void apply_head_transform(cairo_t* cr, const Pose& p) {
    cairo_translate(cr, p.head_dx, p.head_dy);
    rotate_around(cr, neck, p.head_tilt);
    if (p.head_scale != 1) {
        cairo_translate(cr, neck.x, neck.y);
        cairo_scale(cr, p.head_scale, p.head_scale);
        cairo_translate(cr, -neck.x, -neck.y);
    }
}

void paint_cat(cairo_t* cr, const Pose& p, const Ink& ink, const PaintStep& held) {
    SavedState keep(cr);
    apply_body_transform(cr, p);
    paint_tail(cr, p, ink);
    paint_body(cr, p, ink);
    paint_feet(cr, p, ink, false);
    {
        SavedState head(cr);
        apply_head_transform(cr, p);
        paint_head_at_rest_frame(cr, p, ink);
    }
    for (int side = 0; side < 2; ++side) paint_arm(cr, p, side, ink);
    if (held) {
        SavedState props(cr);
        held(cr);
    }
    for (int side = 0; side < 2; ++side) paint_paw(cr, p, side, ink);
    paint_feet(cr, p, ink, true);
}

}  // namespace pawlet::art
