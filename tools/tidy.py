#!/usr/bin/env python3
"""Runs clang-tidy (the repository's .clang-tidy) over every source file that CMake
compiles into the given targets, as compile_commands.json records them, so that the
list follows the CMakeLists.txt files. Any finding fails the run.
Usage: tidy.py BUILD_DIR JOBS TARGET..."""
import concurrent.futures
import json
import os
import re
import subprocess
import sys
import time

# clang-tidy counts the warnings it suppressed in system headers; that count says nothing.
SUPPRESSED_COUNT = re.compile(r"^\d+ warnings? (and \d+ errors? )?generated\.$")


def sources(build_dir, targets):
    """The files compiled into `targets`, outside the build folder (moc output and
    resources are generated, not ours)."""
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    build_root = os.path.realpath(build_dir) + os.sep
    marks = tuple(f"CMakeFiles/{t}.dir/" for t in targets)
    found = []
    for entry in entries:
        path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
        command = entry.get("command") or " ".join(entry.get("arguments", []))
        if path.startswith(build_root) or not any(m in command for m in marks):
            continue
        if path not in found:
            found.append(path)
    return found


def tidy(build_dir, path):
    run = subprocess.run(
        ["clang-tidy", "-p", build_dir, "--quiet", "--warnings-as-errors=*", path],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    lines = [l for l in run.stdout.splitlines() if not SUPPRESSED_COUNT.match(l.strip())]
    return path, run.returncode, "\n".join(lines)


def main():
    build_dir, jobs, targets = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    files = sources(build_dir, targets)
    if not files:
        print(f"tidy: no sources of {', '.join(targets)} in {build_dir}/compile_commands.json")
        return 1
    start = time.monotonic()
    failed = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for path, code, output in pool.map(lambda p: tidy(build_dir, p), files):
            if output:
                print(output, flush=True)
            if code != 0:
                failed.append(os.path.relpath(path))
    seconds = time.monotonic() - start
    print(f"tidy: {len(files)} files in {seconds:.0f} s, {len(failed)} with findings"
          + (": " + " ".join(failed) if failed else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
