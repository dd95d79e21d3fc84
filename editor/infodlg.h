// The information dialog shown at start-up while `first_time` is set.
#pragma once
#include <windows.h>

#include <cstdint>

// Shows dialog 161 over owner; its check box "Ne plus revoir" sets
// *firstTime to 0 when ticked and to 1 when not.
void ShowInformationDialog(HWND owner, uint32_t *firstTime);
