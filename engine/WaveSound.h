#pragma once
#include <string>

// Plays a wave file asynchronously; the name goes to the platform unchanged, empty or
// not. Replaceable, because the platform's answer says nothing about what it played.
using WavePlayer = void (*)(const std::string& fileName);
extern WavePlayer PlayWaveSound;

// The platform's player: sndPlaySoundA with the asynchronous flag only.
void PlayWaveFile(const std::string& fileName);
