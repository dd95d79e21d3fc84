// Feeds arbitrary bytes to the plug-in host's property list reader. An
// accepted list yields a menu name only for an RGB filter with a name and an
// entry point, and that name fits the limit and holds its category and name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "libs/qplugin/pipl.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    PiplInfo info;
    if (!ParsePipl(data, size, &info)) return 0;
    Check(info.category.size() <= 255 && info.name.size() <= 255);
    std::string menu = PiplMenuName(info, 260);
    if (menu.empty()) return 0;
    Check(info.filter && !info.name.empty() && !PiplEntry(info).empty());
    Check(!info.hasModes || info.supportsRgb);
    Check(menu.size() < 260);
    Check(menu == (info.category.empty() ? std::string("Other") : info.category) + "/" + info.name);
    return 0;
}
