#!/usr/bin/env python3
"""Python's decimal module as a whole process doing what numerelle-cli's
big-number subcommands do: decimal text in (@FILE from a file), the exact
result's decimal text out."""
import decimal
import sys

decimal.setcontext(decimal.Context(prec=decimal.MAX_PREC, Emax=decimal.MAX_EMAX, Emin=decimal.MIN_EMIN))
D = decimal.Decimal


def value(argument):
    if argument.startswith("@"):
        with open(argument[1:], "rb") as f:
            return D(f.read().decode().strip())
    return D(argument)


def product(lo, hi):
    # lo * (lo + 1) * ... * (hi - 1), as a balanced tree.
    if hi - lo <= 16:
        r = D(1)
        for i in range(lo, hi):
            r *= i
        return r
    mid = (lo + hi) // 2
    return product(lo, mid) * product(mid, hi)


def main():
    work, args = sys.argv[1], [value(a) for a in sys.argv[2:]]
    if work == "fact":
        r = product(2, int(args[0]) + 1)
    elif work == "comb":
        n, m = int(args[0]), int(args[1])
        r = product(n - m + 1, n + 1) / product(1, m + 1)
    elif work == "pow":
        r = args[0] ** int(args[1])
    elif work == "mul":
        r = args[0] * args[1]
    elif work == "add":
        r = args[0] + args[1]
    else:
        sys.exit(2)
    sys.stdout.write(str(r) + "\n")


if __name__ == "__main__":
    main()
