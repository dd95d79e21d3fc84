#include "iconlib/hotspot.h"

namespace {

// Reads 1 to 5 digits of a value up to 65535; advances *p past them.
bool ReadNumber(const char **p, int *out) {
    int value = 0, digits = 0;
    while (**p >= '0' && **p <= '9') {
        if (++digits > 5) return false;
        value = value * 10 + (**p - '0');
        ++*p;
    }
    if (digits == 0 || value > 0xFFFF) return false;
    *out = value;
    return true;
}

int ScaleOne(int v, int largest, int size) {
    if (v <= 0 || largest <= 0 || size <= 0) return 0;
    int64_t scaled = (int64_t)v * size / largest;
    return scaled >= size ? size - 1 : (int)scaled;
}

}  // namespace

bool ParseHotspotText(const char *text, int *x, int *y) {
    *x = *y = 0;
    if (!text) return false;
    static const char kKey[] = "hotspot=";
    const char *p = text;
    for (const char *k = kKey; *k; ++k, ++p)
        if (*p != *k) return false;
    int hx, hy;
    if (!ReadNumber(&p, &hx) || *p != ',') return false;
    ++p;
    if (!ReadNumber(&p, &hy) || *p != '\0') return false;
    *x = hx;
    *y = hy;
    return true;
}

void ScaleHotspot(int x, int y, int largest, int size, uint32_t *outX, uint32_t *outY) {
    *outX = (uint32_t)ScaleOne(x, largest, size);
    *outY = (uint32_t)ScaleOne(y, largest, size);
}
