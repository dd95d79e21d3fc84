#include "conversion/imagelib_win.h"

#include "contracts/gygraph.h"
#include "conversion/readsize.h"

void EnsureImageLibrary() {
    static bool started = false;
    if (started) return;
    started = true;
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    MagickCoreGenesis(self, MagickFalse);
    // Set before the first picture: the pixel cache takes the side limits
    // when it is made. The sides the library takes are wider than a
    // conversion takes, so that a reader still reports what a picture
    // declares (the PNG reader refuses wider ones without a reason) and
    // ReadSource refuses it by name. Pixel caches beyond the memory limit go
    // to a mapped file, then to disk; beyond the disk limit a picture is
    // refused. (A policy file of the image library can only lower these.)
    const MagickSizeType MiB = 1024 * 1024, librarySide = 1 << 20;
    SetMagickResourceLimit(WidthResource, librarySide);
    SetMagickResourceLimit(HeightResource, librarySide);
    SetMagickResourceLimit(AreaResource, kMaxPicturePixels);
    SetMagickResourceLimit(MemoryResource, 256 * MiB);
    SetMagickResourceLimit(MapResource, 512 * MiB);
    SetMagickResourceLimit(DiskResource, 1024 * MiB);  // the largest picture taken, 8 bytes a pixel
}
