#!/usr/bin/env python3
"""Runs the hand-written mutants of tools/mutants.txt against the test suite.

For each mutant the source tree is copied once to build/mutants/src, the
mutant's line is replaced there, the scratch build is brought up to date
incrementally, and the tests named by the mutant run until the first
failure.  A mutant is killed when a test fails (or the run times out),
survives when every test passes, and is "stillborn" when it does not
compile (a fault in the list, counted apart).

    tools/mutants.py [--list FILE] [--only SUBSTRING] [--keep-going]

Prints one line per mutant, then "mutants: killed K of N" and the survivors.
Exit status 0 unless the list itself is wrong (a line not found once).
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build", "mutants")
SRC = os.path.join(WORK, "src")
JOBS = str(os.cpu_count() or 2)


class Mutant:
    def __init__(self, number, file, find, repl, tests, why):
        self.number, self.file, self.find, self.repl = number, file, find, repl
        self.tests, self.why = tests, why

    @property
    def native(self):
        return self.file.startswith("core/")

    def label(self):
        return f"#{self.number} {self.file}: {self.why}"


def read_list(path):
    """Blocks of 'key: value' lines separated by blank lines; '#' lines are
    comments.  Keys: file, find, repl, tests, why.  'find' is compared with
    the source line without its leading and trailing blanks; 'repl' keeps
    the line's indentation ('repl:' with nothing after it deletes the line's
    text)."""
    mutants, block = [], {}
    def flush():
        if not block:
            return
        missing = {"file", "find", "repl", "tests", "why"} - block.keys()
        if missing:
            sys.exit(f"mutants: block near mutant {len(mutants) + 1} lacks {sorted(missing)}")
        mutants.append(Mutant(len(mutants) + 1, block["file"], block["find"], block["repl"],
                              block["tests"], block["why"]))
        block.clear()
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line.strip():
                flush()
                continue
            key, sep, value = line.partition(":")
            if not sep or key.strip() not in ("file", "find", "repl", "tests", "why"):
                sys.exit(f"mutants: cannot read line: {line!r}")
            block[key.strip()] = value.strip()
    flush()
    return mutants


def locate(mutant, root):
    """The index of the one line the mutant changes, or an error text."""
    path = os.path.join(root, mutant.file)
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.readlines()
    except OSError as e:
        return None, None, f"cannot read {mutant.file}: {e.strerror}"
    hits = [i for i, l in enumerate(lines) if l.strip() == mutant.find]
    if len(hits) != 1:
        return None, None, f"{len(hits)} lines of {mutant.file} read {mutant.find!r}"
    return lines, hits[0], None


def run(cmd, log, timeout=None, env=None):
    with open(log, "ab") as out:
        out.write(("\n$ " + " ".join(cmd) + "\n").encode())
        out.flush()
        try:
            return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT, timeout=timeout,
                                  env=env).returncode
        except subprocess.TimeoutExpired:
            return "timeout"


def copy_tree():
    """A scratch copy of the tracked sources; files that did not change keep
    their time stamps, so the scratch builds stay incremental."""
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT, check=True,
                           capture_output=True, text=True).stdout.split("\n")
    for rel in filter(None, files):
        src, dst = os.path.join(ROOT, rel), os.path.join(SRC, rel)
        if not os.path.isfile(src):
            continue
        if os.path.isfile(dst) and open(src, "rb").read() == open(dst, "rb").read():
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copy2(src, dst)


def configure(log):
    # the builds sit where the scratch copy's scripts look for them
    win = os.path.join(SRC, "build", "x86_64")
    nat = os.path.join(SRC, "build", "native")
    if run(["cmake", "-S", SRC, "-B", win, "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(SRC, "cmake/toolchain-x86_64.cmake"),
            "-DCMAKE_BUILD_TYPE=Release", "-DTS_BUILD_TESTS=ON"], log) != 0:
        sys.exit("mutants: the scratch x86_64 build does not configure (see build/mutants/log.txt)")
    if run(["cmake", "-S", SRC, "-B", nat, "-DCMAKE_C_COMPILER=clang", "-DCMAKE_CXX_COMPILER=clang++",
            "-DCMAKE_BUILD_TYPE=Debug", "-DTS_SANITIZE=ON"], log) != 0:
        sys.exit("mutants: the scratch native build does not configure (see build/mutants/log.txt)")
    return win, nat


def build(tree, log):
    return run(["cmake", "--build", tree, "-j", JOBS], log) == 0


def test(mutant, tree, log, env):
    cmd = ["ctest", "--test-dir", tree, "-R", mutant.tests, "--stop-on-failure", "--timeout", "60", "-j", "2"]
    if not mutant.native:
        cmd += ["--resource-spec-file", env["TS_RESOURCES"]]
    return run(cmd, log, timeout=900, env=env)


def session_env():
    """Starts the Wine sessions of the scratch build and returns the
    environment its tests run in."""
    env = dict(os.environ, TS_ROOT=SRC)
    subprocess.run(["bash", os.path.join(SRC, "scripts/wine-session.sh"), "start", "2"], env=env, check=True,
                   stdout=subprocess.DEVNULL)
    env["TS_RESOURCES"] = os.path.join(SRC, "build", "session-resources.json")
    return env


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--list", default=os.path.join(ROOT, "tools", "mutants.txt"))
    ap.add_argument("--only", default="")
    args = ap.parse_args()

    mutants = [m for m in read_list(args.list) if args.only in m.file or args.only in m.why]
    problems = [(m, err) for m in mutants for _, _, err in [locate(m, ROOT)] if err]
    for m, err in problems:
        print(f"mutants: {m.label()}: {err}")
    if problems:
        return 1

    os.makedirs(SRC, exist_ok=True)
    log = os.path.join(WORK, "log.txt")
    open(log, "w").close()
    started = time.time()
    copy_tree()
    win, nat = configure(log)
    print(f"mutants: {len(mutants)} mutants; first build of the scratch copy", flush=True)
    if not build(win, log) or not build(nat, log):
        sys.exit("mutants: the unmutated scratch copy does not build (see build/mutants/log.txt)")
    env = session_env()
    killed, survivors, stillborn = 0, [], []
    try:
        # every test a mutant names must pass on the unmutated copy, or its
        # failures would count as kills
        for tree, regex in sorted({(nat if m.native else win, m.tests) for m in mutants}):
            if test(Mutant(0, "core/" if tree == nat else "", "", "", regex, ""), tree, log, env) != 0:
                sys.exit(f"mutants: tests {regex!r} fail without any mutant (see build/mutants/log.txt)")
        for m in mutants:
            lines, index, _ = locate(m, SRC)
            original = lines[index]
            indent = original[: len(original) - len(original.lstrip())]
            path = os.path.join(SRC, m.file)
            mutated = lines[:index] + ([indent + m.repl + "\n"] if m.repl else ["\n"]) + lines[index + 1:]
            t0 = time.time()
            with open(path, "w", encoding="utf-8") as f:
                f.writelines(mutated)
            tree = nat if m.native else win
            try:
                if not build(tree, log):
                    verdict = "stillborn"
                    stillborn.append(m)
                else:
                    rc = test(m, tree, log, env)
                    verdict = "survived" if rc == 0 else "killed"
                    if rc == 0:
                        survivors.append(m)
                    else:
                        killed += 1
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.writelines(lines)
            print(f"{verdict:9} {m.label()} ({time.time() - t0:.0f} s)", flush=True)
        # leave the scratch build matching the sources
        build(win, log)
        build(nat, log)
    finally:
        subprocess.run(["bash", os.path.join(SRC, "scripts/wine-session.sh"), "stop"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    counted = len(mutants) - len(stillborn)
    print(f"mutants: killed {killed} of {counted}"
          + (f" ({100.0 * killed / counted:.0f}%)" if counted else "")
          + f" in {(time.time() - started) / 60:.1f} min")
    for m in survivors:
        print(f"  survived: {m.label()}")
    for m in stillborn:
        print(f"  does not compile (fix the list): {m.label()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
