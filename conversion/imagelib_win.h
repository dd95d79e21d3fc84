// The image library's start, shared by every program that reads pictures
// through it.
#pragma once

// Makes sure the image library is initialised (once per process), with
// limits that refuse a picture declaring more pixels than a conversion takes
// (readsize.h) and bound the memory its pixel cache may hold.
void EnsureImageLibrary();
