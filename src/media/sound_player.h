#pragma once
#include <vector>

#include "base/sound.h"

namespace pawlet {

// Plays sounds in the background: play() returns as soon as the sounds have been handed over.
// The sounds of one call start on the same frame; every sound plays once to its end, heard
// together with whatever else is still playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(std::vector<Sound> sounds) = 0;
};

}  // namespace pawlet
