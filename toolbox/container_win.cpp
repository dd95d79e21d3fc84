#include "toolbox/container_win.h"

#include "common/files_win.h"
#include "common/handles.h"

namespace {

// Larger files are neither icons nor programs anyone lists icons of.
const size_t kMaxContainerBytes = 256u << 20;

// A resource of the module as bytes; false when there is none.
bool ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, std::vector<uint8_t> *out) {
    HRSRC info = FindResourceA(module, name, type);
    if (!info) return false;
    HGLOBAL loaded = LoadResource(module, info);
    const uint8_t *p = loaded ? (const uint8_t *)LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module, info);
    if (!p || !size) return false;
    out->assign(p, p + size);
    return true;
}

// A resource name as enumerated: an integer identifier or a string.
struct ResourceName {
    WORD id = 0;
    std::string text;
    LPCSTR get() const { return text.empty() ? MAKEINTRESOURCEA(id) : text.c_str(); }
    std::string label() const { return text.empty() ? std::to_string(id) : text; }
};

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    ResourceName n;
    if (IS_INTRESOURCE(name))
        n.id = (WORD)(ULONG_PTR)name;
    else
        n.text = name;
    ((std::vector<ResourceName> *)param)->push_back(n);
    return TRUE;
}

void AddModuleGroups(HMODULE module, bool cursor, IconContainer *out) {
    LPCSTR groupType = cursor ? MAKEINTRESOURCEA(12) : MAKEINTRESOURCEA(14);  // RT_GROUP_CURSOR, RT_GROUP_ICON
    LPCSTR imageType = cursor ? MAKEINTRESOURCEA(1) : MAKEINTRESOURCEA(3);    // RT_CURSOR, RT_ICON
    std::vector<ResourceName> names;
    EnumResourceNamesA(module, groupType, CollectName, (LONG_PTR)&names);
    for (const ResourceName &n : names) {
        IconGroup g;
        g.cursor = cursor;
        g.name = n.label();
        std::vector<uint8_t> group;
        if (!ResourceBytes(module, n.get(), groupType, &group)) {
            g.error = "the group cannot be read";
        } else {
            ResourceFetcher fetch = [&](uint16_t id, std::vector<uint8_t> *data) {
                return ResourceBytes(module, MAKEINTRESOURCEA(id), imageType, data);
            };
            if (!BuildFileFromGroup(group.data(), group.size(), cursor, fetch, &g.file, &g.error)) g.file.clear();
        }
        ++(cursor ? out->cursorGroups : out->iconGroups);
        out->groups.push_back(std::move(g));
    }
}

}  // namespace

ContainerFailure ReadIconContainer(const std::string &path, IconContainer *out) {
    IconContainer c;
    bool opened = false;
    if (!ReadWholeFile(path, kMaxContainerBytes, &c.bytes, &opened))
        return opened ? kContainerTooLarge : kContainerCannotOpen;
    c.kind = ClassifyFile(c.bytes.data(), c.bytes.size());
    switch (c.kind) {
    case kContainerUnknown:
        return kContainerUnknownKind;
    case kContainerIcon:
    case kContainerCursor: {
        IconGroup g;
        g.cursor = c.kind == kContainerCursor;
        g.name = "1";
        g.file = c.bytes;
        ++(g.cursor ? c.cursorGroups : c.iconGroups);
        c.groups.push_back(std::move(g));
        break;
    }
    case kContainerAni:
        c.aniRead = ParseAniFile(c.bytes.data(), c.bytes.size(), &c.ani, &c.aniError);
        if (c.aniRead)
            for (size_t f = 0; f < c.ani.frames.size(); ++f) {
                IconGroup g;
                const uint8_t *p = c.bytes.data() + c.ani.frames[f].offset;
                g.file.assign(p, p + c.ani.frames[f].size);
                g.cursor = ClassifyFile(p, g.file.size()) != kContainerIcon;
                g.name = std::to_string(f);
                g.frame = (int)f;
                c.groups.push_back(std::move(g));
            }
        break;
    case kContainerModule: {
        c.bytes.clear();
        UniqueModule module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (!module) return kContainerNotModule;
        AddModuleGroups(module.get(), false, &c);
        AddModuleGroups(module.get(), true, &c);
        break;
    }
    }
    *out = std::move(c);
    return kContainerOk;
}
