#!/usr/bin/env python3
"""Python's decimal module (libmpdec) on the five long works of bignum_bench.

Times are taken inside the process (start-up not counted), each including
reading the operands from decimal text and writing the result's full text.
Prints the median of several runs, in milliseconds, for each work, and the
process CPU time beside the wall time."""
import decimal
import random
import statistics
import sys
import time

CTX = decimal.Context(prec=decimal.MAX_PREC, Emax=decimal.MAX_EMAX, Emin=decimal.MIN_EMIN)
decimal.setcontext(CTX)
D = decimal.Decimal


def digits(n, seed):
    rng = random.Random(seed)
    return str(rng.randint(1, 9)) + "".join(rng.choice("0123456789") for _ in range(n - 1))


def factorial():
    # A balanced product tree, as a decimal user would write it.
    def prod(lo, hi):
        if hi - lo <= 16:
            r = D(1)
            for i in range(lo, hi):
                r *= i
            return r
        mid = (lo + hi) // 2
        return prod(lo, mid) * prod(mid, hi)
    return str(prod(2, 100000))


def product(a, b):
    return str(D(a) * D(b))


def power():
    return str(D(7) ** 1000000)


def binomial():
    # P(n, m) / m! with product trees, both exact in the context.
    def prod(lo, hi):
        if hi - lo <= 16:
            r = D(1)
            for i in range(lo, hi):
                r *= i
            return r
        mid = (lo + hi) // 2
        return prod(lo, mid) * prod(mid, hi)
    return str(prod(50001, 100001) / prod(1, 50001))


def add(a, b):
    return str(D(a) + D(b))


def measure(name, fn, runs):
    times = []
    cpu = []
    result = None
    for _ in range(runs):
        t0, c0 = time.perf_counter(), time.process_time()
        result = fn()
        times.append((time.perf_counter() - t0) * 1000)
        cpu.append((time.process_time() - c0) * 1000)
    print(f"{name:32s} wall {statistics.median(times):9.2f} ms   cpu {statistics.median(cpu):9.2f} ms   "
          f"({len(result)} digits)")
    return result


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    a, b = digits(1000000, 1), digits(1000000, 2)
    c, d = digits(10000000, 3), digits(10000000, 4)
    measure("Factorial99999", factorial, runs)
    measure("Product1e6Digits", lambda: product(a, b), runs)
    measure("Power7To1e6", power, runs)
    measure("Binomial100000Over50000", binomial, runs)
    measure("Sum1e7Digits", lambda: add(c, d), runs)


if __name__ == "__main__":
    main()
