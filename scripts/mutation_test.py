#!/usr/bin/env python3
"""Seeded single-line mutations of the code the default preset compiles, each run against the suite.

Usage: mutation_test.py N SEED        (scripts/mutation-test.sh is the entry point)
       mutation_test.py --sample FILE  (replays a recorded sample on today's sources)

Sites are the lines of src/ and sandbox/ that survive the preprocessor in the default build (so no
_WIN32 branch). The candidates are shuffled with SEED and applied one at a time until N of them
compiled: rebuild, run the whole suite stopping at the first failure, restore the file's bytes.
A failing or timed-out suite kills the mutant; a mutant that does not compile is not counted.

A sample file (JSON: path, line, kind, original and mutated line text) pins one sample across
changes of the sources: each mutation is applied to the line that still reads as it did, nearest to
where it was, and one whose line is gone is reported and not counted.
"""

import json
import os
import random
import re
import shlex
import signal
import subprocess
import sys
import time
from pathlib import Path

TOP = Path(__file__).resolve().parent.parent
BUILD = Path(os.environ.get("MUTATION_BUILD_DIR", TOP / "build" / "mutation"))
# MUTATION_ROOTS and MUTATION_CTEST_ARGS narrow a run to one area and its tests while working on it.
MUTATED_ROOTS = tuple(os.environ.get("MUTATION_ROOTS", "src/ sandbox/").split())

# Binary operators stand between blanks in our formatting; templates, shifts and arrows never do.
SWAPS = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">", "&&": "||", "||": "&&"}
BINARY = re.compile(r"(?<= )(==|!=|<=|>=|&&|\|\||<|>)(?= )")
NEGATION = re.compile(r"!(?!=)")
BOOLEAN = re.compile(r"\b(true|false)\b")
INTEGER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
CALL_STATEMENT = re.compile(r"^(\s*)((?:[A-Za-z_]\w*(?:\.|->|::))*[A-Za-z_]\w*(?:<[\w:, ]*>)?\(.*\));\s*$")
NOT_CALLS = {"return", "delete", "throw", "case", "goto", "co_return", "static_assert", "if", "while",
             "for", "switch", "sizeof", "Q_OBJECT", "Q_PROPERTY"}


def log(*parts):
    print(*parts, flush=True)


def masked(line):
    """The line with string and character literals and comments blanked, columns kept."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
                out.append(c)
            else:
                out.append(" ")
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def compiled_lines():
    """{path: set of line numbers} that the default build's preprocessor keeps."""
    commands = json.loads((BUILD / "compile_commands.json").read_text())
    kept = {}
    for entry in commands:
        source = Path(entry["file"]).resolve()
        rel = source.relative_to(TOP).as_posix() if source.is_relative_to(TOP) else ""
        if not rel.startswith(MUTATED_ROOTS):
            continue
        args = shlex.split(entry["command"])
        if "-o" in args:
            at = args.index("-o")
            del args[at : at + 2]
        args = [a for a in args if a != "-c"] + ["-E", "-o", "-"]
        text = subprocess.run(args, cwd=entry["directory"], capture_output=True, text=True,
                              errors="replace", check=True).stdout
        current, number = None, 0
        for out in text.splitlines():
            marker = re.match(r'# (\d+) "([^"]+)"', out)
            if marker:
                number, name = int(marker.group(1)), marker.group(2)
                path = Path(entry["directory"], name).resolve()
                current = path.relative_to(TOP).as_posix() if path.is_relative_to(TOP) else None
                if current and not current.startswith(MUTATED_ROOTS):
                    current = None
                continue
            if current and out.strip():
                kept.setdefault(current, set()).add(number)
            number += 1
    return kept


def line_mutations(line):
    """Every single mutation of one source line, as (kind, mutated line)."""
    code = masked(line)
    stripped = code.strip()
    if not stripped or stripped.startswith("#"):
        return []
    found = []
    for m in BINARY.finditer(code):
        op = m.group(1)
        found.append((f"{op} -> {SWAPS[op]}", line[: m.start()] + SWAPS[op] + line[m.end():]))
    for m in NEGATION.finditer(code):
        found.append(("! dropped", line[: m.start()] + line[m.end():]))
    for m in BOOLEAN.finditer(code):
        other = "false" if m.group(1) == "true" else "true"
        found.append((f"{m.group(1)} -> {other}", line[: m.start()] + other + line[m.end():]))
    for m in INTEGER.finditer(code):
        value = int(m.group(1))
        nudged = str(value + 1) if value == 0 or hash_parity(line, m.start()) else str(value - 1)
        found.append((f"{value} -> {nudged}", line[: m.start()] + nudged + line[m.end():]))
    call = CALL_STATEMENT.match(code)
    if call and call.group(2).split("(")[0].split("::")[-1] not in NOT_CALLS \
            and balanced(call.group(2)):
        found.append(("call deleted", call.group(1) + ";\n"))
    return found


def hash_parity(line, column):
    # A fixed choice between +1 and -1 that does not depend on Python's hash seed.
    return (sum(line.encode()) + column) & 1


def balanced(text):
    depth = 0
    for c in text:
        depth += (c == "(") - (c == ")")
        if depth < 0:
            return False
    return depth == 0


def candidates(seed):
    sites = []
    for path, numbers in sorted(compiled_lines().items()):
        lines = (TOP / path).read_text(encoding="utf-8").splitlines(keepends=True)
        for number in sorted(numbers):
            if 1 <= number <= len(lines):
                for kind, mutated in line_mutations(lines[number - 1]):
                    sites.append((path, number, kind, mutated))
    random.Random(seed).shuffle(sites)
    return sites


def recorded(sample_file):
    sites = []
    for entry in json.loads(Path(sample_file).read_text(encoding="utf-8")):
        file = TOP / entry["path"]
        lines = file.read_text(encoding="utf-8").splitlines(keepends=True) if file.exists() else []
        same = [i + 1 for i, line in enumerate(lines) if line == entry["original"]]
        if not same:
            log(f"  gone        {entry['path']}:{entry['line']} {entry['kind']}: "
                f"{entry['original'].strip()}")
            continue
        number = min(same, key=lambda n: abs(n - entry["line"]))
        sites.append((entry["path"], number, entry["kind"], entry["mutated"]))
    return sites


def run(args, limit=None):
    """Runs a command in its own process group; returns (exit code or None on time-out, output)."""
    proc = subprocess.Popen(args, cwd=TOP, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, errors="replace", start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=limit)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, out


def build():
    return run(["cmake", "--build", str(BUILD)])[0] == 0


def suite(limit=None):
    return run(["ctest", "--test-dir", str(BUILD), "--stop-on-failure", "-j", "2",
                "--timeout", "300", "--output-on-failure",
                *shlex.split(os.environ.get("MUTATION_CTEST_ARGS", ""))], limit)


def failed_test(output):
    m = re.search(r"The following tests FAILED:\s*\n\s*\d+ - (\S+)", output)
    return m.group(1) if m else "?"


def main():
    # A stop request still runs the `finally` that restores the mutated file.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    if len(sys.argv) != 3:
        sys.exit("usage: mutation-test.sh N SEED | --sample FILE")
    replay = sys.argv[1] == "--sample"
    subprocess.run(["cmake", "-S", str(TOP), "-B", str(BUILD), "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DHOSTING_WERROR=ON",
                    "-DHOSTING_BUILD_BENCH=OFF", "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"],
                   check=True, stdout=subprocess.DEVNULL)
    if not build():
        sys.exit("the unmutated tree does not build")
    began = time.monotonic()
    code, out = suite()
    if code != 0:
        sys.exit("the unmutated suite fails:\n" + out[-3000:])
    limit = int(os.environ.get("MUTATION_TIMEOUT", max(120, 3 * (time.monotonic() - began))))
    log(f"suite passes unmutated; {limit} s per mutated run")

    sites = recorded(sys.argv[2]) if replay else candidates(int(sys.argv[2]))
    wanted = len(sites) if replay else int(sys.argv[1])
    killed, survived, uncompiled = [], [], 0
    for path, number, kind, mutated in sites:
        if len(killed) + len(survived) == wanted:
            break
        file = TOP / path
        original = file.read_bytes()
        lines = original.decode("utf-8").splitlines(keepends=True)
        label = f"{path}:{number} {kind}: {lines[number - 1].strip()}"
        lines[number - 1] = mutated
        try:
            file.write_bytes("".join(lines).encode("utf-8"))
            if not build():
                uncompiled += 1
                log(f"  uncompiled  {label}")
                continue
            code, out = suite(limit)
        finally:
            file.write_bytes(original)
        if code == 0:
            survived.append(label)
            log(f"  SURVIVED    {label}")
        else:
            killed.append(label)
            log(f"  killed      {label}  [{'time-out' if code is None else failed_test(out)}]")

    counted = len(killed) + len(survived)
    score = 100.0 * len(killed) / counted if counted else 0.0
    log(f"\nkilled {len(killed)} / survived {len(survived)} / score {score:.1f}% "
        f"({'sample ' if replay else 'seed '}{sys.argv[2]}, {uncompiled} did not compile)")
    for label in survived:
        log(f"survivor: {label}")
    build()  # leave the build tree matching the restored sources


if __name__ == "__main__":
    main()
