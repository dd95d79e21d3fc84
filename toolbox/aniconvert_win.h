// GlypheryConvert --as ani: an animated cursor from an animated picture
// (GIF, multi-image TIFF) or from a sequence of pictures given in order.
#pragma once

// True when the converter's command line asks for an animated cursor.
bool WantsAnimatedCursor(int argc, char **argv);
// Makes the animated cursor; returns the converter's exit code.
int RunAniConversion(int argc, char **argv);
