#pragma once
#include <algorithm>
#include <cmath>

#include "cat_pose.h"

// Small easing helpers for writing an action as a function of time in seconds.
namespace pawlet::art::motion {

inline constexpr double pi = 3.141592653589793;

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// 0 before a, 1 after b, smooth in between.
inline double rise(double s, double a, double b) {
    const double t = clamp01((s - a) / (b - a));
    return t * t * (3 - 2 * t);
}

// Rises over a..b, holds, falls over c..d.
inline double hold(double s, double a, double b, double c, double d) { return rise(s, a, b) * (1 - rise(s, c, d)); }

// Linear 0..1 over a..b.
inline double ramp(double s, double a, double b) { return clamp01((s - a) / (b - a)); }

inline double wave(double s, double hz, double phase = 0) { return std::sin(2 * pi * hz * s + phase); }

inline double mix(double a, double b, double t) { return a + (b - a) * t; }
inline Point mix(Point a, Point b, double t) { return {mix(a.x, b.x, t), mix(a.y, b.y, t)}; }

}  // namespace pawlet::art::motion
