#include "engine/WaveSound.h"

#include <windows.h>
// mmsystem.h needs the types of windows.h first.
#include <mmsystem.h>

void PlayWaveFile(const std::string& fileName)
{
    sndPlaySoundA(fileName.c_str(), SND_ASYNC);
}

WavePlayer PlayWaveSound = PlayWaveFile;
