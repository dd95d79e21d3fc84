/* The gradient and plasma readers, which the image library keeps inside its
   coders: each reads the picture that the image info's file name describes
   ("gradient:red-blue", "plasma:fractal") by naming the coder. */
#include <string.h>

#include <magick/MagickCore.h>

static Image *ReadWithCoder(const char *coder, const ImageInfo *image_info, ExceptionInfo *exception) {
    ImageInfo *info;
    Image *image;
    size_t n;
    if (image_info == (const ImageInfo *)NULL) return (Image *)NULL;
    info = CloneImageInfo(image_info);
    n = strlen(coder);
    if (strncmp(info->filename, coder, n) != 0 || info->filename[n] != ':') {
        char name[MaxTextExtent];
        (void)FormatLocaleString(name, MaxTextExtent, "%s:%s", coder, image_info->filename);
        (void)CopyMagickString(info->filename, name, MaxTextExtent);
    }
    (void)CopyMagickString(info->magick, coder, MaxTextExtent);
    image = ReadImage(info, exception);
    DestroyImageInfo(info);
    return image;
}

Image *ReadGRADIENTImage(const ImageInfo *image_info, ExceptionInfo *exception) {
    return ReadWithCoder("gradient", image_info, exception);
}

Image *ReadPlasmaImage(const ImageInfo *image_info, ExceptionInfo *exception) {
    return ReadWithCoder("plasma", image_info, exception);
}
