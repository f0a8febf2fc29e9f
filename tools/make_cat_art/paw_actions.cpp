// Actions in which the paws do the work: scratching, cymbals, milk, fish, listening, hurt feet.
#include <cmath>

#include "action_list.h"
#include "action_scenes.h"
#include "motion.h"

namespace pawlet::art::actions {

using namespace motion;

Scene scratch(double s) {
    Scene sc;
    Pose& p = sc.pose;
    const double up = hold(s, 0.05, 0.7, 2.25, 2.7);
    const double scratching = hold(s, 1.1, 1.2, 2.1, 2.25);
    // The paws come up to the glass, then rake down in turn.
    for (int side = 0; side < 2; ++side) {
        const Point raised{side == 0 ? 96.0 : 226.0, 196};
        const double stroke = 0.5 - 0.5 * std::cos(2 * pi * 2.2 * (s - 1.2) + side * pi);
        p.paw[side] = mix(rest_paw[side], raised, up);
        p.paw[side].y += scratching * 80 * stroke;
        p.paw[side].x += scratching * (side == 0 ? 10 : -10) * stroke;
    }
    p.paw_scale = 1 + 0.45 * up;
    p.paw_spread = up;
    p.claws = hold(s, 0.4, 0.7, 2.2, 2.6);
    p.brow = -0.7 * up;
    p.eye_open = 1 - 0.3 * up;
    p.pupil_dy = 3 * up;
    p.ear_perk = 0.3 * up;
    if (up > 0.3) p.mouth = MouthLook::grin;
    p.mouth_open = 0.3 * scratching;
    p.lean = 0.025 * scratching * wave(s, 2.2);
    p.tail_wave_size = 0.3 * up;
    p.tail_wave = 2 * pi * 1.5 * s;
    sc.props.scratch_marks = 4 * ramp(s, 1.2, 2.15);
    sc.props.scratch_wipe = ramp(s, 2.2, 2.6);
    return sc;
}

Scene cymbal(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    // The paws spread to catch the cymbals flying in from both sides, clash them, and fling them
    // back out of the picture.
    const double wide = hold(s, 0.0, 0.1, 0.2, 0.3) + hold(s, 0.36, 0.42, 0.45, 0.56);
    const double together = hold(s, 0.2, 0.3, 0.36, 0.42);
    const Point open_at[2] = {{62, 236}, {258, 236}}, shut_at[2] = {{130, 250}, {190, 250}};
    for (int side = 0; side < 2; ++side) {
        const Point r = rest_paw[side];
        p.paw[side] = {r.x + wide * (open_at[side].x - r.x) + together * (shut_at[side].x - r.x),
                       r.y + wide * (open_at[side].y - r.y) + together * (shut_at[side].y - r.y)};
    }
    const double crash = hold(s, 0.28, 0.3, 0.36, 0.42);
    if (crash > 0.3) p.eyes = EyeLook::squeezed;
    if (wide + together > 0.2) p.mouth = MouthLook::grin;
    p.mouth_open = 0.2 + 0.6 * crash;
    p.body_dx = 2.5 * crash * ((std::lround(s / frame_seconds) % 2) ? 1 : -1);
    p.ear_turn[0] = p.ear_turn[1] = 0.4 * crash;
    p.brow = 0.4 * wide;
    q.cymbals = s > 0 && s < 0.52 ? 1 : 0;
    q.cymbal_slide = 1 - rise(s, 0.0, 0.15) + rise(s, 0.4, 0.5);
    q.cymbal_crash = crash;
    return sc;
}

Scene drink(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    const Point bowl_at{98, 318}, carton_at{174, 252}, mouth_at[2] = {{134, 238}, {192, 238}};
    // The bowl is tossed in from the left and the carton dropped in from above; the carton is
    // thrown out to the right after pouring, the bowl over the shoulder after the last lap.
    const double raise = hold(s, 0.05, 0.4, 3.7, 3.98);
    const double raise_carton = hold(s, 0.1, 0.45, 2.6, 2.85);
    const double lift = hold(s, 2.6, 2.82, 3.72, 3.8);
    p.paw[0] = {rest_paw[0].x + raise * (bowl_at.x - rest_paw[0].x) + lift * (mouth_at[0].x - bowl_at.x),
                rest_paw[0].y + raise * (bowl_at.y - rest_paw[0].y) + lift * (mouth_at[0].y - bowl_at.y)};
    p.paw[1] = {rest_paw[1].x + raise_carton * (carton_at.x - rest_paw[1].x) + lift * (mouth_at[1].x - rest_paw[1].x),
                rest_paw[1].y + raise_carton * (carton_at.y - rest_paw[1].y) + lift * (mouth_at[1].y - rest_paw[1].y)};
    const double bowl_in = ramp(s, 0.0, 0.4), carton_in = ramp(s, 0.1, 0.45);
    const double carton_out = ramp(s, 2.62, 2.85), bowl_out = ramp(s, 3.72, 3.95);
    q.bowl = s > 0 && bowl_out < 1 ? 1 : 0;
    q.bowl_offset = {-190 * (1 - bowl_in) - 230 * bowl_out,
                     -110 * std::sin(pi * bowl_in) * (1 - bowl_in) - 240 * bowl_out + 60 * bowl_out * bowl_out};
    q.bowl_spin = -2 * (1 - bowl_in) - 4 * bowl_out;
    q.carton = s > 0 && carton_out < 1 ? 1 : 0;
    q.carton_offset = {200 * carton_out, -340 * (1 - carton_in * carton_in) - 150 * carton_out + 40 * carton_out * carton_out};
    q.carton_spin = 3.5 * carton_out;
    q.carton_tilt = -1.7 * hold(s, 1.2, 1.65, 2.45, 2.62);
    q.pour = hold(s, 1.64, 1.72, 2.42, 2.5);
    q.bowl_both = lift;
    // The lapping sound has its laps 2.9 s, 3.15 s, 3.4 s and 3.65 s into the action.
    constexpr double first_lap = 2.9, lap_time = 0.25;
    q.bowl_milk = ramp(s, 1.7, 2.45) * (1 - ramp(s, first_lap, first_lap + 3 * lap_time));

    const double watch = hold(s, 0.6, 0.9, 2.45, 2.7);
    p.pupil_dx = -5 * watch;
    p.pupil_dy = 6 * watch;
    p.head_tilt = -0.06 * watch;
    p.head_dy = 4 * lift;
    const double lap = hold(s, 2.8, 2.85, 3.68, 3.72);
    p.tongue = lap * (0.35 + 0.65 * (0.5 + 0.5 * std::cos(2 * pi * (s - first_lap) / lap_time)));
    if (lap > 0.4) p.eyes = EyeLook::happy_arcs;
    p.blush = 0.6 * lap;
    p.tail_wave_size = 0.25 * raise;
    p.tail_wave = 2 * pi * 0.8 * s;
    return sc;
}

Scene eat(double s) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    // The fish is tossed in from the upper right and caught; the bare skeleton goes over the
    // shoulder and out of the picture.
    const double raise = hold(s, 0.05, 0.3, 1.55, 1.9);
    const double eaten = ramp(s, 0.5, 1.45);
    // The fish slides along as it is eaten, so the bite stays at the mouth.
    const double fish_x = 200 - 62 * eaten;
    const Point held[2] = {{fish_x - 31, 246}, {fish_x + 31, 246}};
    for (int side = 0; side < 2; ++side) p.paw[side] = mix(rest_paw[side], held[side], raise);
    const double fly_in = ramp(s, 0.0, 0.3), fly_out = ramp(s, 1.55, 1.85);
    q.fish = s > 0 && fly_out < 1 ? 1 : 0;
    q.fish_offset = {190 * (1 - fly_in) - 300 * fly_out,
                     -300 * (1 - fly_in) * (1 - fly_in) - 330 * fly_out + 80 * fly_out * fly_out};
    q.fish_spin = 3 * (1 - fly_in) - 5 * fly_out;
    q.fish_eaten = eaten;
    const double chew = hold(s, 0.45, 0.5, 1.45, 1.55);
    p.mouth_open = chew * std::max(0.0, wave(s - 0.45, 3.2));
    p.head_dy = 3 * p.mouth_open;
    if (chew > 0.5) p.eyes = EyeLook::happy_arcs;
    p.blush = 0.6 * chew;
    p.pupil_dy = 5 * hold(s, 0.1, 0.3, 0.4, 0.5);
    q.crumbs = chew;
    q.crumbs_fall = s * 3 - std::floor(s * 3);
    p.tail_wave_size = 0.3 * raise;
    p.tail_wave = 2 * pi * 1.2 * s;
    return sc;
}

Scene listen(double s) {
    Scene sc;
    Pose& p = sc.pose;
    // The paw is cupped at the ear within two frames and held there; the head leans into it.
    const double up = hold(s, 0.0, 0.1, 0.38, 0.5);
    p.paw[1] = mix(rest_paw[1], {262, 178}, up);
    p.paw_spread = up;
    p.head_tilt = 0.3 * up;
    p.ear_perk = 0.6 * up;
    p.ear_turn[1] = -0.25 * up;
    p.pupil_dx = 6 * up;
    p.pupil_dy = -2 * up;
    if (up > 0.3) p.mouth = MouthLook::round;
    p.mouth_open = 0.1 * up;
    p.brow = 0.6 * up;
    p.lean = 0.03 * up;
    sc.props.sound_waves = up;
    sc.props.waves_phase = s * 4;
    return sc;
}

Scene foot(double s, int side) {
    Scene sc;
    Pose& p = sc.pose;
    Props& q = sc.props;
    const double outwards = side == 0 ? -1 : 1;
    const double foot_x = side == 0 ? 134 : 182;
    // A finger comes up from below and touches the toes.
    q.hand = rise(s, 0.0, 0.15) * (1 - rise(s, 0.22, 0.42));
    q.hand_shape = HandShape::pointing;
    q.hand_from = {foot_x + outwards * 150, 560};
    q.hand_at = {foot_x + outwards * 12, 452};
    const double startle = hold(s, 0.12, 0.17, 0.2, 0.25);
    p.pupil_size = 1 - 0.45 * startle;
    p.ear_perk = 0.6 * startle;
    // The foot jerks up into the paw and is held there while the cat hops on the other one,
    // landing with each thud of its sound.
    const double lift = hold(s, 0.2, 0.3, 1.14, 1.38);
    p.foot_lift[side] = 80 * lift;
    p.foot_out[side] = 30 * lift;
    p.foot_turn[side] = outwards * 0.5 * lift;
    p.foot_sole[side] = rise(lift, 0.3, 0.8);
    p.paw[side] = mix(rest_paw[side], {foot_x + outwards * 24, 352}, lift);
    p.paw[1 - side] = mix(rest_paw[1 - side], {160 - outwards * 104, 244}, lift);
    p.paw_spread = lift;
    constexpr double first_thud = 0.30, hop_time = 0.42;
    if (s > first_thud && s < first_thud + 2 * hop_time) {
        p.body_dy = -14 * std::sin(pi * std::fmod(s - first_thud, hop_time) / hop_time);
    }
    p.lean = -outwards * 0.04 * lift;
    if (lift > 0.4) p.eyes = EyeLook::squeezed;
    if (lift > 0.15) p.mouth = MouthLook::round;
    p.mouth_open = 0.7 * lift;
    p.brow = lift;
    p.ear_turn[0] = p.ear_turn[1] = 0.4 * lift;
    q.tear = hold(s, 0.35, 0.5, 1.0, 1.25);
    q.pain = hold(s, 0.25, 0.3, 1.05, 1.15);
    q.pain_foot = side;
    return sc;
}

}  // namespace pawlet::art::actions
