#!/usr/bin/env python3
"""Checks the import tables of the shipped modules, as objdump reads them,
against the Windows versions the README states (Windows Vista to Windows 11):
    check_imports.py OBJDUMP MODULE ... [--ordinal DLL:NAME:ORDINAL ...]
- every imported library is one that Windows Vista has, or one of the suite's;
- no function that needs a later Windows than Vista is imported;
- no function of the tests' seams is imported (registry isolation);
- with --ordinal, every MODULE that imports anything of DLL takes NAME by that
  ordinal only, and no module imports a function called NAME by name from any
  library (so it cannot bind to another library's function of the same name).
Prints 'N passed, N failed'."""
import re
import subprocess
import sys

import check_icons  # the readback scripts' tally
from check_icons import check

# The system libraries the suite may import: all in Windows Vista.
SYSTEM = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "comdlg32.dll",
    "shell32.dll", "shlwapi.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll", "ws2_32.dll", "urlmon.dll",
    "version.dll", "winmm.dll", "msimg32.dll", "winspool.drv", "uuid.dll", "psapi.dll",
}
# The suite's own libraries.
SUITE = {"glyphery.dll", "gygraph.dll", "gydib.dll", "gyzoom.dll", "gyscan.dll", "gyphotograbber.dll",
         "gympeg.dll", "qcrw.dll", "qplugin.dll"}
# Functions a runtime or library may pull in that Windows Vista lacks, with
# the first version that has them.
LATER = {
    "GetSystemTimePreciseAsFileTime": "8", "CreateFile2": "8", "GetCurrentThreadStackLimits": "8",
    "SetDefaultDllDirectories": "8", "AddDllDirectory": "8", "RemoveDllDirectory": "8",
    "GetLogicalProcessorInformationEx": "7", "GetActiveProcessorCount": "7",
    "GetMaximumProcessorCount": "7", "SetThreadGroupAffinity": "7", "GetThreadGroupAffinity": "7",
    "TryAcquireSRWLockExclusive": "7", "TryAcquireSRWLockShared": "7", "PowerCreateRequest": "7",
    "SetThreadDescription": "10", "GetThreadDescription": "10", "WaitOnAddress": "8",
    "WakeByAddressSingle": "8", "WakeByAddressAll": "8", "SetProcessDpiAwarenessContext": "10",
    "GetDpiForWindow": "10", "GetDpiForSystem": "10", "SetThreadDpiAwarenessContext": "10",
    "SetProcessDpiAwareness": "8.1", "GetDpiForMonitor": "8.1", "DiscardVirtualMemory": "8.1",
    "PrefetchVirtualMemory": "8", "GetPackageFamilyName": "8", "GetCurrentPackageId": "8",
}
# Seams of the tests: never in a shipped module.
TEST_ONLY = {"RegOverridePredefKey"}

def imports(path, objdump):
    """[(dll, name or None, hint or ordinal)] from objdump's import tables."""
    out = subprocess.run([objdump, "-p", path], capture_output=True, text=True, check=True).stdout
    rows, dll = [], None
    for line in out.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1).lower()
            continue
        # "\t<vma>\t <hint> <name>" for a name, "\t<vma>\t <ordinal>  <none>" for an ordinal.
        m = re.match(r"\t([0-9a-f]+)\t\s*(\d+)\s+(\S+)", line)
        if dll and m:
            name = m.group(3)
            rows.append((dll, None if name == "<none>" else name, int(m.group(2))))
        elif line.startswith("The Export Tables"):
            dll = None
    return rows


def main():
    args = sys.argv[1:]
    objdump, modules, ordinals = args[0], [], []
    rest = args[1:]
    while rest:
        a = rest.pop(0)
        if a == "--ordinal":
            dll, name, ordinal = rest.pop(0).split(":")
            ordinals.append((dll.lower(), name, int(ordinal)))
        else:
            modules.append(a)

    for module in modules:
        rows = imports(module, objdump)
        check(rows, f"{module}: no import table read")
        for dll in sorted({d for d, _, _ in rows}):
            check(dll in SYSTEM or dll in SUITE, f"{module}: imports {dll}, which Windows Vista does not have")
        for dll, name, _ in rows:
            if name in LATER:
                check(False, f"{module}: {dll} {name} needs Windows {LATER[name]}")
            if name in TEST_ONLY:
                check(False, f"{module}: {dll} {name} is a seam of the tests")
        for dll, name, ordinal in ordinals:
            from_dll = [(n, o) for d, n, o in rows if d == dll]
            if from_dll:
                check((None, ordinal) in from_dll, f"{module}: {name} not imported from {dll} by ordinal {ordinal}")
            named = [d for d, n, _ in rows if n == name]
            check(not named, f"{module}: {name} imported by name from {named}")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
