#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "pet/engine_host.h"

namespace pawlet::testing {

// An engine host on a virtual clock. Waits advance the clock; "messages" scheduled at chosen
// times run inside whichever wait covers them, in time order, as pump_wait would dispatch them.
class VirtualClockHost : public EngineHost {
public:
    struct Picture {
        long time;
        std::string name;
        bool shown;  // false: the file was missing and the sprite went blank
    };
    struct TimerWrite {
        long time;
        int period;
    };

    long now = 0;
    long hide_window_at = 60'000;      // window_visible() turns false from then on
    int load_ms_per_picture = 0;       // time a present file takes to read and decode
    std::set<std::string, std::less<>> missing_files;
    std::vector<Picture> pictures;
    std::vector<TimerWrite> timer_writes;
    std::vector<long> wait_lengths;

    // Runs `message` inside the wait that covers virtual time `time`.
    void at(long time, std::function<void()> message) { messages_.emplace(time, std::move(message)); }

    bool window_visible() override { return now < hide_window_at; }

    void wait(int milliseconds, bool (*return_early)(const void*), const void* context) override {
        wait_lengths.push_back(milliseconds);
        const long end = now + milliseconds;
        while (!messages_.empty() && messages_.begin()->first < end) {
            auto message = std::move(messages_.begin()->second);
            if (messages_.begin()->first > now) now = messages_.begin()->first;
            messages_.erase(messages_.begin());
            message();
            if (return_early && return_early(context)) return;
        }
        now = end;
    }

    void show_picture_file(std::string_view relative_name) override {
        const bool present = !missing_files.contains(relative_name);
        pictures.push_back({now, std::string(relative_name), present});
        if (present) now += load_ms_per_picture;
    }

    void set_sound_timer_period(int milliseconds) override {
        timer_writes.push_back({now, milliseconds});
    }

    // Pictures set at or after `from` (virtual ms).
    std::vector<Picture> pictures_from(long from) const {
        std::vector<Picture> result;
        for (const auto& p : pictures) {
            if (p.time >= from) result.push_back(p);
        }
        return result;
    }

private:
    std::multimap<long, std::function<void()>> messages_;
};

}  // namespace pawlet::testing
