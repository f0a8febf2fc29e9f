#pragma once

namespace pawlet::art {

struct Point {
    double x = 0;
    double y = 0;
};

// Where the resting cat's feet stand, the viewer's left one first.
inline constexpr Point rest_foot[2] = {{134, 452}, {182, 451}};

enum class EyeLook { open, happy_arcs, squeezed, dizzy_spirals };
enum class MouthLook { smile, open, round, wavy, grin, hiss };

// Everything that varies between frames of the one cat. Positions are picture pixels of the
// resting cat; "left"/"right" are as the viewer sees them. The default is the resting pose.
struct Pose {
    // Whole cat, around the point between its feet.
    double body_dx = 0, body_dy = 0;
    double squash = 1;  // < 1 squats, > 1 stretches; width changes the other way
    double lean = 0;    // radians, positive leans to the viewer's right

    // Head, around the neck.
    double head_dx = 0, head_dy = 0;
    double head_tilt = 0;  // radians
    double head_scale = 1; // > 1 the head comes towards the viewer

    double ear_turn[2] = {0, 0};  // radians; positive turns the ear outwards/down
    double ear_perk = 0;          // 1 stretches the ears up, -1 flattens them

    EyeLook eyes = EyeLook::open;
    double eye_open = 1;         // 0 closed .. 1 open (EyeLook::open only)
    double pupil_dx = 0, pupil_dy = 0;
    double pupil_size = 1;
    double spiral_turn = 0;      // radians, turns the dizzy spirals
    double brow = 0;             // -1 angry, 0 none, +1 worried

    MouthLook mouth = MouthLook::smile;
    double mouth_open = 0;       // 0 .. 1
    double tongue = 0;           // 0 .. 1 sticks out
    double blush = 0;            // 0 .. 1
    double whisker_droop = 0;    // radians

    // Paw centres; the rest positions hang beside the chest.
    Point paw[2] = {{106, 302}, {208, 291}};
    double paw_spread = 0;       // 0 .. 1 shows open pads instead of the back of the paw
    double paw_scale = 1;        // > 1: the paws come towards the viewer
    double claws = 0;            // 0 .. 1 claws out

    double foot_lift[2] = {0, 0};  // pixels
    double foot_turn[2] = {0, 0};  // radians
    double foot_out[2] = {0, 0};   // pixels away from the middle
    double foot_sole[2] = {0, 0};  // 0 .. 1 the sole turned to the viewer

    double tail_swing = 0;   // radians, positive swings the tail up and in
    double tail_curl = 0;    // extra bend along the tail
    double tail_pull = 0;    // 0 .. 1 drawn out straight, as by a hand
    double tail_wave = 0;    // phase of an S-wave, radians
    double tail_wave_size = 0;
    double tail_puff = 0;    // 0 .. 1 bristled, thicker tail
    double fur_bristle = 0;  // 0 .. 1 spikes along the back and head
    double belly_dent = 0;   // 0 .. 1 poked belly
    double breathe = 0;      // -1 .. 1 chest size
    double bump = 0;         // 0 .. 1 a lump on top of the head
};

}  // namespace pawlet::art
