#!/usr/bin/env python3
"""Damages every shipped datafile and reports what the game makes of it.

    scripts/damage_sweep.py [BUILD [PATTERN]]   (default: build/test, every file)

PATTERN (a shell pattern such as 'dat/f*') limits the sweep to some files.

Each datafile under BUILD/game/dat (levels.dat included) is cut to half,
zeroed, or has 16 random bytes flipped (seeds 1-5; cutting and zeroing are
the same for every seed, so they run once). Two passes:

- check + loader: the engine tests' damage sweep, in-process, over every
  file: refused (with its reason) or loaded, every loaded object drawn;
- the game: `tidewell --verify-demo` of a demo whose level opens the file,
  in a scratch game folder holding the damaged copy: the halved file, and
  every damaged copy the check let through (the rest are refused alike,
  and a refused file is to the game what the halved one was). A file no
  demo opens (title, map, story pictures) is left to the first pass.

A signal or a time-out in either pass is a fault; the table ends with the
count of each outcome. Exit status 0 only when there is none.
"""
import collections
import fnmatch
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SEEDS = range(1, 6)
FLIPPED_BYTES = 16
GAME_TIMEOUT_S = 600
MAP_TIMEOUT_S = 60


def damaged(data, damage, seed):
    if damage == "halved":
        return data[: len(data) // 2]
    if damage == "zeroed":
        return bytes(len(data))
    state = seed

    def next_value():  # xorshift32, as the engine tests' sweep draws it
        nonlocal state
        state ^= (state << 13) & 0xFFFFFFFF
        state ^= state >> 17
        state ^= (state << 5) & 0xFFFFFFFF
        return state

    out = bytearray(data)
    for _ in range(FLIPPED_BYTES):
        at = next_value() % len(out)
        out[at] ^= 1 + next_value() % 255
    return bytes(out)


def cases():
    for damage in ("halved", "zeroed", "flipped"):
        for seed in SEEDS if damage == "flipped" else SEEDS[:1]:
            yield damage, seed


def in_process(build):
    env = dict(os.environ, TIDEWELL_DAMAGE_SWEEP="all", ASAN_OPTIONS="detect_leaks=0")
    run = subprocess.run([os.path.join(build, "tests", "engine_tests"), "--gtest_filter=DatafileDamage.*"],
                         env=env, capture_output=True, text=True, cwd=tempfile.mkdtemp())
    results = {}
    for line in run.stdout.splitlines():
        m = re.match(r"sweep (\S+) (\S+) (\d+) (.*)", line)
        if m:
            results[(m[1], m[2], int(m[3]))] = "loaded" if m[4] == "loaded" else "refused"
    if run.returncode != 0:
        sys.stderr.write(run.stdout[-3000:] + run.stderr[-3000:])
        results[("(engine_tests)", "", 0)] = describe_status(run.returncode, "")
    return results


def scratch_game(game, damaged_name=None, data=None):
    """A game folder of links to the baked one, one datafile replaced."""
    folder = tempfile.mkdtemp(prefix="tidewell-sweep-")
    for item in ("sfx", "mus", "credits.txt"):
        os.symlink(os.path.join(game, item), os.path.join(folder, item))
    for base, _, names in os.walk(os.path.join(game, "dat")):
        rel = os.path.relpath(base, game)
        os.makedirs(os.path.join(folder, rel), exist_ok=True)
        for name in names:
            target = os.path.join(folder, rel, name)
            if os.path.relpath(target, folder) == damaged_name:
                with open(target, "wb") as out:
                    out.write(data)
            else:
                os.symlink(os.path.join(base, name), target)
    return folder


def describe_status(status, output):
    if status < 0:
        return "SIGNAL " + signal.Signals(-status).name
    if status == 0:
        return "won"
    if "cannot parse file" in output or "file not found" in output:
        return "error, status %d" % status
    return "status %d: %s" % (status, output.strip().splitlines()[-1] if output.strip() else "")


def play(game, folder, demo, timeout):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    try:
        run = subprocess.run([os.path.join(game, "tidewell"), "--verify-demo", demo], cwd=folder, env=env,
                             capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return "TIMEOUT", ""
    return describe_status(run.returncode, run.stderr + run.stdout), run.stderr + run.stdout


def opened_datafiles(game, demo):
    """The datafiles a demo's run opens, as strace sees them."""
    folder = scratch_game(game)
    trace = os.path.join(folder, "trace.txt")
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    try:
        subprocess.run(["strace", "-f", "-e", "trace=openat", "-o", trace, os.path.join(game, "tidewell"),
                        "--verify-demo", demo], cwd=folder, env=env, capture_output=True, timeout=MAP_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        pass
    with open(trace) as lines:
        found = set(re.findall(r'openat\(\w+, "(dat/[^"]+\.dat)"', lines.read()))
    shutil.rmtree(folder)
    return found


def demo_for_each_file(game, files):
    demos = sorted(os.path.join(ROOT, "assets", "demos", d) for d in os.listdir(os.path.join(ROOT, "assets", "demos")))
    chosen = {}
    for demo in demos:
        if all(name in chosen for name in files):
            break
        for name in opened_datafiles(game, demo):
            chosen.setdefault(name, demo)
    return chosen


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "test"))
    game = os.path.join(build, "game")
    files = sorted(os.path.relpath(os.path.join(b, n), game) for b, _, ns in os.walk(os.path.join(game, "dat"))
                   for n in ns if n.endswith(".dat"))
    if len(sys.argv) > 2:
        files = [f for f in files if fnmatch.fnmatch(f, sys.argv[2])]
    print("check + loader, in-process ...", flush=True)
    checked = in_process(build)
    print("finding a demo that opens each file ...", flush=True)
    demo_of = demo_for_each_file(game, files)
    totals = collections.Counter()
    faults = []
    print("\n%-22s %-8s %-5s %-9s %-8s %s" % ("file", "damage", "seed", "check", "demo", "game"))
    for name in files:
        with open(os.path.join(game, name), "rb") as f:
            intact = f.read()
        short = os.path.relpath(name, "dat")
        halved_outcome = None
        for damage, seed in cases():
            check = checked.get((short, damage, seed), "missing")
            outcome = "-"
            demo = demo_of.get(name)
            # A refused file is no file to the game, however it was damaged:
            # one run shows what the game does then.
            if demo and (halved_outcome is None or check != "refused"):
                folder = scratch_game(game, name, damaged(intact, damage, seed))
                outcome, _ = play(game, folder, demo, GAME_TIMEOUT_S)
                shutil.rmtree(folder)
                halved_outcome = halved_outcome or outcome
            elif demo:
                outcome = "as halved"
            totals["check " + check] += 1
            totals["game " + outcome.split(":")[0]] += 1
            if check == "missing" or outcome.startswith(("SIGNAL", "TIMEOUT")):
                faults.append((name, damage, seed, check, outcome))
            print("%-22s %-8s %-5d %-9s %-8s %s" % (short, damage, seed, check,
                                                 os.path.basename(demo) if demo else "-", outcome), flush=True)
    print("\ntotals:")
    for key, count in sorted(totals.items()):
        print("  %-40s %d" % (key, count))
    for extra in (k for k in checked if k[0] == "(engine_tests)"):
        faults.append(extra)
    print("faults: %d" % len(faults))
    for fault in faults:
        print("  ", *fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
