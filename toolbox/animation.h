// Frames of an animated picture made into the steps of an animated cursor:
// delays into rates in jiffies (1/60 s) and identical frames stored once.
// Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "iconres/anifile.h"

// A delay of `delay` ticks of 1/ticksPerSecond second (a GIF counts in
// hundredths) as jiffies, rounded to the nearest, and at least 1 so that no
// step shows for no time. A ticksPerSecond of 0 counts as 100.
uint32_t JiffiesFromDelay(uint64_t delay, uint64_t ticksPerSecond);

// One step per frame, in order; a frame whose bytes equal those of a frame
// stored before it is not stored again, and its step shows the stored one
// through the sequence. The "rate" table is written only when the steps'
// rates differ (else the header's rate says it), the "seq " table only when a
// frame was stored once for several steps. rates holds one entry per frame.
AniWriteSpec BuildAnimation(const std::vector<std::vector<uint8_t>> &frames, const std::vector<uint32_t> &rates,
                            const std::string &title, const std::string &author);

// Sets the hot spot of every image of a .cur file image (the two 16-bit
// fields of each directory entry), in pixels from the image's top left,
// kept inside each image. False, and nothing changed, for a file image that
// is not a sound cursor file.
bool SetCursorHotspot(std::vector<uint8_t> *file, unsigned x, unsigned y);
