// The icons and cursors of one file, whatever holds them: an .ico or .cur
// file (one group), an animated cursor (one group per frame), or a program or
// library (its icon and cursor groups, rebuilt as the files they were made
// from). Programs and libraries are mapped as data files: none of their code
// runs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "iconres/anifile.h"
#include "toolbox/groupfile.h"

struct IconGroup {
    bool cursor = false;
    std::string name;            // resource name, frame number, or "1" for a lone file
    int frame = -1;              // the .ani frame, or -1
    std::vector<uint8_t> file;   // the group as a complete .ico/.cur file image
    std::string error;           // why the group could not be rebuilt (file empty then)
};

struct IconContainer {
    ContainerKind kind = kContainerUnknown;
    std::vector<uint8_t> bytes;  // the file itself (programs: empty)
    std::vector<IconGroup> groups;
    bool aniRead = false;        // animated cursors: the reader accepted the file
    AniContents ani;
    std::string aniError;
    int iconGroups = 0, cursorGroups = 0;
};

enum ContainerFailure { kContainerOk, kContainerCannotOpen, kContainerTooLarge, kContainerUnknownKind,
                        kContainerNotModule };
ContainerFailure ReadIconContainer(const std::string &path, IconContainer *out);
