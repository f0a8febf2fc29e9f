#pragma once
// Sound files made at test time by sox (Debian's package, installed by
// scripts/install-packages.sh) in the build tree: real files in every format the tests need,
// and sox's own decoding and conversion as the reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pawlet::sox_files {

// A file of this test in the build tree: its name carries the test's name, so tests that run at
// the same time never share one.
inline std::filesystem::path scratch(const std::string& name) {
    const std::filesystem::path dir = PAWLET_SCRATCH_DIR;
    std::filesystem::create_directories(dir);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return dir / (std::string(test->test_suite_name()) + "." + test->name() + "." + name);
}

// Runs "sox <arguments>", quietly.
inline ::testing::AssertionResult run_sox(const std::string& arguments) {
    const std::string command = "sox -V1 " + arguments;
    if (std::system(command.c_str()) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "failed: " << command
                                         << " (is sox installed? scripts/install-packages.sh)";
}

inline std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// The samples of a sound file as sox decodes them, as 32-bit floats with the channels side by
// side; output_options ("-r 44100 -c 2") have sox convert them on the way.
inline std::vector<float> sox_decode(const std::filesystem::path& path,
                                     const std::string& output_options = "") {
    const std::filesystem::path raw = path.string() + ".f32";
    if (!run_sox(quoted(path) + " -t raw -e floating-point -b 32 " + output_options + " " + quoted(raw)))
        return {};
    const std::vector<std::uint8_t> bytes = read_bytes(raw);
    std::vector<float> samples(bytes.size() / 4);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 4);
    return samples;
}

}  // namespace pawlet::sox_files
