#!/usr/bin/env python3
"""Checks the layering of the source tree:
- the core (every file that goes into zeptor_core, with its header) includes no
  window header and no QtGui, QtWidgets or QtPrintSupport header;
- no file outside shell/ includes shell/frmstart.h;
- the include graph between the modules (top-level folders) has no cycle, and the
  numerics include no other module.
Usage: check_structure.py SOURCE_DIR QT_INCLUDE_DIR"""
import os
import re
import sys

MODULES = ["numerics", "calc", "widgets", "appendages", "pickers", "project", "fluid", "curve",
           "sizing", "fittings", "shell", "cli"]
GUI_MODULES = ["QtGui", "QtWidgets", "QtPrintSupport", "QtSvg"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def library_sources(root, library):
    """The files that CMake adds to `library`, as paths relative to root."""
    files = set()
    for module in MODULES:
        cmake = os.path.join(root, module, "CMakeLists.txt")
        if not os.path.exists(cmake):
            continue
        text = open(cmake, encoding="utf-8").read()
        for block in re.findall(r"target_sources\(\s*%s\s+PRIVATE(.*?)\)" % library, text, re.S):
            for name in block.split():
                files.add(os.path.join(module, name))
    return files


def includes(root, path):
    return INCLUDE.findall(open(os.path.join(root, path), encoding="utf-8").read())


def main():
    root, qt_include = sys.argv[1], sys.argv[2]
    faults = []
    core = library_sources(root, "zeptor_core")
    ui = library_sources(root, "zeptor_ui")
    ui_headers = {os.path.splitext(f)[0] + ".h" for f in ui}
    core |= {os.path.splitext(f)[0] + ".h" for f in core if os.path.exists(os.path.join(root, os.path.splitext(f)[0] + ".h"))}

    # Headers that only the core's files reach are core as well.
    pending = list(core)
    while pending:
        path = pending.pop()
        if not os.path.exists(os.path.join(root, path)):
            continue
        for inc in includes(root, path):
            if inc.split("/")[0] in MODULES and inc not in core and os.path.exists(os.path.join(root, inc)):
                core.add(inc)
                pending.append(inc)

    for path in sorted(core):
        if not os.path.exists(os.path.join(root, path)):
            continue
        for inc in includes(root, path):
            top = inc.split("/")[0]
            if inc in ui_headers or inc in ui:
                faults.append(f"{path}: the core includes the window header {inc}")
            elif top in GUI_MODULES or any(
                os.path.exists(os.path.join(qt_include, m, inc)) for m in GUI_MODULES
            ):
                faults.append(f"{path}: the core includes the GUI header <{inc}>")

    graph = {m: set() for m in MODULES}
    for module in MODULES:
        folder = os.path.join(root, module)
        if not os.path.isdir(folder):
            continue
        for dirpath, _, names in os.walk(folder):
            for name in names:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root)
                for inc in includes(root, path):
                    target = inc.split("/")[0]
                    if inc == "shell/frmstart.h" and module != "shell":
                        faults.append(f"{path}: includes shell/frmstart.h")
                    if target in MODULES and target != module:
                        graph[module].add(target)

    # The numerics stand below everything: plain formulations that know no module.
    for target in sorted(graph["numerics"]):
        faults.append(f"numerics/ includes {target}/: the numerics depend on no other module")

    # Depth-first search for a cycle.
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(graph[node]):
            if state.get(nxt) == "open":
                faults.append("include cycle: " + " -> ".join(trail[trail.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for m in MODULES:
        if m not in state:
            visit(m, [m])

    for fault in faults:
        print(fault)
    print("modules: " + "; ".join(f"{m} -> {', '.join(sorted(graph[m])) or '-'}" for m in MODULES))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
