# Upstream versions of the cross-built libraries, as Debian 12 ships them.
# The set-up refuses a source package whose upstream version differs.
LIBPNG_SOURCE=libpng1.6;      LIBPNG_VERSION=1.6.39
LIBJPEG_SOURCE=libjpeg-turbo; LIBJPEG_VERSION=2.1.5
LIBTIFF_SOURCE=tiff;          LIBTIFF_VERSION=4.5.0
IMAGEMAGICK_SOURCE=imagemagick; IMAGEMAGICK_VERSION=6.9.11.60
