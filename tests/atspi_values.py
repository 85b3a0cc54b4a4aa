#!/usr/bin/env python3
"""Reads the accessibility tree of the analysis windows over AT-SPI, as a
screen reader gets it, and checks that every value each window shows is the name or
the text of an element of that window, alone or after its caption ("Suction line:
none"): a value shown three times is heard three times.

    atspi_values.py HELPER   (run inside an X display and a D-Bus session, with
                              QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
"""
import collections
import json
import subprocess
import sys
import time

import pyatspi


def heard_in(root):
    """The names and texts of the elements below root, one set per element."""
    heard = []
    stack = [root]
    while stack:
        node = stack.pop()
        try:
            texts = {(node.name or "").strip()}
            try:
                text = node.queryText()
                texts.add(text.getText(0, text.characterCount).strip())
            except NotImplementedError:
                pass
            heard.append({t for t in texts if t})
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:  # an element that went away while it was read
            continue
    return heard


def window_of(app_name, title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != app_name:
            continue
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None and window.name == title:
                return window
    return None


def main():
    helper = sys.argv[1]
    proc = subprocess.Popen([helper], stdout=subprocess.PIPE, text=True)
    try:
        shown = []
        for line in proc.stdout:
            if line.strip() == "ready":
                break
            shown.append(json.loads(line))
        if len(shown) != 4:
            print("the helper did not open the windows", file=sys.stderr)
            return 1
        app_name = helper.rsplit("/", 1)[-1]
        failures = 0
        for entry in shown:
            title, values = entry["window"], entry["values"]
            window = None
            for _ in range(50):
                window = window_of(app_name, title)
                if window is not None:
                    break
                time.sleep(0.2)
            if window is None:
                print(f"{title}: not found over AT-SPI", file=sys.stderr)
                failures += 1
                continue
            heard = heard_in(window)
            shown = collections.Counter(values)
            times = {v: sum(1 for texts in heard if any(t == v or t.endswith(" " + v) for t in texts))
                     for v in shown}
            missing = {v: n - times[v] for v, n in shown.items() if times[v] < n}
            print(f"{title}: {len(values)} values, {sum(missing.values())} not heard")
            for value, count in missing.items():
                print(f"  not heard: {value!r} ({count} of {shown[value]})", file=sys.stderr)
            failures += sum(missing.values())
        return 1 if failures else 0
    finally:
        proc.terminate()
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()


if __name__ == "__main__":
    sys.exit(main())
