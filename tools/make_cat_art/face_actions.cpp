// Actions the face and body tell: anger, a fart, joy, a knock-out, a pie, a sneeze, a poke,
// talking and yawning.
#include <cmath>

#include "action_list.h"
#include "action_scenes.h"
#include "cat_painter.h"
#include "motion.h"

namespace pawlet::art::actions {

using namespace motion;

Scene angry_tail(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    // A hand grips the tail and pulls it out straight, lets go, and the cat bristles and hisses.
    p.tail_pull = hold(s, 0.15, 0.32, 0.4, 0.48);
    const double grip_free = rise(s, 0.4, 0.6);
    q.hand = rise(s, 0.0, 0.15) * (1 - grip_free);
    q.hand_shape = HandShape::gripping;
    q.hand_from = {400, 580};
    Pose held = p;
    held.tail_pull = std::min(p.tail_pull, hold(s, 0.15, 0.32, 0.4, 1.0));
    q.hand_at = tail_points(held)[4];
    const double startle = hold(s, 0.15, 0.25, 0.45, 0.52);
    p.pupil_size = 1 - 0.5 * startle;
    p.ear_perk = 0.5 * startle;
    if (startle > 0.3) p.mouth = MouthLook::round;
    p.mouth_open = 0.5 * startle;

    const double a = hold(s, 0.4, 0.55, 0.95, 1.22);
    p.fur_bristle = std::max(0.5 * startle, a);
    p.tail_puff = a;
    p.tail_swing = -0.25 * a;  // lashing out to the side, clear of the body
    p.tail_wave_size = 0.6 * a;
    p.tail_wave = 2 * pi * 2.5 * s;
    p.ear_turn[0] = p.ear_turn[1] = 0.8 * a;
    p.ear_perk -= 0.3 * a;
    p.brow = -a;
    p.pupil_size -= 0.5 * a;
    if (a > 0.3) p.mouth = MouthLook::hiss;
    if (a > 0.3) p.mouth_open = hold(s, 0.45, 0.55, 0.9, 1.15);
    p.squash = 1 - 0.05 * a;
    // A tremble that flips every second frame, so each pose is seen twice.
    const bool flip = (std::lround(s / frame_seconds) / 2) % 2 != 0;
    p.lean = 0.02 * hold(s, 0.5, 0.55, 0.9, 1.0) * (flip ? 1 : -1);
    q.anger_mark = a;
    return sc;
}

Scene fart(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    const double squat = hold(s, 0.05, 0.25, 0.35, 0.6);
    p.squash = 1 - 0.05 * squat;
    p.tail_swing = -0.6 * hold(s, 0.1, 0.28, 0.5, 0.9);  // the tail goes up and out of the way
    q.fart_cloud = hold(s, 0.28, 0.36, 0.9, 1.3);
    q.fart_size = 0.4 + 1.1 * ramp(s, 0.3, 1.3);
    q.fart_at = mix(Point{208, 428}, Point{240, 362}, ramp(s, 0.3, 1.3));
    const double oops = hold(s, 0.35, 0.5, 1.1, 1.33);
    p.blush = oops;
    if (oops > 0.2) p.mouth = MouthLook::wavy;
    p.pupil_dx = 6 * oops;
    p.pupil_dy = 2 * oops;
    p.eye_open = 1 - 0.35 * oops;
    p.brow = 0.7 * oops;
    p.whisker_droop = 0.2 * oops;
    p.ear_turn[0] = p.ear_turn[1] = 0.35 * oops;
    p.paw[0] = mix(rest_paw[0], {140, 222}, hold(s, 0.45, 0.65, 1.0, 1.3));
    q.sweat = oops;
    return sc;
}

Scene happy(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    // A hand strokes the left cheek; the cat leans its head into it and purrs.
    q.hand = hold(s, 0.0, 0.2, 1.05, 1.35);
    q.hand_shape = HandShape::stroking;
    q.hand_from = {-90, 300};
    q.hand_at = {84, 196 + 12 * wave(s, 1.6)};
    const double h = hold(s, 0.1, 0.3, 1.15, 1.42);
    if (h > 0.35) {
        p.eyes = EyeLook::happy_arcs;
        p.mouth = MouthLook::grin;
    }
    p.mouth_open = 0.15 * h;
    p.blush = h;
    p.head_tilt = -0.1 * h + 0.03 * h * wave(s, 1.6);
    p.lean = -0.02 * h;
    p.paw[0] = mix(rest_paw[0], {142, 284}, h);
    p.paw[1] = mix(rest_paw[1], {180, 284}, h);
    p.tail_wave_size = 0.25 * h;
    p.tail_wave = 2 * pi * 1.5 * s;
    p.breathe = h * wave(s, 3);
    q.hearts = h;
    q.hearts_rise = s / 1.2;
    q.purr = h * (0.75 + 0.25 * wave(s, 8));
    return sc;
}

Scene knockout(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    if (s < 0.3) q.flowerpot = s / 0.3;
    else if (s < 0.9) q.flowerpot = 1 + (s - 0.3) / 0.6;
    p.bump = hold(s, 0.3, 0.4, 3.55, 3.9);
    const double dizzy = hold(s, 0.3, 0.35, 3.0, 3.2);
    if (dizzy > 0.5) p.eyes = EyeLook::dizzy_spirals;
    p.spiral_turn = 8 * s;
    q.stars = dizzy;
    q.stars_turn = 6 * s;
    // Slumps to the left, keeping both ears in the picture, then gets up, shakes its head and
    // holds it while the lump goes down.
    const double fall = hold(s, 1.0, 1.5, 2.5, 3.1);
    p.squash = 1 - 0.24 * fall;
    p.lean = -0.08 * fall + 0.04 * dizzy * wave(s, 1.3);
    p.body_dx = 26 * fall;
    p.body_dy = 8 * fall;
    const double shake = hold(s, 3.05, 3.12, 3.35, 3.45);
    p.head_tilt = -0.1 * fall + 0.12 * dizzy * wave(s, 1.2) + 0.16 * shake * wave(s - 3.05, 5);
    p.tongue = fall;
    if (fall > 0.3) p.mouth = MouthLook::open;
    p.mouth_open = 0.3 * fall;
    p.ear_turn[0] = p.ear_turn[1] = 0.6 * fall;
    const double rub = hold(s, 3.3, 3.45, 3.75, 3.92);
    p.paw[0] = mix(rest_paw[0], {88, 334}, fall);
    p.paw[1] = mix(mix(rest_paw[1], {230, 326}, fall), Point{226 + 5 * wave(s - 3.45, 4), 128}, rub);
    if (rub > 0.3) {
        p.eye_open = 0.55;
        p.mouth = MouthLook::wavy;
    }
    p.brow = 0.8 * rub;
    p.tail_swing = -0.4 * fall;
    if (s > 0.25 && s < 0.34) p.eyes = EyeLook::squeezed;  // the moment of the bonk
    return sc;
}

Scene pie(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    constexpr double hit = 0.8;
    if (s >= 0.4 && s < hit) q.pie = ramp(s, 0.4, hit);
    else if (s >= hit && s < 1.05) q.pie_slide = ramp(s, hit + 0.02, 1.0);
    const double notice = hold(s, 0.45, 0.6, 0.78, 0.8);
    p.pupil_size = 1 - 0.5 * notice;
    p.pupil_dx = 5 * notice;
    p.ear_turn[0] = p.ear_turn[1] = 0.4 * notice;
    if (notice > 0.3) p.mouth = MouthLook::round;
    p.mouth_open = 0.5 * notice;
    p.brow = notice;
    if (s >= hit) {
        q.cream = 1 - ramp(s, 0.85, 1.02);
        const double reel = hold(s, hit, 0.85, 0.9, 1.02);
        p.head_dy = -5 * reel;
        p.head_tilt = -0.1 * reel;
        p.squash = 1 - 0.03 * reel;
        p.eyes = EyeLook::squeezed;
        p.mouth = MouthLook::wavy;
    }
    return sc;
}

Scene sneeze(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    // "Ah... ah...": the head goes back; "choo": it jerks forward and down, towards the viewer,
    // and the spray bursts from the nose.
    const double build = rise(s, 0.0, 0.6) * (1 - rise(s, 0.6, 0.64));
    const double choo = hold(s, 0.6, 0.63, 0.78, 1.05);
    const double rub = hold(s, 0.9, 1.05, 1.2, 1.4);
    p.head_dy = -8 * build + 14 * choo;
    p.head_tilt = -0.08 * build;
    p.head_scale = 1 + 0.1 * choo;
    p.eye_open = 1 - 0.8 * build;
    if (build > 0.6 || choo > 0.2) p.eyes = EyeLook::squeezed;
    if (choo > 0.2) {
        p.mouth = MouthLook::open;
        p.mouth_open = 0.5 * choo;
    } else if (build > 0.15) {
        p.mouth = MouthLook::round;
        p.mouth_open = 0.6 * build;
    }
    p.whisker_droop = -0.2 * build + 0.15 * choo;
    p.ear_turn[0] = p.ear_turn[1] = 0.3 * choo;
    p.ear_perk = 0.4 * build;
    p.squash = 1 + 0.03 * build - 0.07 * choo;
    p.paw[0] = mix(rest_paw[0], {150, 204}, rub);
    p.paw[0].x += 6 * rub * wave(s, 6);
    p.paw[1] = mix(rest_paw[1], {196, 300}, choo);
    q.spray = ramp(s, 0.6, 0.95);
    q.spray_alpha = hold(s, 0.59, 0.61, 0.8, 0.97);
    // The nose where the head and the squat carry it.
    constexpr double nose_y = 190, neck_y = 248, ground_y = 462;
    const double in_head = neck_y + (nose_y - neck_y) * p.head_scale + p.head_dy;
    q.spray_from = {163, in_head + (ground_y - in_head) * (1 - p.squash)};
    return sc;
}

Scene stomach(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    q.finger = rise(s, 0.1, 0.45) * (1 - rise(s, 0.55, 0.95));
    p.belly_dent = hold(s, 0.42, 0.47, 0.52, 0.65);
    const double recoil = hold(s, 0.45, 0.6, 0.9, 1.45);
    p.lean = -0.06 * recoil;
    p.body_dx = -6 * recoil;
    p.squash = 1 - 0.05 * recoil;
    const double cry = hold(s, 0.5, 0.6, 1.0, 1.3);
    if (cry > 0.15) p.mouth = MouthLook::round;
    p.mouth_open = cry;
    if (recoil > 0.5 && s < 0.9) p.eyes = EyeLook::squeezed;
    p.pupil_size = 1 - 0.4 * recoil;
    p.brow = recoil;
    p.ear_turn[0] = p.ear_turn[1] = 0.4 * recoil;
    p.tail_puff = 0.4 * recoil;
    p.paw[0] = mix(rest_paw[0], {128, 332}, recoil);
    p.paw[1] = mix(rest_paw[1], {198, 326}, recoil);
    return sc;
}

Scene happy_simple(double s) {
    Scene sc;
    Pose& p = sc.pose;
    const double h = hold(s, 0.0, 0.2, 0.85, 1.12);
    if (h > 0.35) {
        p.eyes = EyeLook::happy_arcs;
        p.mouth = MouthLook::grin;
    }
    p.mouth_open = 0.1 * h;
    p.blush = 0.7 * h;
    p.body_dy = -10 * hold(s, 0.15, 0.3, 0.45, 0.65);
    p.head_tilt = -0.1 * h;
    p.paw[1] = mix(rest_paw[1], {236, 228}, h);
    p.paw[1].y += 8 * h * wave(s, 3);
    p.tail_wave_size = 0.3 * h;
    p.tail_wave = 2 * pi * 2 * s;
    sc.props.sparkles = h;
    sc.props.sparkle_phase = 8 * s;
    return sc;
}

Scene talk(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    // Words in step with the sound, which starts 0.25 s in: "ma" (wide open), "ow" (round),
    // "we" (wide and flat), then the mouth closes. The paws stay low and beat each word.
    struct Word {
        double from, to;
        MouthLook look;
        double open;
    };
    constexpr Word words[] = {{0.25, 0.35, MouthLook::open, 0.8}, {0.35, 0.45, MouthLook::round, 0.7},
                              {0.45, 0.55, MouthLook::grin, 0.6}, {0.55, 0.62, MouthLook::open, 0.5}};
    const double t = hold(s, 0.0, 0.15, 0.55, 0.7);
    p.brow = 0.4 * t;
    p.ear_perk = 0.3 * t;
    p.head_tilt = 0.06 * t;
    double beat = 0;
    int said = 0;
    for (const Word& w : words) {
        if (s >= w.from - 1e-9) ++said;
        if (s >= w.from - 1e-9 && s < w.to - 1e-9) {
            p.mouth = w.look;
            p.mouth_open = w.open;
            beat = 1;
        }
    }
    p.head_dy = -3 * beat;
    const double side = (said % 2) ? 1 : 0;
    p.paw[0] = mix(rest_paw[0], {122, 330}, t);
    p.paw[1] = mix(rest_paw[1], {200, 326}, t);
    p.paw[0].y -= 14 * beat * (1 - side);
    p.paw[1].y -= 14 * beat * side;
    p.paw_spread = t;
    q.speech = rise(s, 0.15, 0.25) * (1 - rise(s, 0.6, 0.7));
    q.speech_words = std::min(said, 3);
    return sc;
}

Scene yawn(double s) {
    Scene sc;
    Pose& p = sc.pose;
    const double y = hold(s, 0.05, 0.6, 0.95, 1.3);
    if (y > 0.1) p.mouth = MouthLook::open;
    p.mouth_open = y;
    p.eye_open = 1 - y;
    p.paw[0] = mix(rest_paw[0], {78, 214}, y);
    p.paw[1] = mix(rest_paw[1], {242, 210}, y);
    p.squash = 1 + 0.05 * y;
    p.ear_turn[0] = p.ear_turn[1] = 0.3 * y;
    p.head_dy = -5 * y;
    p.head_tilt = -0.05 * y;
    p.tongue = 0.6 * hold(s, 1.05, 1.12, 1.2, 1.3);
    p.tail_curl = 0.5 * y;
    sc.props.tear = hold(s, 0.8, 0.95, 1.2, 1.4);
    return sc;
}

}  // namespace pawlet::art::actions
