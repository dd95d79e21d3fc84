#!/usr/bin/env python3
"""Checks a DLL's export table as objdump reads it: every NAME:ORDINAL given
must be exported under that undecorated name at that ordinal, every plain NAME
under that name at any ordinal.
    check_exports.py OBJDUMP DLL NAME[:ORDINAL] ...
Prints 'N passed, N failed'."""
import re
import subprocess
import sys

objdump, dll, wanted = sys.argv[1], sys.argv[2], sys.argv[3:]
out = subprocess.run([objdump, "-p", dll], capture_output=True, text=True, check=True).stdout
# "[Ordinal/Name Pointer] Table" rows look like: "\t[   0] saveICON" with a
# separate ordinal base; the export address table rows like "\t[   0] +base[   1] 1234 Export RVA".
base = int(re.search(r"Ordinal Base\s+(\d+)", out).group(1))
names = {}
section = out.split("[Ordinal/Name Pointer] Table", 1)[1]
for m in re.finditer(r"\[\s*(\d+)\]\s+(\S+)", section):
    names[m.group(2)] = int(m.group(1)) + base
passed = failed = 0
for w in wanted:
    name, _, ordinal = w.partition(":")
    got = names.get(name)
    if got is not None and (not ordinal or got == int(ordinal)):
        passed += 1
    else:
        failed += 1
        print(f"FAIL: {dll}: {name} at ordinal {got}, expected {ordinal or 'an export'}")
decorated = [n for n in names if "@" in n]
if decorated:
    failed += 1
    print(f"FAIL: decorated export names: {decorated[:5]}")
else:
    passed += 1
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
