// Our frame step side by side with the decoders it could stand on, over the drawn cat's frames:
// libjpeg-turbo decoding the same files into one reused buffer (the floor for this format with
// this library), the same with its SIMD switched off, and stb_image. The SIMD-less run is a second
// process of this program: libjpeg-turbo reads JSIMD_FORCENONE once, at its first decode.
//
//   pawlet_decode_comparison [--rounds N] [--frames DIR]
//
// Figures are CPU time of this thread per frame (medians over every frame of every round), so
// other processes' load inflates them far less than wall time; wall medians are printed beside.
// The methods take turns frame by frame, so a burst of load falls on all of them alike.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

// jpeglib.h leans on <cstdio> and <cstddef> being included first.
#include <jpeglib.h>
#include <stb/stb_image.h>

#include "formats/jpeg_decode.h"
#include "media/sprite_box.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

struct Options {
    int rounds = 5;
    fs::path frames = PAWLET_CAT_ANIMATIONS_DIR;
    fs::path background = PAWLET_BACKGROUND_JPEG;
    bool floor_only = false;  // the second process: print the floor's figures and stop
    bool tsv = false;         // key, CPU median, CPU p95, wall median per line, for scripts
};

double seconds_of(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One timed sample: CPU time of this thread and wall time, in milliseconds.
struct Stopwatch {
    double cpu = seconds_of(CLOCK_THREAD_CPUTIME_ID);
    double wall = seconds_of(CLOCK_MONOTONIC);
    struct Lap {
        double cpu_ms, wall_ms;
    };
    Lap lap() {
        const double c = seconds_of(CLOCK_THREAD_CPUTIME_ID), w = seconds_of(CLOCK_MONOTONIC);
        const Lap out{(c - cpu) * 1e3, (w - wall) * 1e3};
        cpu = c;
        wall = w;
        return out;
    }
};

struct Samples {
    std::vector<double> cpu, wall;
    void add(Stopwatch::Lap lap) {
        cpu.push_back(lap.cpu_ms);
        wall.push_back(lap.wall_ms);
    }
    static double quantile(std::vector<double> v, double q) {
        if (v.empty()) return 0;
        std::sort(v.begin(), v.end());
        return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
    }
    double cpu_median() const { return quantile(cpu, 0.5); }
    double cpu_p95() const { return quantile(cpu, 0.95); }
    double wall_median() const { return quantile(wall, 0.5); }
};

Bytes read_file(const fs::path& path) {
    Bytes bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        const long size = std::ftell(f);
        std::fseek(f, 0, SEEK_SET);
        if (size > 0) {
            bytes.resize(static_cast<std::size_t>(size));
            if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
        }
        std::fclose(f);
    }
    return bytes;
}

// Every .jpg below `dir` that our decoder takes, in name order.
std::vector<fs::path> frame_paths(const fs::path& dir) {
    std::vector<fs::path> paths;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".jpg") paths.push_back(it->path());
    std::sort(paths.begin(), paths.end());
    std::erase_if(paths, [](const fs::path& p) { return !pawlet::decode_jpeg(read_file(p)); });
    return paths;
}

// libjpeg-turbo with nothing of ours around it: one decompressor for every frame, rows straight
// into one buffer kept from frame to frame. The frames were checked above, so the library's
// default error handling (which ends the process) never runs.
class FloorDecoder {
public:
    FloorDecoder() {
        cinfo_.err = jpeg_std_error(&error_);
        jpeg_create_decompress(&cinfo_);
    }
    ~FloorDecoder() { jpeg_destroy_decompress(&cinfo_); }
    FloorDecoder(const FloorDecoder&) = delete;
    FloorDecoder& operator=(const FloorDecoder&) = delete;

    void decode(const Bytes& jpeg) {
        jpeg_mem_src(&cinfo_, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&cinfo_, TRUE);
        cinfo_.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&cinfo_);
        const std::size_t row_bytes = std::size_t{cinfo_.output_width} * 4;
        pixels_.resize(row_bytes * cinfo_.output_height);
        while (cinfo_.output_scanline < cinfo_.output_height) {
            JSAMPROW rows[16];
            const JDIMENSION first = cinfo_.output_scanline;
            const JDIMENSION count = std::min<JDIMENSION>(16, cinfo_.output_height - first);
            for (JDIMENSION i = 0; i < count; ++i) rows[i] = pixels_.data() + row_bytes * (first + i);
            jpeg_read_scanlines(&cinfo_, rows, count);
        }
        jpeg_finish_decompress(&cinfo_);
    }

private:
    jpeg_error_mgr error_{};
    jpeg_decompress_struct cinfo_{};
    std::vector<std::uint8_t> pixels_;
};

// What the program does for each frame: read the file into a fresh buffer, decode it into the
// sprite's kept picture, release the buffer, compose the marked areas for the paint.
struct FrameStep {
    pawlet::SpriteBox box;
    int sprite;
    std::vector<std::uint32_t> surface;

    explicit FrameStep(const pawlet::Picture* background)
        : box(318, 478, 0xFFF0F0F0u, background), sprite(box.create_sprite(0, 0)),
          surface(318 * 478) {}

    void run(const fs::path& path, Samples& read, Samples& decode, Samples& compose, Samples& all) {
        Stopwatch whole, part;
        {
            const Bytes bytes = read_file(path);
            read.add(part.lap());
            box.fill_sprite_picture(sprite, [&bytes](pawlet::Picture& into) {
                return pawlet::decode_jpeg_into(bytes, into).as_optional();
            });
        }
        decode.add(part.lap());
        for (const pawlet::Rect& area : box.take_dirty_areas())
            box.compose(area, surface.data() + area.top * 318 + area.left, 318);
        compose.add(part.lap());
        all.add(whole.lap());
    }
};

void stb_decode(const Bytes& jpeg) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(jpeg.data(), static_cast<int>(jpeg.size()), &width,
                                            &height, &channels, 4);
    stbi_image_free(pixels);
}

Samples time_floor(const std::vector<Bytes>& frames, int rounds) {
    FloorDecoder floor;
    Samples samples;
    for (int r = 0; r < rounds; ++r)
        for (const Bytes& jpeg : frames) {
            Stopwatch watch;
            floor.decode(jpeg);
            samples.add(watch.lap());
        }
    return samples;
}

struct Row {
    const char* key;    // the name in --tsv output
    const char* label;  // the name in the table
    double cpu_median, cpu_p95, wall_median;
};

Row row_of(const char* key, const char* label, const Samples& s) {
    return {key, label, s.cpu_median(), s.cpu_p95(), s.wall_median()};
}

// The floor again in a child process with libjpeg-turbo's SIMD off.
bool floor_without_simd(const Options& options, Row& row) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return false;
    const std::string command = "JSIMD_FORCENONE=1 '" + self.string() + "' --floor-only --rounds " +
                                std::to_string(options.rounds) + " --frames '" +
                                options.frames.string() + "'";
    std::FILE* child = popen(command.c_str(), "r");
    if (!child) return false;
    const int got = std::fscanf(child, "%lf %lf %lf", &row.cpu_median, &row.cpu_p95, &row.wall_median);
    return pclose(child) == 0 && got == 3;
}

bool parse_options(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--floor-only") options.floor_only = true;
        else if (arg == "--tsv") options.tsv = true;
        else if (arg == "--rounds" && i + 1 < argc) options.rounds = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--frames" && i + 1 < argc) options.frames = argv[++i];
        else return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse_options(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--rounds N] [--frames DIR] [--tsv]\n", argv[0]);
        return 2;
    }
    const std::vector<fs::path> paths = frame_paths(options.frames);
    if (paths.empty()) {
        std::fprintf(stderr, "decode comparison: no JPEG frames under %s (build the native preset)\n",
                     options.frames.c_str());
        return 1;
    }
    std::vector<Bytes> frames;
    std::size_t total_bytes = 0;
    for (const fs::path& p : paths) {
        frames.push_back(read_file(p));
        total_bytes += frames.back().size();
    }
    if (options.floor_only) {
        const Samples floor = time_floor(frames, options.rounds);
        std::printf("%.6f %.6f %.6f\n", floor.cpu_median(), floor.cpu_p95(), floor.wall_median());
        return 0;
    }

    const auto background = pawlet::decode_jpeg(read_file(options.background));
    FrameStep step(background ? &*background : nullptr);
    FloorDecoder floor;
    Samples read, decode, compose, whole, floor_samples, stb;
    for (int r = 0; r < options.rounds; ++r)
        for (std::size_t i = 0; i < frames.size(); ++i) {
            step.run(paths[i], read, decode, compose, whole);
            Stopwatch watch;
            floor.decode(frames[i]);
            floor_samples.add(watch.lap());
            stb_decode(frames[i]);
            stb.add(watch.lap());
        }

    std::vector<Row> rows{
        row_of("step", "our frame step (read + decode + compose)", whole),
        row_of("read", "  read the file", read),
        row_of("decode", "  decode into the sprite's picture", decode),
        row_of("compose", "  compose the marked areas", compose),
        row_of("floor", "libjpeg-turbo into a reused buffer (floor)", floor_samples),
    };
    Row plain{"nosimd", "libjpeg-turbo, SIMD off (JSIMD_FORCENONE=1)", 0, 0, 0};
    if (floor_without_simd(options, plain)) rows.push_back(plain);
    else std::fprintf(stderr, "decode comparison: the run with SIMD off failed\n");
    rows.push_back(row_of("stb", "stb_image (allocates its picture per frame)", stb));

    if (options.tsv) {
        for (const Row& r : rows)
            std::printf("%s\t%.6f\t%.6f\t%.6f\n", r.key, r.cpu_median, r.cpu_p95, r.wall_median);
        return 0;
    }
    const double floor_cpu = floor_samples.cpu_median();
    std::printf("decode comparison: %zu frames of the drawn cat (%s), mean %zu bytes, %d rounds\n",
                frames.size(), options.frames.c_str(), total_bytes / frames.size(), options.rounds);
    std::printf("  %-44s %8s %8s %8s %9s\n", "per frame, ms", "CPU med", "CPU p95", "wall med",
                "vs floor");
    for (const Row& r : rows)
        std::printf("  %-44s %8.3f %8.3f %8.3f %8.2fx\n", r.label, r.cpu_median, r.cpu_p95,
                    r.wall_median, r.cpu_median / floor_cpu);
    const double to_floor = whole.cpu_median() / floor_cpu;
    const double stb_ratio = stb.cpu_median() / whole.cpu_median();
    std::printf("  frame step / floor      %5.2f  (goal <= 1.20: %s)\n", to_floor,
                to_floor <= 1.2 ? "met" : "NOT met");
    std::printf("  stb_image / frame step  %5.2f  (goal >= 1.40: %s)\n", stb_ratio,
                stb_ratio >= 1.4 ? "met" : "NOT met");
    return 0;
}
