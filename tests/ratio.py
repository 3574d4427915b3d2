#!/usr/bin/env python3
"""Prints the size of the production code and of the tests, and their ratio.

Counts the non-blank lines of .h, .cpp and .qml files that hold more than a comment (QML comments are
written as C++ ones). Production code is every such file outside tests/, bench/, fuzz/, the build
folders and the programs' own test folders (apps/<program>/tests/); unit tests are tests/ without
tests/stress/ (the test kit in tests/support/ included), stress tests are tests/stress/, program tests
are the test folders of the programs under apps/.
Usage: tests/ratio.py [ROOT]   (ROOT defaults to the checkout holding this script)
"""
import os
import sys

SKIPPED_TOP = {"tests", "bench", "fuzz", "build", ".git"}


def code_lines(text):
    """Number of lines holding code once comments are removed (strings and chars kept intact)."""
    count = 0
    in_block = False
    for line in text.splitlines():
        has_code = False
        i, n = 0, len(line)
        quote = None
        while i < n:
            c = line[i]
            if in_block:
                if line.startswith("*/", i):
                    in_block = False
                    i += 2
                else:
                    i += 1
                continue
            if quote:
                if c == "\\":
                    i += 2
                    continue
                if c == quote:
                    quote = None
                i += 1
                continue
            if line.startswith("//", i):
                break
            if line.startswith("/*", i):
                in_block = True
                i += 2
                continue
            if c in "\"'":
                # a digit separator (1'000) is no character literal
                if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                    i += 1
                    has_code = True
                    continue
                quote = c
            if not c.isspace():
                has_code = True
            i += 1
        if has_code:
            count += 1
    return count


SOURCE_SUFFIXES = (".h", ".cpp", ".qml")


def is_program_tests(folder):
    """True for apps/<program>/tests and what lies below it."""
    parts = os.path.normpath(folder).split(os.sep)
    return len(parts) >= 3 and parts[0] == "apps" and parts[2] == "tests"


def count_tree(root, top_filter, folder_filter=lambda folder: True):
    totals = {}
    for top in sorted(os.listdir(root)):
        path = os.path.join(root, top)
        if not os.path.isdir(path) or not top_filter(top):
            continue
        for folder, dirs, files in os.walk(path):
            dirs[:] = [d for d in dirs if not os.path.exists(os.path.join(folder, d, "CMakeCache.txt"))]
            if not folder_filter(os.path.relpath(folder, root)):
                continue
            for name in files:
                if name.endswith(SOURCE_SUFFIXES):
                    with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                        totals[top] = totals.get(top, 0) + code_lines(f.read())
    return totals


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    production = count_tree(root, lambda top: top not in SKIPPED_TOP and not top.startswith("."),
                            lambda folder: not is_program_tests(folder))
    prod_total = sum(production.values())
    stress = sum(count_tree(os.path.join(root, "tests"), lambda top: top == "stress").values())
    unit = sum(count_tree(os.path.join(root, "tests"), lambda top: top != "stress").values())
    program = sum(count_tree(root, lambda top: top == "apps", is_program_tests).values())
    print("production code (non-blank, non-comment lines of .h/.cpp/.qml outside the test folders, bench/, fuzz/)")
    for top, lines in production.items():
        print(f"  {top + '/':<20}{lines:>7}")
    print(f"  {'total':<20}{prod_total:>7}")
    pct = (lambda n: 100.0 * n / prod_total) if prod_total else (lambda n: 0.0)
    print(f"unit tests            {unit:>7}  ({pct(unit):.0f} %)")
    print(f"stress tests          {stress:>7}  ({pct(stress):.0f} %)")
    print(f"program tests         {program:>7}  ({pct(program):.0f} %)")
    print(f"tests / production    {unit + stress + program:>7}  ({pct(unit + stress + program):.1f} %)")


if __name__ == "__main__":
    main()
