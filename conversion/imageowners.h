// Owners of the image library's objects: an image list, an image info and an
// exception info, each destroyed with the library's own call.
#pragma once
#include <memory>

#include "contracts/gygraph.h"

struct ImageDeleter {
    void operator()(Image *image) const {
        if (image) DestroyImageList(image);
    }
};
typedef std::unique_ptr<Image, ImageDeleter> ImagePtr;
struct ImageInfoDeleter {
    void operator()(ImageInfo *info) const { DestroyImageInfo(info); }
};
typedef std::unique_ptr<ImageInfo, ImageInfoDeleter> ImageInfoPtr;
struct ExceptionDeleter {
    void operator()(ExceptionInfo *e) const { DestroyExceptionInfo(e); }
};
typedef std::unique_ptr<ExceptionInfo, ExceptionDeleter> ExceptionPtr;
