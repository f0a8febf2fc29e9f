#pragma once
#include "base/sound.h"

namespace pawlet {

// Plays sounds in the background: play() returns as soon as the sound has been handed over, and
// every sound plays once to its end, heard together with whatever else is still playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(Sound sound) = 0;
};

}  // namespace pawlet
