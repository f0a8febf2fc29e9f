#include "sound_sheet.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>

#include "cairo_handles.h"
#include "loudness.h"

namespace pawlet::art {
namespace {

constexpr int window = 512;
constexpr double pixels_per_second = 320;
constexpr int wave_h = 50, spectrum_h = 96, label_h = 18, gap = 10, margin = 10;
constexpr double top_hz = 8000;

void fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * synth::pi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w(1);
            for (std::size_t k = 0; k < len / 2; ++k, w *= step) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

void draw_sound(cairo_t* cr, const NamedSound& sound, double x0, double y0) {
    const auto& s = sound.samples;
    const double seconds = static_cast<double>(s.size()) / synth::sample_rate;
    cairo_set_source_rgb(cr, 0.15, 0.1, 0.08);
    cairo_move_to(cr, x0, y0 + 13);
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    char measures[120];
    std::snprintf(measures, sizeof measures, "  %d ms, heard from %d ms, peak %.1f dB, loudest 100 ms %.1f dB RMS",
                  static_cast<int>(seconds * 1000), static_cast<int>(synth::onset_seconds(s) * 1000),
                  20 * std::log10(std::max(peak, 1e-6)), synth::loudest_rms_db(s));
    const std::string label = sound.name + measures;
    cairo_show_text(cr, label.c_str());
    y0 += label_h;

    const int columns = std::max(1, static_cast<int>(seconds * pixels_per_second));
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, x0, y0, columns, wave_h);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.35, 0.7);
    for (int c = 0; c < columns; ++c) {  // min..max of each column's samples
        const std::size_t a = s.size() * static_cast<std::size_t>(c) / static_cast<std::size_t>(columns);
        const std::size_t b = std::max(a + 1, s.size() * static_cast<std::size_t>(c + 1) / static_cast<std::size_t>(columns));
        const auto [lo, hi] = std::minmax_element(s.begin() + static_cast<std::ptrdiff_t>(a),
                                                  s.begin() + static_cast<std::ptrdiff_t>(std::min(b, s.size())));
        cairo_rectangle(cr, x0 + c, y0 + wave_h / 2.0 * (1 - *hi), 1, std::max(1.0, wave_h / 2.0 * (*hi - *lo)));
    }
    cairo_fill(cr);
    y0 += wave_h + 2;

    // Spectrogram: brightness is the level in dB, 60 dB of range.
    Surface spectrum(cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns, spectrum_h));
    cairo_surface_flush(spectrum.get());
    unsigned char* data = cairo_image_surface_get_data(spectrum.get());
    const int stride = cairo_image_surface_get_stride(spectrum.get());
    std::vector<std::complex<double>> buf(window);
    for (int c = 0; c < columns; ++c) {
        const auto centre = static_cast<std::ptrdiff_t>(s.size() * static_cast<std::size_t>(c) / static_cast<std::size_t>(columns));
        for (int i = 0; i < window; ++i) {
            const std::ptrdiff_t k = centre - window / 2 + i;
            const double hann = 0.5 - 0.5 * std::cos(2 * synth::pi * i / window);
            buf[static_cast<std::size_t>(i)] = (k >= 0 && k < static_cast<std::ptrdiff_t>(s.size())) ? s[static_cast<std::size_t>(k)] * hann : 0.0;
        }
        fft(buf);
        for (int row = 0; row < spectrum_h; ++row) {
            const double hz = top_hz * (spectrum_h - 1 - row) / spectrum_h;
            const auto bin = static_cast<std::size_t>(hz / synth::sample_rate * window);
            const double db = 20 * std::log10(std::abs(buf[bin]) / (window / 4.0) + 1e-9);
            const double v = std::clamp((db + 60) / 60, 0.0, 1.0);
            auto* px = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(row) * stride) + c;
            const auto r = static_cast<std::uint32_t>(255 * std::min(1.0, v * 1.6));
            const auto g = static_cast<std::uint32_t>(255 * std::clamp(v * 1.6 - 0.6, 0.0, 1.0));
            const auto b = static_cast<std::uint32_t>(255 * std::clamp(0.3 + v - v * v * 1.2, 0.0, 1.0));
            *px = r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(spectrum.get());
    cairo_set_source_surface(cr, spectrum.get(), x0, y0);
    cairo_paint(cr);
}

}  // namespace

bool write_sound_sheet(const std::filesystem::path& png, const std::vector<NamedSound>& sounds) {
    std::size_t longest = 1;
    for (const auto& s : sounds) longest = std::max(longest, s.samples.size());
    const int width = 2 * margin + static_cast<int>(static_cast<double>(longest) / synth::sample_rate * pixels_per_second) + 2;
    const int row_h = label_h + wave_h + 2 + spectrum_h + gap;
    const int height = 2 * margin + static_cast<int>(sounds.size()) * row_h + 16;
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    Context cr = make_context(sheet.get());
    cairo_set_source_rgb(cr.get(), 0.93, 0.92, 0.90);
    cairo_paint(cr.get());
    cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr.get(), 12);
    cairo_set_source_rgb(cr.get(), 0.3, 0.3, 0.3);
    cairo_move_to(cr.get(), margin, margin + 10);
    cairo_show_text(cr.get(), "waveform, then spectrogram 0-8 kHz; 320 pixels a second");
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        draw_sound(cr.get(), sounds[i], margin, margin + 16 + static_cast<double>(i) * row_h);
    }
    return cairo_surface_write_to_png(sheet.get(), png.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace pawlet::art
