#!/usr/bin/env python3
"""Puts the deliberate faults of tools/mutants.txt into the code one at a time and tells
which tests catch each.

The work happens in a copy of the tree (default /tmp/orvex-mutants/tree) with a build of
its own (unoptimised, through ccache when it is installed), so the working tree and its
build stay untouched. For each fault: the file is changed, only the fault's test targets
are rebuilt, its tests run through CTest, the file is put back. A fault none of its tests
catches has survived; a fault whose text is no longer in the file is stale; a fault that
does not compile is broken. All three make the run fail.

  tools/mutants.py                 every fault
  tools/mutants.py crc-polynomial qvt-range
  tools/mutants.py --check         only checks that every fault's text is in its file
  tools/mutants.py --list          the faults, one a line

Not part of CI: a full run takes a while (about half a minute a fault on two cores).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST = ROOT / "tools" / "mutants.txt"
COPIED = ["CMakeLists.txt", "CMakePresets.json", "cmake", "data", "dist", "src", "sim", "cli",
          "testing", "tests", "tools", "bench", "fuzz"]
FIELDS = ("file", "what", "tests", "from", "to")


class Mutant:
    def __init__(self, ident, fields):
        self.ident = ident
        self.file = fields["file"]
        self.what = fields["what"]
        self.tests = fields["tests"].split()
        self.original = fields["from"].replace("{NL}", "\n")
        self.replacement = fields["to"].replace("{NL}", "\n")


def read_list(path):
    mutants, ident, fields = [], None, {}

    def finish():
        if ident is None:
            return
        missing = [f for f in FIELDS if f not in fields]
        if missing:
            sys.exit(f"{path}: [{ident}] lacks {', '.join(missing)}")
        mutants.append(Mutant(ident, fields))

    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("#") or not line.strip():
            continue
        header = re.fullmatch(r"\[([a-z0-9-]+)\]", line)
        if header:
            finish()
            ident, fields = header.group(1), {}
            continue
        key, sep, value = line.partition(":")
        if ident is None or not sep or key not in FIELDS:
            sys.exit(f"{path}:{number}: not understood: {line}")
        fields[key] = value[1:] if value.startswith(" ") else value
    finish()
    names = [m.ident for m in mutants]
    twice = {n for n in names if names.count(n) > 1}
    if twice:
        sys.exit(f"{path}: named twice: {', '.join(sorted(twice))}")
    return mutants


def check_text(tree, mutant):
    """'' when the fault's text occurs exactly once in its file, else why not."""
    path = tree / mutant.file
    if not path.is_file():
        return f"no file {mutant.file}"
    count = path.read_text(encoding="utf-8").count(mutant.original)
    return "" if count == 1 else f"its text occurs {count} times in {mutant.file}"


def sync_tree(tree):
    """Copies the working tree's files that differ; unchanged files keep their times."""
    seen = set()
    for entry in COPIED:
        source = ROOT / entry
        paths = [source] if source.is_file() else [p for p in source.rglob("*") if p.is_file()]
        for path in paths:
            relative = path.relative_to(ROOT)
            if "__pycache__" in relative.parts:
                continue
            seen.add(relative)
            target = tree / relative
            if target.is_file() and target.read_bytes() == path.read_bytes():
                continue
            target.parent.mkdir(parents=True, exist_ok=True)
            # A fresh time: the copy must look newer than what an earlier run built from it.
            shutil.copy(path, target)
    for entry in COPIED:
        base = tree / entry
        if base.is_dir():
            for path in base.rglob("*"):
                if path.is_file() and path.relative_to(tree) not in seen:
                    path.unlink()


def configure(tree, build):
    if (build / "build.ninja").exists():
        return
    args = ["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja",
            "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0"]
    if shutil.which("ccache"):
        args.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


def build_targets(build, targets, log):
    result = subprocess.run(["cmake", "--build", str(build), "-j2", "--target", *targets],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    log.write(result.stdout)
    return result.returncode == 0


def run_tests(build, tests, timeout, log):
    """The tests that failed (a time-out counts as a failure), and their failing functions."""
    pattern = "^(" + "|".join(re.escape(t) for t in tests) + ")$"
    result = subprocess.run(["ctest", "--test-dir", str(build), "-R", pattern, "-j2",
                             "--timeout", str(timeout), "--output-on-failure"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    log.write(result.stdout)
    passed = set(re.findall(r"Test\s+#\d+:\s+(\S+)\s+\.*\s+Passed", result.stdout))
    functions = sorted(set(re.findall(r"^FAIL!\s+:\s+\w+::(\w+)\(", result.stdout, re.M)))
    return [t for t in tests if t not in passed], functions


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("ids", nargs="*", help="only these faults")
    parser.add_argument("--scratch", default="/tmp/orvex-mutants",
                        help="where the copy of the tree and its build go")
    parser.add_argument("--check", action="store_true", help="only check the faults' texts")
    parser.add_argument("--list", action="store_true", help="list the faults")
    parser.add_argument("--timeout", type=int, default=120, help="seconds a test may take")
    args = parser.parse_args()

    mutants = read_list(LIST)
    if args.ids:
        unknown = set(args.ids) - {m.ident for m in mutants}
        if unknown:
            sys.exit(f"no such fault: {', '.join(sorted(unknown))}")
        mutants = [m for m in mutants if m.ident in args.ids]
    if args.list:
        for m in mutants:
            print(f"{m.ident:32} {m.file:40} {m.what}")
        return 0
    stale = [(m, why) for m in mutants if (why := check_text(ROOT, m))]
    for m, why in stale:
        print(f"stale  {m.ident}: {why}")
    if args.check or stale:
        print(f"{len(mutants) - len(stale)} of {len(mutants)} faults found in the code")
        return 1 if stale else 0

    scratch = Path(args.scratch)
    tree, build = scratch / "tree", scratch / "build"
    sync_tree(tree)
    configure(tree, build)
    log = open(scratch / "mutants.log", "w", encoding="utf-8")
    tests = sorted({t for m in mutants for t in m.tests})
    print(f"building {len(tests)} test targets of {len(mutants)} faults in {build}", flush=True)
    if not build_targets(build, tests, log):
        sys.exit(f"the unchanged tree does not build; see {scratch / 'mutants.log'}")
    failing, _ = run_tests(build, tests, args.timeout, log)
    if failing:
        sys.exit(f"failing before any fault: {' '.join(failing)}")

    results = []
    for number, m in enumerate(mutants, 1):
        started = time.monotonic()
        path = tree / m.file
        original = path.read_text(encoding="utf-8")
        path.write_text(original.replace(m.original, m.replacement, 1), encoding="utf-8")
        log.write(f"\n===== {m.ident}\n")
        try:
            if build_targets(build, m.tests, log):
                caught, functions = run_tests(build, m.tests, args.timeout, log)
                verdict = "caught" if caught else "SURVIVED"
            else:
                caught, functions, verdict = [], [], "BROKEN"
        finally:
            path.write_text(original, encoding="utf-8")  # a new time: rebuilt next time
        seconds = time.monotonic() - started
        results.append((m, verdict, caught, functions))
        print(f"[{number:3}/{len(mutants)}] {verdict:8} {m.ident:32} {' '.join(caught)}"
              f"  ({seconds:.0f} s)", flush=True)

    table = scratch / "results.txt"
    with open(table, "w", encoding="utf-8") as out:
        for m, verdict, caught, functions in results:
            out.write(f"{m.ident}\t{verdict}\t{m.file}\t{m.what}\t{' '.join(caught)}"
                      f"\t{' '.join(functions)}\n")
    bad = [m.ident for m, verdict, _, _ in results if verdict != "caught"]
    print(f"{len(results) - len(bad)} of {len(results)} faults caught; table in {table}")
    if bad:
        print("not caught: " + " ".join(bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
