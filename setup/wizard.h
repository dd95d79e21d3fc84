// The install wizard: a property sheet in wizard mode with the pages
// Welcome, Installation folder, Options, Copy and Finish.
#pragma once
#include <windows.h>

// Shows the wizard; returns when it ends. 1 when the suite was installed
// completely, 0 otherwise (cancelled, or a file or setting missing).
int RunInstallWizard(HINSTANCE instance);
