#!/usr/bin/env python3
"""Measures what the test suite catches: plants faults in the library one at
a time and runs the test programs that cover them.

Each fault in tests/faults.ini replaces one piece of library source with a
wrong one (an off-by-one, a dropped check, a swapped argument). The script
checks out the commit under test into a scratch work tree, builds it once
(x86_64 unless TQ_ARCH says otherwise), then for each fault: plants it,
rebuilds the DLL and the fault's test programs (a fault in a header reaches
the programs that include it), runs those programs through ctest (with their
environment and fixtures) and restores the source. A fault is caught when a
test program fails, crashes or times out.

    xvfb-run -a scripts/plant-faults.py [--commit REV] [--only ID ...] [--list]

(the test programs need an X display).

Prints one line per fault (for a caught one, the test cases that failed) and
the count caught; exits 1 when a fault that
plants cleanly is missed, 2 when the suite fails without any fault.
"""
import argparse
import configparser
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FAULTS = os.path.join(ROOT, "tests", "faults.ini")
TIMEOUT = 900


def run(cmd, cwd=None, quiet=True, timeout=None):
    out = subprocess.DEVNULL if quiet else None
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=out, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def load_faults():
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    with open(FAULTS, encoding="utf-8") as f:
        parser.read_file(f)
    faults = []
    for fid in parser.sections():
        s = parser[fid]
        faults.append({"id": fid, "file": s["file"], "old": s["old"], "new": s["new"],
                       "tests": s["tests"].split(), "nth": int(s.get("nth", "1"))})
    return faults


def plant(tree, fault):
    """Returns the original text, or None when the fault's source is not there."""
    path = os.path.join(tree, fault["file"])
    with open(path, encoding="latin-1") as f:
        text = f.read()
    at = -1
    for _ in range(fault["nth"]):
        at = text.find(fault["old"], at + 1)
        if at < 0:
            return None
    with open(path, "w", encoding="latin-1") as f:
        f.write(text[:at] + fault["new"] + text[at + len(fault["old"]):])
    return text


def restore(tree, fault, text):
    with open(os.path.join(tree, fault["file"]), "w", encoding="latin-1") as f:
        f.write(text)


def program_targets(programs):
    """The executables behind ctest names: tqtest_graphics_imagemagick runs
    tqtest_graphics."""
    return sorted({"tqtest_" + p.split("_")[0] for p in programs})


def failing_tests(build, programs):
    """None when the programs pass; otherwise the test cases that failed (empty
    when a program crashed or timed out before reporting any)."""
    regex = "^(" + "|".join("tqtest_" + p for p in programs) + ")$"
    cmd = ["ctest", "--test-dir", build, "-R", regex, "--timeout", str(TIMEOUT), "--output-on-failure"]
    try:
        done = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=TIMEOUT * len(programs) + 60)
    except subprocess.TimeoutExpired:
        return []
    if done.returncode == 0:
        return None
    marker = "[  FAILED  ] "
    failed = []
    for line in done.stdout.decode("latin-1").splitlines():
        name = line.partition(marker)[2].split(" ")[0].split(",")[0]
        if "." in name and name not in failed:
            failed.append(name)
    return failed


def main():
    args = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    args.add_argument("--commit", default="HEAD")
    args.add_argument("--only", nargs="*")
    args.add_argument("--list", action="store_true")
    opts = args.parse_args()

    faults = load_faults()
    if opts.only:
        faults = [f for f in faults if f["id"] in opts.only]
    if opts.list:
        for f in faults:
            print(f"{f['id']:32} {f['file']:36} {' '.join(f['tests'])}")
        return 0

    arch = os.environ.get("TQ_ARCH", "x86_64")
    tree = os.path.join(ROOT, "build", "faults-tree")
    build = os.path.join(ROOT, "build", f"faults-{arch}")
    run(["git", "-C", ROOT, "worktree", "remove", "--force", tree])
    if run(["git", "-C", ROOT, "worktree", "add", "--detach", tree, opts.commit]) != 0:
        print("plant-faults: cannot check out", opts.commit)
        return 2
    try:
        toolchain = os.path.join(tree, "cmake", f"mingw-{arch}-posix.cmake")
        if run(["cmake", "-S", tree, "-B", build, f"-DCMAKE_TOOLCHAIN_FILE={toolchain}",
                "-DCMAKE_BUILD_TYPE=Release", "-DTQ_BUILD_BENCH=OFF",
                "-DTQ_BUILD_EXAMPLES=OFF"]) != 0 or \
                run(["cmake", "--build", build, f"-j{os.cpu_count()}"], quiet=False) != 0:
            print("plant-faults: the build fails without any fault")
            return 2
        programs = sorted({p for f in faults for p in f["tests"]})
        if failing_tests(build, programs) is not None:
            print("plant-faults: the tests fail without any fault:", " ".join(programs))
            return 2

        caught = missed = skipped = 0
        for fault in faults:
            started = time.time()
            original = plant(tree, fault)
            if original is None:
                verdict = "not planted (source not found)"
                skipped += 1
            elif run(["cmake", "--build", build, "--target", "TqCommon"]) != 0:
                verdict = "not planted (does not compile)"
                skipped += 1
            elif run(["cmake", "--build", build, "--target", *program_targets(fault["tests"])]) != 0:
                verdict = "not planted (tests do not compile)"
                skipped += 1
            elif (failed := failing_tests(build, fault["tests"])) is None:
                verdict = "MISSED"
                missed += 1
            else:
                verdict = "caught"
                caught += 1
                catchers = " ".join(failed) or "(no test case reported)"
            if original is not None:
                restore(tree, fault, original)
            print(f"{fault['id']:32} {verdict:32} {time.time() - started:5.0f} s", flush=True)
            if verdict == "caught":
                print(f"    by {catchers}", flush=True)
        run(["cmake", "--build", build, "--target", "TqCommon", *program_targets(programs)])
        print(f"plant-faults: {caught} of {caught + missed} planted faults caught"
              f" ({skipped} not planted)")
        return 1 if missed else 0
    finally:
        run(["git", "-C", ROOT, "worktree", "remove", "--force", tree])


if __name__ == "__main__":
    sys.exit(main())
