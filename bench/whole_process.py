#!/usr/bin/env python3
"""Whole-process figures: numerelle-cli beside GMP (a small C program of
ours, peers/gmp_cli.c) and Python's decimal (peers/decimal_cli.py), each a
fresh process from text in to text out, output to /dev/null.

Runs alternate (ours, peer, ours, peer, ...) so that drift of a shared
machine hits both alike; prints the median wall time of each and the
medians of the pairwise ratios of wall time and of CPU time (the child's
user + system time, steadier than wall time on a busy machine). Then the peak memory of the 10^7-digit sum,
taken by /usr/bin/time (GNU time) so that it is the child's own figure, is
checked against 3 times the size of its two operand texts; the script exits
with status 1 when that bound is broken.

usage: whole_process.py NUMERELLE_CLI [RUNS] [--pin CPU]   (needs cc and libgmp-dev)"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def digits(n, seed):
    rng = random.Random(seed)
    return str(rng.randint(1, 9)) + "".join(rng.choices("0123456789", k=n - 1))


def run(argv):
    """Wall seconds, CPU seconds (user + system) and peak resident kilobytes
    of one whole process."""
    with open(os.devnull, "wb") as sink:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdout=sink)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed: {' '.join(argv)}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def peak_kilobytes(argv):
    """The child's own peak resident kilobytes. A child's ru_maxrss as this
    process sees it is at least this Python's size, which it was forked
    from; GNU time is a small C program, so its child starts small."""
    if not os.path.exists("/usr/bin/time"):
        return None
    with open(os.devnull, "wb") as sink:
        done = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=sink, stderr=subprocess.PIPE, check=True)
    return int(done.stderr.decode().split()[-1])


def write_inputs(work):
    for name, n, seed in (("a", 10**6, 1), ("b", 10**6, 2), ("c", 10**7, 3), ("d", 10**7, 4)):
        with open(os.path.join(work, name), "w") as f:
            f.write(digits(n, seed) + "\n")


def main():
    if sys.argv[1] == "--inputs":
        return write_inputs(sys.argv[2])
    args = sys.argv[1:]
    if "--pin" in args:
        at = args.index("--pin")
        # Children inherit the affinity: every run on the same core.
        os.sched_setaffinity(0, {int(args[at + 1])})
        del args[at:at + 2]
    cli = os.path.abspath(args[0])
    runs = int(args[1]) if len(args) > 1 else 7
    work = tempfile.mkdtemp(prefix="whole-process-")
    gmp = os.path.join(work, "gmp_cli")
    subprocess.run(["cc", "-O2", "-o", gmp, os.path.join(HERE, "peers", "gmp_cli.c"), "-lgmp"], check=True)
    py = [sys.executable, os.path.join(HERE, "peers", "decimal_cli.py")]
    files = {name: os.path.join(work, name) for name in "abcd"}
    # Written by a child: a child's peak memory counts the parent it was
    # forked from, so this process stays small.
    subprocess.run([sys.executable, __file__, "--inputs", work], check=True)
    true = "/bin/true"
    works = [
        ("fact 99999", ["fact", "99999"], "GMP", [gmp]),
        ("comb 100000 50000", ["comb", "100000", "50000"], "GMP", [gmp]),
        ("pow 7 1000000", ["pow", "7", "1000000"], "GMP", [gmp]),
        ("mul @a @b (10^6 digits)", ["mul", "@" + files["a"], "@" + files["b"]], "Python decimal", py),
        ("mul @a @b (10^6 digits)", ["mul", "@" + files["a"], "@" + files["b"]], "GMP", [gmp]),
        ("add @c @d (10^7 digits)", ["add", "@" + files["c"], "@" + files["d"]], "Python decimal", py),
        ("eval 1 (start-up)", ["eval", "1"], "/bin/true", None),
    ]
    print("| work | numerelle-cli | peer, whole process | ratio, wall | ratio, CPU |")
    print("|---|---|---|---|---|")
    for title, args, peer_name, peer in works:
        ours_argv = [cli] + args
        peer_argv = [true] if peer is None else peer + (args if peer_name != "/bin/true" else [])
        run(ours_argv), run(peer_argv)  # warm the page cache
        ours, theirs, walls, cpus = [], [], [], []
        for _ in range(runs):
            a, a_cpu, _ = run(ours_argv)
            b, b_cpu, _ = run(peer_argv)
            ours.append(a), theirs.append(b), walls.append(a / b)
            # The clock behind CPU time ticks in whole microseconds at best.
            cpus.append(max(a_cpu, 1e-6) / max(b_cpu, 1e-6))
        print(f"| `{title}` | {statistics.median(ours) * 1000:.1f} ms | {peer_name} "
              f"{statistics.median(theirs) * 1000:.1f} ms | {statistics.median(walls):.2f} "
              f"| {statistics.median(cpus):.2f} |")
    sum_argv = [cli, "add", "@" + files["c"], "@" + files["d"]]
    texts = os.path.getsize(files["c"]) + os.path.getsize(files["d"])
    peak = peak_kilobytes(sum_argv)
    if peak is None:
        # The fallback is an upper bound: this process's size counts too.
        peak = run(sum_argv)[2]
        print("(GNU time missing: peak memory below is an upper bound)")
    ratio = peak * 1024 / texts
    print(f"\npeak memory of `add @c @d`: {peak / 1024:.1f} MiB, {ratio:.2f} x its {texts / 1e6:.0f} MB "
          f"of operand text (bound: 3 x)")
    if ratio >= 3:
        sys.exit("peak memory of the 10^7-digit sum over 3 x its operand text")


if __name__ == "__main__":
    main()
