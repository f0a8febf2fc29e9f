// The sound-sync tick: it stops its timer first, then reads each of the action's sound files from
// the sounds folder and hands the samples to the player, in order; files that cannot play are
// skipped without a word.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "media_writers.h"
#include "pet/sound_cue_win.h"
#include "winkit/handles_win.h"

namespace pawlet {
namespace {

struct RecordingPlayer : SoundPlayer {
    std::vector<Sound> sounds;
    int hand_overs = 0;
    void play(std::vector<Sound> more) override {
        ++hand_overs;
        for (Sound& sound : more) sounds.push_back(std::move(sound));
    }
};

// A sounds folder (its name not plain ASCII, as a user's folder may be) with each file a
// distinct length of silence: 100 frames for the first name, 200 for the second, and so on.
class SoundCue : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"pawlet-声音-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr));
        window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window_);
        timer_ = std::make_unique<WindowTimer>(window_, 7);
    }
    void TearDown() override {
        timer_.reset();
        DestroyWindow(window_);
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(dir_.c_str());
    }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::wstring path = dir_ + std::wstring(name.begin(), name.end());
        FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        files_.push_back(path);
    }
    void write_sounds(const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            write(names[i], media::encode_pcm16_wav(std::vector<std::int16_t>(100 * (i + 1)), 22050));
    }
    std::vector<std::size_t> lengths() const {
        std::vector<std::size_t> out;
        for (const Sound& s : player_.sounds) out.push_back(s.frames());
        return out;
    }

    std::wstring dir_;
    std::vector<std::wstring> files_;
    HWND window_ = nullptr;
    std::unique_ptr<WindowTimer> timer_;
    RecordingPlayer player_;
};

TEST_F(SoundCue, StopsTheTimerThenPlaysTheActionsFilesInOrder) {
    write_sounds({"pour_milk.wav", "p_drink_milk.wav", "angry.wav", "fart001.wav", "fart002.wav",
                  "fart003.wav"});
    struct Case {
        int action;
        std::vector<std::size_t> lengths;
    };
    for (const Case& c : {Case{4, {100, 200}}, Case{2, {300}}, Case{0, {}}, Case{11, {}}, Case{15, {}}}) {
        SCOPED_TRACE(c.action);
        player_ = {};
        timer_->set_period(500);
        play_sound_cue(*timer_, c.action, dir_, player_);
        EXPECT_EQ(timer_->period(), 0);
        EXPECT_EQ(lengths(), c.lengths);
        EXPECT_EQ(player_.hand_overs, c.lengths.empty() ? 0 : 1) << "the cue's sounds go together";
    }
    player_ = {};
    play_sound_cue(*timer_, 6, dir_, player_);
    ASSERT_EQ(player_.sounds.size(), 1u);
    EXPECT_GE(player_.sounds[0].frames(), 400u) << "one of the three farts";
}

TEST_F(SoundCue, FilesThatCannotPlayAreSkipped) {
    std::vector<std::uint8_t> hostile = media::encode_pcm16_wav(std::vector<std::int16_t>(10), 22050);
    hostile[40] = hostile[41] = hostile[42] = hostile[43] = 0xFF;  // data claims 4 GiB
    hostile[4] = hostile[5] = hostile[6] = hostile[7] = 0xFF;
    write("hostile.wav", hostile);
    write("empty.wav", {});
    write("text.wav", std::vector<std::uint8_t>(100, 'x'));
    write("good.wav", media::encode_pcm16_wav(std::vector<std::int16_t>(50), 22050));
    play_sound_files(dir_, {"missing.wav", "empty.wav", "text.wav", "good.wav", "hostile.wav"}, player_);
    EXPECT_EQ(lengths(), (std::vector<std::size_t>{50, 10})) << "the good file and what the hostile one holds";
}

TEST_F(SoundCue, AFileTooLargeForASoundIsNotRead) {
    const std::wstring path = dir_ + L"huge.wav";
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    files_.push_back(path);
    const std::vector<std::uint8_t> header = media::encode_pcm16_wav(std::vector<std::int16_t>(4), 22050);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), header.data(), static_cast<DWORD>(header.size()), &written, nullptr));
    LARGE_INTEGER size{};
    size.QuadPart = (std::int64_t{64} << 20) + 1;
    ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.get()));
    file.reset();
    play_sound_files(dir_, {"huge.wav"}, player_);
    EXPECT_TRUE(player_.sounds.empty());
}

}  // namespace
}  // namespace pawlet
