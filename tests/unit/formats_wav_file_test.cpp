#include "formats/wav_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "little_endian.h"
#include "sox_files.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace sox_files;

Bytes text(const char* s) { return Bytes(s, s + std::char_traits<char>::length(s)); }

// A chunk: id, size, body and, after an odd body, the pad byte unless told otherwise.
Bytes chunk(const char* id, const Bytes& body, bool pad = true) {
    Bytes out = text(id);
    little_endian::append32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (pad && body.size() % 2) out.push_back(0);
    return out;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes out = text("RIFF");
    little_endian::append32(out, 0);
    const Bytes wave = text("WAVE");
    out.insert(out.end(), wave.begin(), wave.end());
    for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
    little_endian::store32(out, 4, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

using little_endian::store16;
using little_endian::store32;

// sox writes 8- and 16-bit PCM as RIFF header, a 16-byte "fmt " and "data": 44 bytes of header.
struct PlainParts {
    Bytes format;  // the fmt chunk's body
    Bytes data;    // the data chunk's body, pad byte excluded
};
PlainParts split_plain(const Bytes& file) {
    const std::uint32_t data_size = file[40] | file[41] << 8 | file[42] << 16 | file[43] << 24;
    return {Bytes(file.begin() + 20, file.begin() + 36), Bytes(file.begin() + 44, file.begin() + 44 + data_size)};
}

// A plain 16-byte "fmt " body.
Bytes format_body(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                  std::uint16_t block_align, std::uint16_t bits) {
    Bytes f;
    little_endian::append16(f, tag);
    little_endian::append16(f, channels);
    little_endian::append32(f, rate);
    little_endian::append32(f, rate * block_align);
    little_endian::append16(f, block_align);
    little_endian::append16(f, bits);
    return f;
}

Bytes list_info() {
    Bytes body = text("INFO");
    const Bytes software = chunk("ISFT", text("Lavf59.27.100"));  // odd length: padded inside
    body.insert(body.end(), software.begin(), software.end());
    return body;
}

Bytes make_with_sox(const std::string& name, const std::string& format_options, double seconds,
                    int channels) {
    const auto path = scratch(name + ".wav");
    // Two tones and a little noise, so that every bit of every sample is exercised.
    std::string synth = "synth " + std::to_string(seconds) + " sine 440 sine 1250";
    if (channels > 2) synth += " sine 300";
    EXPECT_TRUE(run_sox("-n -c " + std::to_string(channels) + " " + format_options + " " +
                        quoted(path) + " " + synth + " gain -2"));
    return read_bytes(path);
}

void expect_samples(const Sound& sound, const std::vector<float>& expected) {
    ASSERT_EQ(sound.samples.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(sound.samples[i], expected[i], 1e-6) << "sample " << i;
}

TEST(WavFile, ReadsEveryPcmAndFloatFormatSoxWrites) {
    struct Case {
        const char* name;
        const char* options;  // sox output options
        int rate, channels;
        bool piped;  // written to a pipe: sox cannot go back to fill in the sizes
    };
    const Case cases[] = {
        {"8-bit unsigned mono", "-r 8000 -b 8 -e unsigned-integer", 8000, 1, false},
        {"16-bit mono, the cat's own format", "-r 22050 -b 16 -e signed-integer", 22050, 1, false},
        {"16-bit stereo", "-r 44100 -b 16 -e signed-integer", 44100, 2, false},
        {"24-bit stereo (extensible, fact chunk)", "-r 48000 -b 24 -e signed-integer", 48000, 2, false},
        {"32-bit integer mono (extensible)", "-r 96000 -b 32 -e signed-integer", 96000, 1, false},
        {"32-bit float stereo (fact chunk)", "-r 44100 -b 32 -e floating-point", 44100, 2, false},
        {"64-bit float mono", "-r 11025 -b 64 -e floating-point", 11025, 1, false},
        {"16-bit stereo written to a pipe: sizes far past the end", "-r 32000 -b 16 -e signed-integer",
         32000, 2, true},
        {"8-bit unsigned stereo at 16 kHz", "-r 16000 -b 8 -e unsigned-integer", 16000, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = scratch(std::string(c.name).substr(0, 12) + std::to_string(c.rate) + ".wav");
        const std::string synth = " synth 0.05 sine 440 sine 1250 gain -2";
        const std::string out = quoted(path);
        const std::string command = c.piped ? "-n -c 2 " + std::string(c.options) + " -t wav - " + synth +
                                                  " | cat > " + out
                                            : "-n -c " + std::to_string(c.channels) + " " + c.options +
                                                  " " + out + synth;
        ASSERT_TRUE(run_sox(command));
        const Bytes file = read_bytes(path);
        const auto parsed = parse_wav_file(file);
        ASSERT_TRUE(parsed) << failure_name(parsed.failure());
        EXPECT_EQ(parsed->sample_rate, c.rate);
        EXPECT_EQ(parsed->channels, c.channels);
        expect_samples(*parsed, sox_decode(path));
    }
}

TEST(WavFile, WalksChunksInAnyOrderAndSizesThatDisagreeWithTheFile) {
    const Bytes base = make_with_sox("base", "-r 22050 -b 16 -e signed-integer", 0.02, 1);
    const PlainParts parts = split_plain(base);
    const std::vector<float> all = sox_decode(scratch("base.wav"));
    ASSERT_FALSE(all.empty());
    const Bytes fmt = chunk("fmt ", parts.format), data = chunk("data", parts.data);
    const Bytes fact = chunk("fact", {0x10, 0x00, 0x00, 0x00});
    const Bytes cue = chunk("cue ", Bytes(4 + 24, 0));
    const Bytes odd = chunk("junk", Bytes(7, 0x55));

    struct Case {
        const char* name;
        Bytes file;
        std::size_t frames;  // of `all`
    };
    std::vector<Case> cases = {
        {"LIST, fact and cue chunks between", riff({chunk("LIST", list_info()), fmt, fact, cue, data}),
         all.size()},
        {"data before fmt", riff({data, chunk("LIST", list_info()), fmt}), all.size()},
        {"an odd-sized chunk, padded", riff({fmt, odd, data}), all.size()},
        {"an odd-sized chunk whose writer forgot the pad byte", riff({fmt, chunk("junk", Bytes(7, 0x55), false), data}),
         all.size()},
        {"fmt of 18 bytes (cbSize 0) and of 20 with two more", riff({chunk("fmt ", [&] {
             Bytes f = parts.format;
             f.insert(f.end(), {0, 0, 0xAB, 0xCD});
             return f;
         }()), data}), all.size()},
        {"trailing bytes that are no chunk", [&] {
             Bytes f = riff({fmt, data});
             f.insert(f.end(), {'I', 'D', '3', 3, 0, 0, 0});
             return f;
         }(), all.size()},
        {"data size past the end, file cut inside a frame", [&] {
             Bytes f = riff({fmt, data});
             f.resize(f.size() - 3);
             store32(f, 40, 0xFFFFFFF0u);
             return f;
         }(), all.size() - 2},
        {"a later second data chunk is ignored", riff({fmt, data, chunk("data", Bytes(64, 0x7F))}), all.size()},
    };
    for (const std::uint32_t riff_size : {0u, 4u, 0xFFFFFFFFu}) {
        Bytes f = riff({fmt, chunk("LIST", list_info()), data});
        store32(f, 4, riff_size);
        cases.push_back({"RIFF size that disagrees with the file", f, all.size()});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_wav_file(c.file);
        ASSERT_TRUE(parsed) << failure_name(parsed.failure());
        EXPECT_EQ(parsed->sample_rate, 22050);
        EXPECT_EQ(parsed->channels, 1);
        expect_samples(*parsed, std::vector<float>(all.begin(), all.begin() + static_cast<long>(c.frames)));
    }
}

TEST(WavFile, OddSizedDataIsFollowedByItsPadByte) {
    const auto path = scratch("odd.wav");
    // 11 frames of 8-bit mono: sox pads the data chunk to 12 bytes.
    ASSERT_TRUE(run_sox("-n -r 8000 -c 1 -b 8 -e unsigned-integer " + quoted(path) +
                        " synth 0.001375 sine 440"));
    const PlainParts parts = split_plain(read_bytes(path));
    ASSERT_EQ(parts.data.size(), 11u);
    // The pad byte, then a chunk that must be found after it.
    const Bytes file = riff({chunk("data", parts.data), chunk("fmt ", parts.format)});
    const auto parsed = parse_wav_file(file);
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    expect_samples(*parsed, sox_decode(path));
}

TEST(WavFile, ReadsExtensibleFloatAndNarrowSamplesInWiderContainers) {
    // sox writes 32-bit float as a plain format tag 3; the extensible form is built from it.
    const Bytes plain = make_with_sox("float", "-r 44100 -b 32 -e floating-point", 0.01, 2);
    const std::vector<float> expected = sox_decode(scratch("float.wav"));
    const std::size_t data_at = 12 + 8 + 18 + 8 + 4 + 8;  // fmt (18), fact (4), data header
    ASSERT_EQ(std::string(plain.begin() + 50, plain.begin() + 54), "data");
    Bytes extensible(plain.begin() + 20, plain.begin() + 36);
    store16(extensible, 0, 0xFFFE);
    extensible.insert(extensible.end(), {22, 0, 32, 0, 3, 0, 0, 0});
    extensible.insert(extensible.end(), {3, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});
    const auto parsed = parse_wav_file(
        riff({chunk("fmt ", extensible), chunk("data", Bytes(plain.begin() + data_at, plain.end()))}));
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    expect_samples(*parsed, expected);

    // 20 valid bits in 3-byte containers, as some recorders write: read as the container.
    const Bytes deep = make_with_sox("deep", "-r 48000 -b 24 -e signed-integer", 0.01, 1);
    Bytes narrowed = deep;
    store16(narrowed, 38, 20);  // wValidBitsPerSample
    const auto narrow = parse_wav_file(narrowed);
    ASSERT_TRUE(narrow) << failure_name(narrow.failure());
    expect_samples(*narrow, sox_decode(scratch("deep.wav")));
}

TEST(WavFile, FloatSamplesOutsideTheRangeAreClampedAndNonFiniteOnesSilenced) {
    const Bytes format = format_body(3, 1, 8000, 4, 32);
    Bytes data;
    for (std::uint32_t bits : {0x40000000u /* 2 */, 0xC0400000u /* -3 */, 0x7FC00000u /* NaN */,
                               0x7F800000u /* inf */, 0x3F000000u /* 0.5 */})
        little_endian::append32(data, bits);
    const auto parsed = parse_wav_file(riff({chunk("fmt ", format), chunk("data", data)}));
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    EXPECT_EQ(parsed->samples, (std::vector<float>{1.0f, -1.0f, 0.0f, 0.0f, 0.5f}));
}

TEST(WavFile, NamesWhyAFileCannotPlay) {
    const Bytes base = make_with_sox("base", "-r 22050 -b 16 -e signed-integer", 0.01, 1);
    const PlainParts parts = split_plain(base);
    const Bytes data = chunk("data", parts.data);
    auto with_format = [&](auto edit) {
        Bytes f = parts.format;
        edit(f);
        return riff({chunk("fmt ", f), data});
    };
    auto sox_file = [&](const char* name, const std::string& options, int channels = 1) {
        return make_with_sox(name, options, 0.01, channels);
    };
    Bytes other_subformat = sox_file("ext", "-r 8000 -b 24 -e signed-integer");
    store16(other_subformat, 44, 6);  // A-law's GUID
    Bytes no_frames = riff({chunk("fmt ", parts.format), chunk("data", {0x12})});

    struct Case {
        const char* name;
        Bytes file;
        WavFileFailure expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, WavFileFailure::too_short},
        {"11 bytes", Bytes(base.begin(), base.begin() + 11), WavFileFailure::too_short},
        {"big-endian RIFX", [&] { Bytes f = base; f[3] = 'X'; return f; }(), WavFileFailure::not_riff},
        {"text", text("Hello, this is not a sound at all"), WavFileFailure::not_riff},
        {"an AVI", [&] { Bytes f = base; f[8] = 'A'; f[9] = 'V'; f[10] = 'I'; f[11] = ' '; return f; }(),
         WavFileFailure::not_wave},
        {"header only", Bytes(base.begin(), base.begin() + 12), WavFileFailure::no_format_chunk},
        {"data only", riff({data}), WavFileFailure::no_format_chunk},
        {"fmt behind a data chunk that claims the rest of the file",
         [&] { Bytes f = riff({data, chunk("fmt ", parts.format)}); store32(f, 16, 0x7FFFFFFF); return f; }(),
         WavFileFailure::no_format_chunk},
        {"fmt of 14 bytes", riff({chunk("fmt ", Bytes(parts.format.begin(), parts.format.begin() + 14)), data}),
         WavFileFailure::format_chunk_too_short},
        {"file ends inside fmt", Bytes(base.begin(), base.begin() + 30), WavFileFailure::format_chunk_too_short},
        {"extensible tag with an 18-byte fmt", with_format([](Bytes& f) { store16(f, 0, 0xFFFE); f.insert(f.end(), {22, 0}); }),
         WavFileFailure::format_chunk_too_short},
        {"no data chunk", riff({chunk("fmt ", parts.format), chunk("LIST", list_info())}), WavFileFailure::no_data_chunk},
        {"fmt claims the rest of the file", [&] { Bytes f = riff({chunk("fmt ", parts.format), data}); store32(f, 16, 1000); return f; }(),
         WavFileFailure::no_data_chunk},
        {"mu-law", sox_file("mulaw", "-r 8000 -e mu-law"), WavFileFailure::unsupported_encoding},
        {"A-law", sox_file("alaw", "-r 8000 -e a-law"), WavFileFailure::unsupported_encoding},
        {"IMA ADPCM", sox_file("ima", "-r 8000 -e ima-adpcm"), WavFileFailure::unsupported_encoding},
        {"MS ADPCM", sox_file("msadpcm", "-r 8000 -e ms-adpcm"), WavFileFailure::unsupported_encoding},
        {"GSM", sox_file("gsm", "-r 8000 -e gsm-full-rate"), WavFileFailure::unsupported_encoding},
        {"format tag 0", with_format([](Bytes& f) { store16(f, 0, 0); }), WavFileFailure::unsupported_encoding},
        {"extensible with A-law inside", other_subformat, WavFileFailure::unsupported_encoding},
        {"no channels", with_format([](Bytes& f) { store16(f, 2, 0); }), WavFileFailure::no_channels},
        {"three channels", sox_file("three", "-r 8000 -b 16", 3), WavFileFailure::too_many_channels},
        {"65535 channels", with_format([](Bytes& f) { store16(f, 2, 0xFFFF); }), WavFileFailure::too_many_channels},
        {"0 bits", with_format([](Bytes& f) { store16(f, 14, 0); }), WavFileFailure::unsupported_sample_size},
        {"40-bit integers", with_format([](Bytes& f) { store16(f, 14, 40); store16(f, 12, 5); }),
         WavFileFailure::unsupported_sample_size},
        {"16-bit float", with_format([](Bytes& f) { store16(f, 0, 3); }), WavFileFailure::unsupported_sample_size},
        {"block align 0", with_format([](Bytes& f) { store16(f, 12, 0); }), WavFileFailure::bad_block_align},
        {"block align 3 for 16-bit mono", with_format([](Bytes& f) { store16(f, 12, 3); }), WavFileFailure::bad_block_align},
        {"block align 65535", with_format([](Bytes& f) { store16(f, 12, 0xFFFF); }), WavFileFailure::bad_block_align},
        {"rate 0", with_format([](Bytes& f) { store32(f, 4, 0); }), WavFileFailure::unsupported_rate},
        {"rate 3999", with_format([](Bytes& f) { store32(f, 4, 3999); }), WavFileFailure::unsupported_rate},
        {"rate 4 GHz", with_format([](Bytes& f) { store32(f, 4, 0xFFFFFFFF); }), WavFileFailure::unsupported_rate},
        {"empty data", riff({chunk("fmt ", parts.format), chunk("data", {})}), WavFileFailure::no_samples},
        {"half a frame", no_frames, WavFileFailure::no_samples},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_wav_file(c.file);
        ASSERT_FALSE(parsed);
        EXPECT_STREQ(failure_name(parsed.failure()), failure_name(c.expected));
    }
}

TEST(WavFile, RefusesMoreSamplesThanASoundMayHold) {
    const Bytes format = format_body(1, 1, 8000, 1, 8);
    Bytes file = riff({chunk("fmt ", format), chunk("data", Bytes(longest_sound_samples, 128))});
    const auto longest = parse_wav_file(file);
    ASSERT_TRUE(longest) << failure_name(longest.failure());
    EXPECT_EQ(longest->samples.size(), longest_sound_samples);

    file.push_back(128);
    store32(file, 40, static_cast<std::uint32_t>(longest_sound_samples + 1));
    const auto longer = parse_wav_file(file);
    ASSERT_FALSE(longer);
    EXPECT_EQ(longer.failure(), WavFileFailure::too_long);
}

// Every prefix of a file with several chunks, and every one-byte change of its headers, either
// parses or names a failure; run under the sanitizers this also shows no read outside the buffer.
TEST(WavFile, CutAndDamagedFilesNeverReadOutsideTheBuffer) {
    const Bytes base = make_with_sox("base", "-r 8000 -b 16 -e signed-integer", 0.002, 2);
    const PlainParts parts = split_plain(base);
    const Bytes file = riff({chunk("LIST", list_info()), chunk("data", parts.data),
                             chunk("junk", Bytes(3, 1)), chunk("fmt ", parts.format)});
    for (std::size_t length = 0; length <= file.size(); ++length) {
        const auto parsed = parse_wav_file(Bytes(file.begin(), file.begin() + static_cast<long>(length)));
        if (parsed) {
            EXPECT_LE(parsed->samples.size(), parts.data.size() / 2);
        }
    }
    const std::size_t header_end = file.size() - parts.format.size() - 8 - parts.data.size();
    for (std::size_t at = 0; at < file.size(); at = at < header_end ? at + 1 : at + 7) {
        for (const int value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            Bytes damaged = file;
            damaged[at] = static_cast<std::uint8_t>(value);
            const auto parsed = parse_wav_file(damaged);
            if (parsed) {
                EXPECT_LE(parsed->samples.size(), file.size());
            }
        }
    }
}

}  // namespace
}  // namespace pawlet
