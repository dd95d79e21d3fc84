#!/usr/bin/env python3
"""Checks the install wizard's copy list (setup/shipfiles.txt) against what
the build ships:
    check_shipped.py OBJDUMP BIN_DIR SHIPFILES MODULES
MODULES lists the programs and libraries the build makes outside tests/
(written by CMake, one file name a line).
- every such module is in the list (setup.exe, which is not copied, aside);
- every name of the list is made by the build (a file of BIN_DIR), once;
- every library of the suite that a listed module imports is in the list,
  ahead of the modules that import it.
Prints 'N passed, N failed'."""
import os
import sys

import check_icons
from check_icons import check
from check_imports import SYSTEM, imports


def main():
    objdump, bin_dir, ship_path, modules_path = sys.argv[1:5]
    with open(ship_path) as f:
        listed = [l.strip() for l in f if l.strip() and not l.startswith("#")]
    with open(modules_path) as f:
        built = sorted({l.strip() for l in f if l.strip()} - {"setup.exe"})
    lower = [n.lower() for n in listed]
    check(len(set(lower)) == len(lower), f"names listed twice: {sorted({n for n in lower if lower.count(n) > 1})}")
    for module in built:
        check(module.lower() in lower,
              f"the build ships {module}, which the install wizard does not copy: add it to setup/shipfiles.txt")
    for name in listed:
        check(os.path.isfile(os.path.join(bin_dir, name)), f"{name} is listed but the build does not make it")
    for i, name in enumerate(listed):
        if not name.lower().endswith((".exe", ".dll")) or not os.path.isfile(os.path.join(bin_dir, name)):
            continue
        for dll in sorted({d for d, _, _ in imports(os.path.join(bin_dir, name), objdump)} - SYSTEM):
            check(dll in lower, f"{name} loads {dll}, which the install wizard does not copy")
            if dll in lower:
                check(lower.index(dll) < i, f"{dll} is copied after {name}, which loads it")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
