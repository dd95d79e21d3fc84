"""The count of a readback script's checks: each failed one is printed as it
happens, and the script ends with 'N passed, N failed' and a non-zero exit
status on any failure."""
passed = failed = 0


def check(cond, what):
    global passed, failed
    if cond:
        passed += 1
    else:
        failed += 1
        print("FAIL:", what)


def summary():
    """Prints the count; the exit status the script ends with."""
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0
