#!/usr/bin/env python3
"""Whole-process figures: numerelle-cli beside GMP (a small C program of
ours, peers/gmp_cli.c) and Python's decimal (peers/decimal_cli.py), each a
fresh process from text in to text out, output to /dev/null.

Runs alternate (ours, peer, ours, peer, ...) so that drift of a shared
machine hits both alike; prints the median wall time of each and the
median of the pairwise ratios, plus ours' peak memory.

usage: whole_process.py NUMERELLE_CLI [RUNS]   (needs cc and libgmp-dev)"""
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
    """Wall seconds and peak resident kilobytes of one whole process."""
    with open(os.devnull, "wb") as sink:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdout=sink)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed: {' '.join(argv)}")
    return wall, usage.ru_maxrss


def write_inputs(work):
    for name, n, seed in (("a", 10**6, 1), ("b", 10**6, 2), ("c", 10**7, 3), ("d", 10**7, 4)):
        with open(os.path.join(work, name), "w") as f:
            f.write(digits(n, seed) + "\n")


def main():
    if sys.argv[1] == "--inputs":
        return write_inputs(sys.argv[2])
    cli = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
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
    print("| work | numerelle-cli | peer, whole process | ratio | numerelle-cli peak memory |")
    print("|---|---|---|---|---|")
    for title, args, peer_name, peer in works:
        ours_argv = [cli] + args
        peer_argv = [true] if peer is None else peer + (args if peer_name != "/bin/true" else [])
        run(ours_argv), run(peer_argv)  # warm the page cache
        ours, theirs, ratios, peak = [], [], [], 0
        for _ in range(runs):
            a, rss = run(ours_argv)
            b, _ = run(peer_argv)
            ours.append(a), theirs.append(b), ratios.append(a / b)
            peak = max(peak, rss)
        print(f"| `{title}` | {statistics.median(ours) * 1000:.1f} ms | {peer_name} "
              f"{statistics.median(theirs) * 1000:.1f} ms | {statistics.median(ratios):.2f} | {peak / 1024:.0f} MB |")


if __name__ == "__main__":
    main()
