// The drive icon dialog (435): the drives C: to Z: with their icons, and a
// per-drive icon location written under the machine's DriveIcons key at the
// double click.
#pragma once
#include <windows.h>

// "Software\Microsoft\Windows\CurrentVersion\explorer\DriveIcons\<letter>\DefaultIcon"
// under the local machine.
const char kDriveIconKeyFormat[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\DriveIcons\\%c\\DefaultIcon";
