#include "cat_sounds.h"

#include <array>
#include <cmath>

#include "loudness.h"

namespace pawlet::art {
namespace {

using namespace synth;

// One claw stroke: a rasping band of noise, chattering as the claws catch.
Samples claw_stroke(Noise& n, double length, double pitch) {
    Samples s = noise(length, n);
    band_pass(s, [&](double t) { return pitch * (1.3 - 0.5 * t / length); }, 2.5);
    const double chatter = n.uniform(55, 80);
    shape(s, [&](double t) {
        return smooth_window(t, 0, 0.02, length, 0.06) * (0.55 + 0.45 * std::sin(2 * pi * chatter * t));
    });
    return s;
}

// Throughout, a sound's events sit at (frame time + 50 ms - cue delay): the frame of time s is on
// the screen from s + 50 ms, after the engine's wait before it.

Samples scratch() {
    // Five strokes, one every 0.227 s as the paws rake the glass in turn from 1.2 s.
    Noise n(101);
    Samples out = silence(0.05);
    for (int k = 0; k < 5; ++k) mix_in(out, claw_stroke(n, 0.2, k % 2 ? 3400 : 2800), 0.05 + 0.227 * k);
    mix_in(out, silence(0.1), 1.15);
    return out;
}

Samples angry_hiss() {
    Noise n(202);
    Samples hiss = noise(0.75, n);
    high_pass(hiss, 2500);
    band_pass(hiss, [](double) { return 5200.0; }, 0.7);
    shape(hiss, [](double t) { return smooth_window(t, 0, 0.05, 0.75, 0.2) * (1 + 0.25 * std::sin(2 * pi * 9 * t)); });
    // A throaty growl under it.
    Samples growl = tone(0.75, [](double t) { return 95 + 8 * std::sin(2 * pi * 6 * t); }, Wave::saw);
    low_pass(growl, 500);
    shape(growl, [](double t) { return smooth_window(t, 0, 0.08, 0.75, 0.25); });
    Samples out = hiss;
    mix_in(out, growl, 0, 0.35);
    return out;
}

Samples cymbal_crash() {
    // Inharmonic square partials plus noise, bright and long-ringing.
    constexpr double partials[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    Samples metal = silence(1.3);
    for (double f : partials) mix_in(metal, tone(1.3, [f](double) { return f * 4.1; }, Wave::square), 0, 1.0 / 6);
    Noise n(303);
    Samples hiss = noise(1.3, n);
    mix_in(metal, hiss, 0, 0.5);
    high_pass(metal, 4000);
    shape(metal, [](double t) { return attack_decay(t, 0.003, 0.35) * 0.8 + exp_decay(t, 0.05) * 0.6; });
    Samples out = silence(0.05);  // the clash is drawn at 0.3 s
    mix_in(out, metal, 0.05);
    return out;
}

// A bubble: a short sine whose pitch rises as it pops.
Samples bubble(double f0, double length) {
    Samples b = tone(length, [=](double t) { return f0 * (1 + 2.5 * t / length); });
    shape(b, [=](double t) { return attack_decay(t, 0.002, length / 3); });
    return b;
}

Samples pour_milk() {
    Noise n(404);
    Samples out = noise(0.95, n);
    low_pass(out, 900);
    band_pass(out, [](double t) { return 600 + 300 * t; }, 1.2);
    shape(out, [](double t) { return 0.5 * smooth_window(t, 0, 0.08, 0.95, 0.15); });
    for (double t = 0.02; t < 0.85; t += n.uniform(0.015, 0.04)) {
        mix_in(out, bubble(n.uniform(500, 900) + 500 * t, n.uniform(0.015, 0.03)), t, n.uniform(0.2, 0.5));
    }
    return out;
}

Samples drink_milk() {
    // Starts with the pouring, which has its own file; the laps come when the bowl is at the mouth.
    Noise n(505);
    Samples out = silence(1.25);
    for (int k = 0; k < 4; ++k) {
        Samples lap = noise(0.1, n);
        band_pass(lap, [](double t) { return 1400 - 6000 * t; }, 3);
        shape(lap, [](double t) { return attack_decay(t, 0.006, 0.035); });
        mix_in(lap, bubble(n.uniform(700, 900), 0.04), 0.02, 0.6);
        mix_in(out, lap, 1.25 + 0.25 * k);
    }
    mix_in(out, silence(0.15), 2.2);
    return out;
}

Samples eat() {
    // A crunch each time the jaws close, 3.2 times a second from 0.61 s.
    Noise n(606);
    Samples out;
    for (int k = 0; k < 3; ++k) {
        const double start = k / 3.2 + 0.156;
        Samples crunch = silence(0.18);
        for (int g = 0; g < 45; ++g) {
            Samples grain = noise(0.005, n);
            mix_in(crunch, grain, n.uniform(0, 0.16), n.uniform(0.3, 1));
        }
        band_pass(crunch, [](double) { return 2200.0; }, 0.8);
        shape(crunch, [](double t) { return exp_decay(t, 0.09); });
        Samples thump = tone(0.12, [](double t) { return 140 - 300 * t; });
        shape(thump, [](double t) { return exp_decay(t, 0.03); });
        mix_in(out, crunch, start);
        mix_in(out, thump, start, 0.5);
    }
    mix_in(out, silence(0.1), 1.05);
    return out;
}

// A buzzing flutter: a pulse with a jittering pitch, flapped at `flap` Hz.
Samples fart(std::uint32_t seed, double length, double f_start, double f_end, double flap, double wet) {
    Noise n(seed);
    Samples jitter = noise(length, n);
    low_pass(jitter, 30);
    Samples buzz = tone(length, [&](double t) {
        const std::size_t i = std::min(at(t), jitter.size() - 1);
        return f_start + (f_end - f_start) * t / length + 120 * jitter[i];
    }, Wave::pulse);
    low_pass(buzz, 700);
    Samples air = noise(length, n);
    band_pass(air, [](double) { return 500.0; }, 1.5);
    mix_in(buzz, air, 0, wet);
    shape(buzz, [&](double t) {
        return smooth_window(t, 0, 0.02, length, 0.12) * (0.6 + 0.4 * std::sin(2 * pi * flap * t));
    });
    return buzz;
}

Samples fart1() { return fart(701, 0.6, 95, 70, 23, 0.2); }
Samples fart2() { return fart(702, 0.35, 170, 230, 35, 0.4); }
Samples fart3() {
    Samples out = fart(703, 0.85, 65, 50, 14, 0.6);
    mix_in(out, bubble(180, 0.08), 0.85, 0.8);  // a little plop at the end
    return out;
}

// Hops: a soft thud every 0.42 s, and a yelp at the start.
Samples foot(std::uint32_t seed, double yelp_from, double yelp_to, double thud_pitch) {
    Noise n(seed);
    Samples out;
    for (int k = 0; k < 3; ++k) {
        Samples thud = tone(0.15, [=](double t) { return thud_pitch * (1 - 2 * t); });
        shape(thud, [](double t) { return attack_decay(t, 0.003, 0.04); });
        Samples scuff = noise(0.05, n);
        low_pass(scuff, 1200);
        mix_in(thud, scuff, 0, 0.3);
        mix_in(out, thud, 0.05 + 0.42 * k, k == 0 ? 1.0 : 0.7);
    }
    Samples yelp = tone(0.35, [=](double t) { return yelp_from + (yelp_to - yelp_from) * t / 0.35 + 25 * std::sin(2 * pi * 11 * t); },
                        Wave::saw);
    yelp = formants(yelp, {[](double) { return 900.0; }, [](double) { return 1500.0; }}, {1.0, 0.6}, 5);
    shape(yelp, [](double t) { return smooth_window(t, 0, 0.03, 0.35, 0.12); });
    mix_in(out, yelp, 0.08, 0.6);
    mix_in(out, silence(0.1), 0.95);
    return out;
}

Samples foot3() { return foot(801, 950, 650, 90); }
Samples foot4() { return foot(802, 1150, 800, 110); }

Samples purr() {
    // A rumble in bursts 26 times a second, louder breathing out than in.
    Noise n(901);
    Samples out = noise(1.4, n);
    band_pass(out, [](double) { return 160.0; }, 0.8);
    Samples body = tone(1.4, [](double t) { return 52 + 3 * std::sin(2 * pi * t / 0.7); }, Wave::saw);
    low_pass(body, 300);
    mix_in(out, body, 0, 0.25);
    shape(out, [](double t) {
        const double breath = 0.7 + 0.3 * std::sin(2 * pi * t / 0.7);
        const double burst = std::pow(std::max(0.0, std::sin(pi * 26 * t)), 2);
        return smooth_window(t, 0, 0.1, 1.4, 0.25) * breath * (0.25 + 0.75 * burst);
    });
    for (double& v : out) v = std::tanh(3 * v);  // evens out the noise peaks
    return out;
}

Samples bell(double f, double length) {
    Samples b = silence(length);
    constexpr double ratios[] = {1.0, 2.76, 5.40};
    constexpr double gains[] = {1.0, 0.45, 0.2};
    for (int k = 0; k < 3; ++k) {
        Samples p = tone(length, [=](double) { return f * ratios[k]; });
        shape(p, [=](double t) { return attack_decay(t, 0.002, 0.35 / (k + 1)); });
        mix_in(b, p, 0, gains[k]);
    }
    return b;
}

Samples stars() {
    // The clonk of the pot on the head at 0.3 s, then a wobbling run of little bells circling
    // round, as the stars do.
    Samples clonk = tone(0.25, [](double t) { return 330 - 120 * t; });
    mix_in(clonk, tone(0.25, [](double) { return 870.0; }), 0, 0.4);
    shape(clonk, [](double t) { return attack_decay(t, 0.002, 0.05); });
    Samples out = silence(0.05);
    mix_in(out, clonk, 0.05, 1.6);
    constexpr double notes[] = {1568, 1319, 1175, 1047, 1175, 1319};
    for (int k = 0; k < 16; ++k) mix_in(out, bell(notes[k % 6] * (1 + 0.01 * std::sin(k)), 0.5), 0.12 + 0.1 * k, 0.8 - k / 25.0);
    Samples wobble = tone(2.0, [](double t) { return 520 + 60 * std::sin(2 * pi * 3 * t); });
    shape(wobble, [](double t) { return 0.15 * smooth_window(t, 0, 0.2, 2.0, 0.6); });
    mix_in(out, wobble, 0);
    out.resize(at(2.0));
    return out;
}

Samples slap() {
    Noise n(1201);
    Samples hit = noise(0.05, n);
    low_pass(hit, 3000);
    shape(hit, [](double t) { return attack_decay(t, 0.001, 0.012); });
    Samples squelch = noise(0.3, n);
    band_pass(squelch, [](double t) { return 1600 - 4000 * t; }, 4);
    shape(squelch, [](double t) { return attack_decay(t, 0.01, 0.08); });
    Samples out = silence(0.05);  // the pie lands at 0.8 s
    mix_in(out, hit, 0.05);
    mix_in(out, squelch, 0.055, 0.8);
    mix_in(out, silence(0.05), 0.4);
    return out;
}

// A voiced vowel: a buzzy source at `pitch`, coloured by two moving formants.
Samples vowel(double length, const Curve& pitch, const Curve& f1, const Curve& f2) {
    Samples src = tone(length, pitch, Wave::saw);
    return formants(src, {f1, f2}, {1.0, 0.5}, 4);
}

Samples sneeze() {
    // "Ah... ah... CHOO", the choo at 0.62 s when the head snaps forward.
    Samples out = silence(0.05);
    for (int k = 0; k < 2; ++k) {
        const double start = 0.05 + 0.28 * k, len = 0.22;
        Samples ah = vowel(len, [=](double t) { return 300 + 60 * k + 150 * t; }, [](double) { return 800.0; },
                           [](double) { return 1250.0; });
        shape(ah, [=](double t) { return smooth_window(t, 0, 0.06, len, 0.08) * (0.4 + 0.3 * k); });
        mix_in(out, ah, start);
    }
    Noise n(1301);
    Samples ch = noise(0.09, n);
    high_pass(ch, 2000);
    shape(ch, [](double t) { return attack_decay(t, 0.005, 0.04); });
    mix_in(out, ch, 0.62);
    Samples oo = vowel(0.3, [](double t) { return 420 - 300 * t; }, [](double) { return 330.0; },
                       [](double) { return 870.0; });
    shape(oo, [](double t) { return smooth_window(t, 0, 0.02, 0.3, 0.15); });
    mix_in(out, oo, 0.66, 0.9);
    mix_in(out, silence(0.05), 0.96);
    return out;
}

Samples meow() {
    // "Mi-aa-ou": the pitch rises and falls while the mouth opens and rounds.
    const double len = 0.75;
    auto pitch = [=](double t) { return 480 + 260 * std::sin(pi * std::min(1.0, t / (len * 0.8))) + 10 * std::sin(2 * pi * 7 * t); };
    auto f1 = [=](double t) { const double u = t / len; return u < 0.4 ? 400 + 1250 * u : 900 - 900 * (u - 0.4); };
    auto f2 = [=](double t) { const double u = t / len; return u < 0.3 ? 2100 - 1500 * u : 1650 - 1200 * (u - 0.3); };
    Samples out = vowel(len, pitch, f1, f2);
    shape(out, [=](double t) { return smooth_window(t, 0, 0.08, len, 0.25) * (t < 0.08 ? 0.5 : 1.0); });
    return out;
}

// One chirped syllable: a vowel with its two formants and a pitch gliding from `from` to `to`.
Samples syllable(double length, double from, double to, double f1, double f2) {
    Samples out = vowel(length, [=](double t) { return from + (to - from) * t / length; }, [=](double) { return f1; },
                        [=](double) { return f2; });
    shape(out, [=](double t) { return smooth_window(t, 0, 0.012, length, 0.03); });
    return out;
}

Samples talk() {
    // "Ma-ow-we-a", one syllable for each mouth shape, 0.1 s apart.
    struct Say {
        double from, to, f1, f2;
    };
    constexpr Say words[] = {{520, 620, 800, 1250}, {600, 470, 450, 800}, {560, 640, 500, 1900}, {600, 440, 750, 1200}};
    Samples out;
    for (int k = 0; k < 4; ++k) {
        const Say& w = words[k];
        mix_in(out, syllable(k == 3 ? 0.12 : 0.09, w.from, w.to, w.f1, w.f2), 0.1 * k);
    }
    mix_in(out, silence(0.05), 0.42);
    return out;
}

Samples yawn() {
    // A breathy "haaa-oum" while the mouth opens, stays wide and closes.
    constexpr double len = 1.05;
    auto pitch = [](double t) { return t < 0.35 ? 380 + 400 * t : 520 - 240 * (t - 0.35); };
    auto f1 = [](double t) { return t < 0.7 ? 700 + 140 * std::min(1.0, t / 0.3) : 840 - 1200 * (t - 0.7); };
    auto f2 = [](double t) { return t < 0.7 ? 1250.0 : 1250 - 1300 * (t - 0.7); };
    Samples out = vowel(len, pitch, f1, f2);
    Noise n(1701);
    Samples breath = noise(len, n);
    band_pass(breath, [](double) { return 1500.0; }, 0.8);
    mix_in(out, breath, 0, 0.25);
    shape(out, [](double t) { return smooth_window(t, 0, 0.25, len, 0.3); });
    mix_in(out, silence(0.05), len);
    return out;
}

struct Recipe {
    std::string_view file;
    Samples (*make)();
};

constexpr std::array<Recipe, 18> recipes{{
    {"scratch_kratzen.wav", scratch},
    {"angry.wav", angry_hiss},
    {"cymbal.wav", cymbal_crash},
    {"pour_milk.wav", pour_milk},
    {"p_drink_milk.wav", drink_milk},
    {"p_eat.wav", eat},
    {"fart001.wav", fart1},
    {"fart002.wav", fart2},
    {"fart003.wav", fart3},
    {"p_foot3.wav", foot3},
    {"p_foot4.wav", foot4},
    {"purr.wav", purr},
    {"p_stars2s.wav", stars},
    {"slap2.wav", slap},
    {"p_sneeze.wav", sneeze},
    {"p_meuu.wav", meow},
    {"p_belly1.wav", talk},
    {"p_belly2.wav", yawn},
}};

}  // namespace

bool make_cat_sound(std::string_view file_name, synth::Samples& out) {
    for (const Recipe& r : recipes) {
        if (r.file == file_name) {
            out = r.make();
            finish(out, level_ceiling);
            level_loudness(out);
            return true;
        }
    }
    return false;
}

}  // namespace pawlet::art
