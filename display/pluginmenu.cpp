#include "display/pluginmenu.h"

namespace {

const int kFirstId = 710, kSkippedId = 720, kLastId = 750;

}  // namespace

int PluginCommandId(size_t n) {
    if (n >= (size_t)(kLastId - kFirstId)) return 0;
    int id = kFirstId + (int)n;
    return id >= kSkippedId ? id + 1 : id;
}

bool IsPluginCommand(int id) { return id >= kFirstId && id <= kLastId && id != kSkippedId; }

bool SplitPluginMenuName(const std::string &text, std::string *category, std::string *name, PluginNameSplit split) {
    size_t slash = split == PluginNameSplit::kAtLastSlash ? text.rfind('/') : text.find('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 == text.size()) return false;
    *category = text.substr(0, slash);
    *name = text.substr(slash + 1);
    return true;
}
