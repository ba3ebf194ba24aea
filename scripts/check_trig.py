#!/usr/bin/python3
"""Checks our sine and cosine against a high-precision reference (mpmath)
and against the C libraries, from runs of vl_trig_values.

    check_trig.py [--table FILE] REFERENCE [OTHER...]

Each run is NAME=FILE, FILE the output of vl_trig_values on one machine;
the first is the reference: x86-64 glibc with its FMA code, where the 1.0.0
recordings were made. For the arguments the program can produce (sets yaw,
turn, fire, layout) our functions must give the reference C library's value
(correctly rounded except where that library is not, see the report); for
the random ones (near, any) the correctly rounded value. Our values must be
the same in every run. The report counts, per set, where each C library and
ours differ from the correctly rounded values and from the reference.

--table FILE writes the reachable arguments where the reference C library
is not correctly rounded, as the C++ table geometry/libc_rounding_table.h.

Exit status 1 when our functions fail any of this.
"""

import struct
import sys

from mpmath import mp, mpf, sin, cos

PRECISION = 160
REACHABLE = ("yaw", "turn", "fire", "layout")


def correctly_rounded(f, x):
    """The bits of the double nearest to f(x), and how far f(x) is from a
    rounding midpoint, in ulps (near 0: the reference precision is short)."""
    mp.prec = PRECISION
    v = f(mpf(x))
    mp.prec = 53
    r = +v
    mp.prec = PRECISION
    man, exp = r.man_exp
    ulp = mpf(2) ** (exp + man.bit_length() - 53)
    margin = abs(abs(v - r) / ulp - mpf(0.5))
    return struct.unpack("<Q", struct.pack("<d", float(r)))[0], margin


def write_table(path, steps):
    """steps: {(function, |x| bits): libc bits - correct bits}"""
    entries = {}
    for (fname, ax), step in steps.items():
        if step not in (1, -1):
            raise SystemExit("the reference C library is off by %d ulps at %s(%016x)" % (step, fname, ax))
        entries.setdefault(ax, [0, 0])[0 if fname == "sin" else 1] = step
    with open(path, "w") as out:
        out.write("""// Made by scripts/check_trig.py --table from a run of vl_trig_values on
// x86-64 with glibc's FMA code: the arguments the program can produce where
// that glibc is one ulp off the correctly rounded sin or cos, by the bits
// of |x|, in order. Not a header of its own: the entries of kSteps in
// geometry/libc_rounding.cpp, which includes them.
""")
        keys = sorted(entries)
        for i in range(0, len(keys), 3):
            out.write("   " + "".join(" {0x%016x, %d, %d}," % (k, entries[k][0], entries[k][1]) for k in keys[i:i + 3]) + "\n")


def main(argv):
    args = argv[1:]
    table = None
    if len(args) >= 2 and args[0] == "--table":
        table, args = args[1], args[2:]
    if not args:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    runs = []
    for arg in args:
        name, _, path = arg.rpartition("=")
        runs.append((name or path, open(path)))
    ref_name = runs[0][0]
    counts = {}
    first = {}
    steps = {}
    tightest = mpf(1)
    bad = False

    def note(s, key, what):
        c = counts.setdefault(s, {})
        c[key] = c.get(key, 0) + 1
        first.setdefault((s, key), what)

    for lines in zip(*(f for _, f in runs)):
        fields = [l.split() for l in lines]
        ref = fields[0]
        s = ref[0]
        if any(other[:2] != ref[:2] for other in fields[1:]):
            print("the runs list different arguments: %s" % " / ".join(lines), file=sys.stderr)
            return 2
        note(s, "arguments", "")
        xbits = int(ref[1], 16)
        x = struct.unpack("<d", struct.pack("<Q", xbits))[0]
        for col, (fname, f) in enumerate((("sin", sin), ("cos", cos))):
            what = "%s(%r)" % (fname, x)
            ours, libc = int(ref[2 + col], 16), int(ref[4 + col], 16)
            correct, margin = correctly_rounded(f, x)
            tightest = min(tightest, margin)
            if libc != correct:
                note(s, "%s libc not correctly rounded (%s)" % (ref_name, fname), what)
                if s in REACHABLE:
                    steps[(fname, xbits & ~(1 << 63))] = (libc & ~(1 << 63)) - (correct & ~(1 << 63))
            if ours != correct:
                note(s, "ours not correctly rounded (%s)" % fname, what)
            expected = libc if s in REACHABLE else correct
            if ours != expected:
                note(s, "OURS WRONG (%s)" % fname, what)
                bad = True
            for (name, _), other in zip(runs[1:], fields[1:]):
                if int(other[2 + col], 16) != ours:
                    note(s, "OURS ON %s DIFFER (%s)" % (name, fname), what)
                    bad = True
                if int(other[4 + col], 16) != libc:
                    note(s, "%s libc != %s libc (%s)" % (name, ref_name, fname), what)

    for s, c in counts.items():
        print("%s: %d arguments" % (s, c.pop("arguments")))
        for key in sorted(c):
            print("  %-46s %8d  first: %s" % (key, c[key], first[(s, key)]))
    print("closest to a rounding midpoint: %s ulp" % mp.nstr(tightest, 3))
    if tightest < mpf(2) ** -(PRECISION - 70):
        print("the reference is not precise enough for some argument", file=sys.stderr)
        bad = True
    if table:
        write_table(table, steps)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
