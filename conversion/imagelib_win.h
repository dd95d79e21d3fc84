// The image library's start, shared by every program that reads pictures
// through it.
#pragma once
#include <string>

// Makes sure the image library is initialised (once per process), with
// limits that refuse a picture declaring more pixels than a conversion takes
// (readsize.h) and bound the memory its pixel cache may hold.
void EnsureImageLibrary();

// Copies a name into one of the library's fixed file-name fields. The
// library opens files by UTF-8 names; the suite's names are ANSI.
void SetFileName(char *field, const std::string &name);
