#!/usr/bin/env python3
"""Runs the hand-written mutants of tools/mutants.txt against the test suite.

The tracked sources are copied to build/mutants/src (kept between runs, so
its builds stay incremental).  For each mutant the one line it names is
replaced there, the scratch build is brought up to date, and the tests of
the mutant's subsystem run until the first failure.  A mutant is killed
when a test fails (or times out), survives when every test passes, and is
"stillborn" when it does not compile (a fault in the list, counted apart).

    tools/mutants.py [--list FILE] [--only SUBSTRING]

Prints one line per mutant, then "mutants: killed K of N", the survivors
and the counts per subsystem.  Exit status 0 unless the list is wrong (a
line not found once, a test set that names no test, a stillborn mutant).
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
LOG = os.path.join(WORK, "log.txt")
JOBS = str(os.cpu_count() or 2)
KEYS = ("file", "find", "repl", "tests", "why")
TEST_CASE = re.compile(r"^\s*TEST(?:_F|_P)?\(\s*(\w+)\s*,", re.M)


class Mutant:
    def __init__(self, number, fields):
        self.number = number
        self.file, self.find, self.repl, self.tests, self.why = (fields[k] for k in KEYS)

    @property
    def native(self):
        """Mutants of the portable core run the native tests."""
        return self.file.startswith("core/")

    @property
    def subsystem(self):
        return self.file.split("/")[0]

    def label(self):
        return f"#{self.number} {self.file}: {self.why}"


def read_list(path):
    """Blocks of 'key: value' lines separated by blank lines; '#' lines are
    comments.  A mutant block has the keys file, find, repl, tests and why.
    'find' is compared with the source line without its leading and trailing
    blanks; 'repl' keeps the line's indentation ('repl:' with nothing after
    it empties the line).  A block of 'set: NAME' and 'tests: ...' names a
    test set that mutants then give as 'tests: $NAME'."""
    mutants, sets, block = [], {}, {}

    def flush():
        if not block:
            return
        if set(block) == {"set", "tests"}:
            sets[block["set"]] = block["tests"]
        else:
            missing = set(KEYS) - block.keys()
            if missing or len(block) != len(KEYS):
                sys.exit(f"mutants: block near mutant {len(mutants) + 1} lacks {sorted(missing)}")
            if block["tests"].startswith("$"):
                if block["tests"][1:] not in sets:
                    sys.exit(f"mutants: mutant {len(mutants) + 1} names no known set {block['tests']}")
                block["tests"] = sets[block["tests"][1:]]
            mutants.append(Mutant(len(mutants) + 1, block))
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
            if not sep or key.strip() not in KEYS + ("set",):
                sys.exit(f"mutants: cannot read line: {line!r}")
            block[key.strip()] = value.strip()
    flush()
    return mutants


def test_regex(tests, root):
    """The ctest -R regex of a test set: the set itself when it is a regex,
    or, for a list of test sources (paths under tests/, directories or
    files), the GoogleTest suites those sources define."""
    if not tests.startswith("tests/"):
        return tests
    suites = set()
    for item in tests.split():
        path = os.path.join(root, item)
        if os.path.isdir(path):
            files = [os.path.join(path, n) for n in sorted(os.listdir(path)) if n.endswith(".cpp")]
        else:
            files = [path] if os.path.isfile(path) else []
        if not files:
            sys.exit(f"mutants: no test sources at {item}")
        for name in files:
            with open(name, encoding="utf-8", errors="replace") as f:
                suites.update(TEST_CASE.findall(f.read()))
    return "^(" + "|".join(sorted(suites)) + r")\."


def locate(mutant, root):
    """The lines of the mutant's file and the index of the one line it
    changes, or an error text."""
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


def run(cmd, timeout=None, env=None):
    """Runs a command with its output appended to the log; returns the exit
    status ("timeout" when it took too long) and the output."""
    with open(LOG, "ab") as log:
        log.write(("\n$ " + " ".join(cmd) + "\n").encode())
        try:
            p = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout, env=env)
            out, rc = p.stdout, p.returncode
        except subprocess.TimeoutExpired as e:
            out, rc = e.stdout or b"", "timeout"
        log.write(out)
    return rc, out.decode(errors="replace")


def copy_tree():
    """Brings the scratch copy to the tracked sources.  Files that did not
    change keep their time stamps, so the scratch builds stay incremental;
    files no longer tracked go (the builds glob their sources)."""
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT, check=True,
                           capture_output=True, text=True).stdout.split("\n")
    wanted = set()
    for rel in filter(None, files):
        src, dst = os.path.join(ROOT, rel), os.path.join(SRC, rel)
        if not os.path.isfile(src):
            continue
        wanted.add(os.path.normpath(dst))
        if os.path.isfile(dst) and open(src, "rb").read() == open(dst, "rb").read():
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copy2(src, dst)
    build = os.path.join(SRC, "build")
    for top, dirs, names in os.walk(SRC):
        if top == SRC:
            dirs[:] = [d for d in dirs if os.path.join(top, d) != build]
        for n in names:
            if os.path.normpath(os.path.join(top, n)) not in wanted:
                os.remove(os.path.join(top, n))


class Trees:
    """The two scratch builds, where the scratch copy's scripts look for them."""

    def __init__(self):
        self.win = os.path.join(SRC, "build", "x86_64")
        self.nat = os.path.join(SRC, "build", "native")
        self.env = dict(os.environ, TS_ROOT=SRC)
        self.resources = os.path.join(SRC, "build", "session-resources.json")

    def configure(self):
        win = ["cmake", "-S", SRC, "-B", self.win, "-DCMAKE_BUILD_TYPE=Release", "-DTS_BUILD_TESTS=ON",
               "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(SRC, "cmake/toolchain-x86_64.cmake")]
        nat = ["cmake", "-S", SRC, "-B", self.nat, "-DCMAKE_C_COMPILER=clang", "-DCMAKE_CXX_COMPILER=clang++",
               "-DCMAKE_BUILD_TYPE=Debug", "-DTS_SANITIZE=ON"]
        return run(win)[0] == 0 and run(nat)[0] == 0

    def tree(self, native):
        return self.nat if native else self.win

    def build(self, native):
        return run(["cmake", "--build", self.tree(native), "-j", JOBS])[0] == 0

    def names(self, native):
        """The names of the tree's tests."""
        rc, out = run(["ctest", "--test-dir", self.tree(native), "-N"], env=self.env)
        return re.findall(r"Test +#\d+: (\S+)", out) if rc == 0 else []

    def test(self, native, regex):
        """(status, the first failed test or None, whether one timed out)."""
        cmd = ["ctest", "--test-dir", self.tree(native), "-R", regex, "--stop-on-failure", "--timeout", "120",
               "-j", "2", "--no-tests=error"]
        if not native:
            cmd += ["--resource-spec-file", self.resources]
        rc, out = run(cmd, timeout=1200, env=self.env)
        failed = re.search(r"Test +#\d+: (\S+) \.*\**(Failed|Timeout|Exception|Not Run)", out)
        return rc, failed.group(1) if failed else None, rc == "timeout" or "***Timeout" in out

    def session(self, action):
        cmd = ["bash", os.path.join(SRC, "scripts/wine-session.sh"), action] + (["2"] if action == "start" else [])
        subprocess.run(cmd, env=self.env, check=action == "start", stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)


def mutate(m, trees):
    """Applies the mutant, builds, tests, restores; returns the verdict and
    what killed it."""
    lines, index, _ = locate(m, SRC)
    original = lines[index]
    indent = original[: len(original) - len(original.lstrip())]
    path = os.path.join(SRC, m.file)
    with open(path, "w", encoding="utf-8") as f:
        f.writelines(lines[:index] + [indent + m.repl + "\n"] + lines[index + 1:])
    try:
        if not trees.build(m.native):
            return "stillborn", "", False
        rc, killer, hung = trees.test(m.native, m.regex)
        return ("survived" if rc == 0 else "killed"), killer or "", hung
    finally:
        # the file gets a new time stamp, so the next build restores it
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(lines)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--list", default=os.path.join(ROOT, "tools", "mutants.txt"))
    ap.add_argument("--only", default="", help="run the mutants whose file or reason holds this text")
    args = ap.parse_args()

    mutants = [m for m in read_list(args.list) if args.only in m.file or args.only in m.why]
    problems = [f"{m.label()}: {err}" for m in mutants for _, _, err in [locate(m, ROOT)] if err]
    for p in problems:
        print(f"mutants: {p}")
    if problems:
        return 1
    for m in mutants:
        m.regex = test_regex(m.tests, ROOT)

    started = time.time()
    os.makedirs(SRC, exist_ok=True)
    open(LOG, "w").close()
    copy_tree()
    trees = Trees()
    if not trees.configure():
        sys.exit("mutants: the scratch builds do not configure (see build/mutants/log.txt)")
    print(f"mutants: {len(mutants)} mutants; bringing the scratch builds up to date", flush=True)
    for native in (False, True):
        if any(m.native == native for m in mutants) and not trees.build(native):
            sys.exit("mutants: the unmutated scratch copy does not build (see build/mutants/log.txt)")
    trees.session("start")
    results = []
    try:
        # Every set must name tests, and they must pass without any mutant:
        # otherwise their failures would count as kills.  One run per tree.
        for native in (False, True):
            regexes = sorted({m.regex for m in mutants if m.native == native})
            names = trees.names(native) if regexes else []
            for r in regexes:
                if not any(re.search(r, n) for n in names):
                    sys.exit(f"mutants: the test set {r!r} names no test")
                if r.count("(") - r.count(r"\(") > 9:  # CMake's expressions take at most nine groups
                    sys.exit(f"mutants: the test set {r!r} has more groups than ctest reads")
            # the union as the list of the names it selects
            union = [n for n in names if any(re.search(r, n) for r in regexes)]
            if union and trees.test(native, "^(" + "|".join(n.replace(".", r"\.") for n in union) + ")$")[0] != 0:
                sys.exit("mutants: the tests fail without any mutant (see build/mutants/log.txt)")
        print(f"mutants: the unmutated tests pass ({(time.time() - started) / 60:.1f} min)", flush=True)
        # Windows mutants first, then native ones, each file's mutants together:
        # a file is compiled once per mutant, its restoring folded into the next
        for m in sorted(mutants, key=lambda m: (m.native, m.file, m.number)):
            t0 = time.time()
            verdict, killer, hung = mutate(m, trees)
            results.append((m, verdict))
            print(f"{verdict:9} {m.label()} ({time.time() - t0:.0f} s{', by ' + killer if killer else ''})",
                  flush=True)
            if hung and not m.native:  # a program left hanging may hold a session slot
                trees.session("start")
    finally:
        trees.session("stop")

    killed = [m for m, v in results if v == "killed"]
    survivors = [m for m, v in results if v == "survived"]
    stillborn = [m for m, v in results if v == "stillborn"]
    counted = len(killed) + len(survivors)
    print(f"mutants: killed {len(killed)} of {counted}"
          + (f" ({100.0 * len(killed) / counted:.0f}%)" if counted else "")
          + f" in {(time.time() - started) / 60:.1f} min")
    for m in sorted(survivors, key=lambda m: m.number):
        print(f"  survived: {m.label()}")
    for m in sorted(stillborn, key=lambda m: m.number):
        print(f"  does not compile (fix the list): {m.label()}")
    per = {}
    for m, v in results:
        k, n = per.get(m.subsystem, (0, 0))
        per[m.subsystem] = (k + (v == "killed"), n + (v != "stillborn"))
    print("  per subsystem: " + ", ".join(f"{s} {k}/{n}" for s, (k, n) in sorted(per.items())))
    return 1 if stillborn else 0


if __name__ == "__main__":
    sys.exit(main())
