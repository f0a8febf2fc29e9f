#pragma once
#include "cat_pose.h"

namespace pawlet::art {

enum class HandShape { pointing, stroking, gripping };

// Things around the cat in one frame. Every amount is 0 when the thing is not shown.
struct Props {
    // In the picture, in front of everything.
    double scratch_marks = 0;  // 0..4: how many claw marks have been drawn so far
    double scratch_wipe = 0;   // 0..1: the marks wiped off the glass from the top down
    double stars = 0;          // circling stars above the head
    double stars_turn = 0;     // radians
    double hearts = 0;
    double hearts_rise = 0;    // 0..1 how far they have floated up
    double purr = 0;           // vibration marks at the throat
    double sound_waves = 0;    // arcs coming in towards the cupped right ear
    double waves_phase = 0;
    double spray = 0;          // sneeze droplets flying out of the nose, 0..1 spread
    Point spray_from{163, 194};
    double spray_alpha = 0;
    double fart_cloud = 0;     // opacity
    double fart_size = 0;
    Point fart_at{205, 430};
    double finger = 0;         // 0 hidden .. 1 reaching the belly
    // A person's hand reaching in from `hand_from`, outside the picture, to `hand_at`.
    double hand = 0;           // 0 hidden .. 1 at hand_at
    HandShape hand_shape = HandShape::pointing;
    Point hand_from{0, 0};
    Point hand_at{0, 0};
    double pie = 0;            // 0..1 flying towards the face
    double pie_slide = -1;     // >= 0 after the splat: 0..1 the empty tin falling out of the picture
    double flowerpot = -1;     // 0..1 falling onto the head, > 1 bouncing away
    double speech = 0;         // 0..1 size of the speech bubble
    int speech_words = 0;      // wavy lines in it so far
    double sparkles = 0;
    double sparkle_phase = 0;
    double pain = 0;           // pain marks around a foot
    int pain_foot = 0;         // 0 viewer's left, 1 viewer's right
    double anger_mark = 0;

    // Held in the paws (body coordinates). The offsets carry a prop along its way in or out of
    // the picture, away from the paw that holds it; the spins turn it on the way (radians).
    double cymbals = 0;
    double cymbal_slide = 0;   // 0 in the paws .. 1 outside the picture, each to its own side
    double cymbal_crash = 0;   // crash marks around the closed cymbals
    double carton = 0;         // milk carton in the right paw
    double carton_tilt = 0;    // radians
    Point carton_offset{0, 0};
    double carton_spin = 0;
    double pour = 0;           // milk stream
    double bowl = 0;           // bowl in the left paw, or both
    double bowl_milk = 0;      // 0..1 fill
    double bowl_both = 0;      // 0: in the left paw .. 1: held up in both
    Point bowl_offset{0, 0};
    double bowl_spin = 0;
    double fish = 0;
    double fish_eaten = 0;     // 0..1
    Point fish_offset{0, 0};
    double fish_spin = 0;
    double crumbs = 0;
    double crumbs_fall = 0;

    // On the head (head coordinates).
    double cream = 0;          // pie cream on the face, 1 thick .. 0 slid off
    double sweat = 0;
    double tear = 0;
};

struct Scene {
    Pose pose;
    Props props;
};

}  // namespace pawlet::art
