#!/usr/bin/env python3
"""Nothing is silently left out of `==`.

The simulation is compared to the bit member by member, through the list
each record type names in its fields(). A member added to a record but not
to that list would stop counting without a sound. This check reads the
members as the compiler laid them out (gdb's `ptype` on a program built
with debug information) and the lists from the headers, from the root type
down through every record type its members hold, and reports every data
member that a list leaves out and every record type that has members but no
list. (A name in a list that is no member does not compile.)

    check_compared_fields.py PROGRAM SOURCE_ROOT [ROOT_TYPE]

PROGRAM: any program with debug information that uses ROOT_TYPE (default
Simulation). Exit status 0 when every member is compared, 1 when not, 2
when the check cannot run.
"""

import pathlib
import re
import subprocess
import sys

ARITHMETIC = {
    "bool", "char", "signed char", "unsigned char", "short", "unsigned short", "int", "unsigned int", "long",
    "unsigned long", "long long", "unsigned long long", "float", "double", "long double", "int8_t", "uint8_t",
    "int16_t", "uint16_t", "int32_t", "uint32_t", "int64_t", "uint64_t", "std::int32_t", "std::uint64_t",
    "size_t", "std::size_t",
}


def listed_fields(root):
    """Type name -> the names its fields() hands to std::tie, from every header."""
    lists = {}
    for header in sorted(pathlib.Path(root).rglob("*.h")):
        if any(part in ("build", "tests", "node_modules") or part.startswith("build-") for part in header.parts):
            continue
        text = header.read_text(errors="replace")
        for match in re.finditer(r"\b(?:struct|class)\s+(\w+)\s*(?:final\s*)?(?::[^{;]*)?\{", text):
            depth, end = 1, match.end()
            while end < len(text) and depth:
                depth += {"{": 1, "}": -1}.get(text[end], 0)
                end += 1
            body = text[match.end():end]
            tie = re.search(r"auto\s+fields\s*\(\s*\)\s*const\s*\{\s*return\s+std::tie\s*\(([^)]*)\)", body)
            if tie:
                lists[match.group(1)] = [name.strip() for name in tie.group(1).split(",") if name.strip()]
    return lists


def data_members(program, types):
    """Type name -> [(member type, member name)] as gdb reads them from the debug information."""
    args = ["gdb", "-q", "-nx", "-batch"]
    for name in types:
        args += ["-ex", "echo @@" + name + "\\n", "-ex", "ptype " + name]
    args.append(program)
    out = subprocess.run(args, capture_output=True, text=True, timeout=120).stdout
    members = {}
    current = None
    for line in out.splitlines():
        if line.startswith("@@"):
            current = line[2:].strip()
            members[current] = None
            continue
        if current is None:
            continue
        if line.startswith("type = "):
            members[current] = []
            continue
        stripped = line.strip()
        if members[current] is None or not stripped.endswith(";") or "(" in stripped:
            continue
        if stripped.startswith(("static ", "typedef ", "using ")):
            continue
        declaration = re.sub(r"(\[\d+\])+;$", ";", stripped)[:-1]
        kind, _, member = declaration.rpartition(" ")
        kind = re.sub(r"^(struct|class|enum|union)\s+", "", kind.strip())
        members[current].append((kind, member))
    return members


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    program, root = argv[1], argv[2]
    start = argv[3] if len(argv) > 3 else "Simulation"
    lists = listed_fields(root)
    faults, seen, queue = [], set(), [start]
    while queue:
        batch = [name for name in dict.fromkeys(queue) if name not in seen]
        queue = []
        if not batch:
            break
        seen.update(batch)
        for name, members in data_members(program, batch).items():
            if members is None:
                faults.append(f"{name}: gdb does not know the type")
                continue
            names = [member for _, member in members]
            if name not in lists:
                if members:
                    faults.append(f"{name}: compared, but names no fields()")
            else:
                for member in names:
                    if member not in lists[name]:
                        faults.append(f"{name}::{member} is left out of fields()")
            for kind, _ in members:
                if kind not in ARITHMETIC and not kind.startswith("enum"):
                    queue.append(kind)
    if not seen - {start} and start in lists:
        faults.append(f"{start}: no record type reached (gdb gave nothing)")
    for fault in faults:
        print(fault)
    if not faults:
        print(f"every member of {len(seen)} record types is compared")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
