#!/usr/bin/env python3
"""The shape of the house, read from the #include lines of our own folders.

    python3 tools/house_map.py [--strict]

Prints the folders (files, lines, which folders each includes from), the dependency
levels of the folders and of the editor's modules in app/, the circles (strongly
connected components) between folders and between modules, the includes inside app/
that run back up from a lower wing to a higher one, the Windows headers editor/ includes
and the files of app/ that write the status bar. A module is a header with the .cpp of
the same name (a .cpp alone is a module too). --strict exits 1 when the house has a
circle, an include runs back up, editor/ includes a Windows header or more than one file
of app/ writes the status bar.
"""

import os
import re
import sys
from collections import defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The folders of the programs, lowest first as the README's table lists them.
FOLDERS = ["safe_file", "imaging", "settings", "mission", "document", "export", "screenshot_prep", "scene",
           "recovery", "editor", "resources", "cli", "app"]
# Any other top folder that builds a library of ours is measured too, after these.
FOLDERS += sorted(d for d in os.listdir(ROOT) if d not in FOLDERS and not d.startswith(".") and
                  d not in ("tests", "tools", "docs", "cmake", "third_party", "examples", "build") and
                  os.path.isfile(os.path.join(ROOT, d, "CMakeLists.txt")))
# The wings of app/, lowest first: an include from a wing to one later in this list runs
# back up. Files directly in app/ count as the top.
APP_WINGS = ["win32", "services", "views", "dialogs", "commands", "frame", ""]
WINDOWS_HEADERS = {
    "windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "winuser.h",
    "wingdi.h", "winbase.h", "winnt.h", "objbase.h", "ole2.h", "mmsystem.h", "uxtheme.h",
    "dwmapi.h", "psapi.h", "tlhelp32.h", "shlwapi.h", "winerror.h", "io.h", "direct.h",
}
SOURCE = re.compile(r"\.(h|hpp|c|cpp|rc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
STATUS_BAR_WRITE = re.compile(r"\bSB_SETTEXT[AW]?\b")


def folder_of(path):
    """'app/frame' for files in a wing of app/, else the top folder."""
    parts = path.split("/")
    if parts[0] == "app":
        return "app/" + parts[1] if len(parts) > 2 else "app"
    return parts[0]


def module_of(path):
    return os.path.splitext(path)[0]


def read_files():
    files = {}
    for top in FOLDERS:
        base = os.path.join(ROOT, top)
        for directory, subdirectories, names in os.walk(base):
            # The template package is data, not code.
            subdirectories[:] = [d for d in subdirectories if d != "package"]
            for name in names:
                if SOURCE.search(name):
                    full = os.path.join(directory, name)
                    with open(full, encoding="utf-8", errors="replace") as f:
                        files[os.path.relpath(full, ROOT).replace(os.sep, "/")] = f.read()
    return files


def resolve(including, name, by_base):
    """The file an #include "name" of `including` means: beside it first, else the one file
    of that name in our folders (the same top folder wins when there are several)."""
    beside = os.path.normpath(os.path.join(os.path.dirname(including), name)).replace(os.sep, "/")
    if beside in by_base.get(os.path.basename(name), []):
        return beside
    candidates = [c for c in by_base.get(os.path.basename(name), []) if c.endswith(name)]
    if len(candidates) > 1:
        same = [c for c in candidates if c.split("/")[0] == including.split("/")[0]]
        candidates = same or candidates
    return candidates[0] if len(candidates) == 1 else None


def strongly_connected(nodes, edges):
    """Tarjan's algorithm, without recursion; the components in reverse topological order."""
    index, low, on_stack, stack, result = {}, {}, set(), [], []
    counter = 0
    for start in sorted(nodes):
        if start in index:
            continue
        work = [(start, iter(sorted(edges.get(start, ()))))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for nxt in successors:
                if nxt not in nodes:
                    continue
                if nxt not in index:
                    index[nxt] = low[nxt] = counter
                    counter += 1
                    stack.append(nxt)
                    on_stack.add(nxt)
                    work.append((nxt, iter(sorted(edges.get(nxt, ())))))
                    advanced = True
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                result.append(sorted(component))
    return result


def levels(nodes, edges):
    """Level 0 includes nothing of `nodes`; every other node is one above the highest it
    includes. Members of a circle share one level."""
    components = strongly_connected(nodes, edges)
    component_of = {n: i for i, c in enumerate(components) for n in c}
    level = {}
    for i, component in enumerate(components):  # dependencies come first
        below = [level[component_of[t]] for n in component for t in edges.get(n, ())
                 if t in component_of and component_of[t] != i]
        level[i] = 1 + max(below) if below else 0
    return {n: level[component_of[n]] for n in nodes}, [c for c in components if len(c) > 1]


def main():
    strict = "--strict" in sys.argv[1:]
    files = read_files()
    by_base = defaultdict(list)
    for path in files:
        by_base[os.path.basename(path)].append(path)

    module_edges = defaultdict(set)
    file_edges = []  # (from file, to file)
    windows_in_editor = []
    folder_edges = defaultdict(set)
    for path, text in sorted(files.items()):
        for kind, name in INCLUDE.findall(text):
            if kind == "<":
                if path.startswith("editor/") and name.lower() in WINDOWS_HEADERS:
                    windows_in_editor.append(f"{path}: <{name}>")
                continue
            target = resolve(path, name, by_base)
            if target is None:
                continue
            if path.startswith("editor/") and os.path.basename(target).lower() in WINDOWS_HEADERS:
                windows_in_editor.append(f"{path}: \"{name}\"")
            if module_of(target) != module_of(path):
                module_edges[module_of(path)].add(module_of(target))
                file_edges.append((path, target))
            top_from, top_to = path.split("/")[0], target.split("/")[0]
            if top_from != top_to:
                folder_edges[top_from].add(top_to)

    print("Folders (files, lines; includes from)")
    for top in FOLDERS:
        own = [p for p in files if p.split("/")[0] == top]
        if not own:
            continue
        lines = sum(files[p].count("\n") for p in own)
        deps = ", ".join(d for d in FOLDERS if d in folder_edges[top]) or "-"
        print(f"  {top:16} {len(own):4} files {lines:6} lines; {deps}")
        if top == "app":
            for wing in APP_WINGS:
                inside = [p for p in own if folder_of(p) == ("app/" + wing if wing else "app")]
                if inside:
                    wing_lines = sum(files[p].count("\n") for p in inside)
                    print(f"    {('app/' + wing) if wing else 'app (top)':14} {len(inside):4} files {wing_lines:6} lines")

    present = [f for f in FOLDERS if any(p.split("/")[0] == f for p in files)]
    folder_level, folder_circles = levels(set(present), folder_edges)
    print("\nFolder levels")
    for lvl in sorted(set(folder_level.values())):
        print(f"  {lvl}: " + ", ".join(f for f in present if folder_level[f] == lvl))

    modules = {module_of(p) for p in files}
    _, module_circles = levels(modules, module_edges)
    file_graph = defaultdict(set)
    for source, target in file_edges:
        file_graph[source].add(target)
    _, file_circles = levels(set(files), file_graph)
    print("\nCircles")
    print(f"  between files: {len(file_circles)}")
    for circle in file_circles:
        print("    " + " <-> ".join(circle))
    print(f"  between folders: {len(folder_circles)}")
    for circle in folder_circles:
        print("    " + " <-> ".join(circle))
    print(f"  between modules: {len(module_circles)}")
    for circle in module_circles:
        print(f"    {len(circle)} modules: " + ", ".join(circle))

    app_modules = {m for m in modules if m.startswith("app/")}
    app_level, app_circles = levels(app_modules, module_edges)
    depth = 1 + max(app_level.values()) if app_level else 0
    print(f"\napp/: {len(app_modules)} modules on {depth} levels")
    for lvl in range(depth):
        members = sorted(m[len("app/"):] for m in app_modules if app_level[m] == lvl)
        print(f"  {lvl:2}: " + ", ".join(members))

    # Running back up: an include between two modules of one circle (whichever way, it
    # closes the circle), or from a wing to a later one in APP_WINGS.
    in_circle = {m: i for i, c in enumerate(app_circles) for m in c}
    wing_rank = {("app/" + w if w else "app"): i for i, w in enumerate(APP_WINGS)}
    back_up = []
    for source, target in file_edges:
        if not (source.startswith("app/") and target.startswith("app/")):
            continue
        a, b = module_of(source), module_of(target)
        if a in in_circle and in_circle.get(b) == in_circle[a]:
            back_up.append(f"{source} -> {target} (a circle)")
        elif wing_rank.get(folder_of(source), 99) < wing_rank.get(folder_of(target), 99):
            back_up.append(f"{source} -> {target} ({folder_of(source)} below {folder_of(target)})")
    print(f"\nIncludes in app/ that run back up: {len(back_up)}")
    for line in back_up:
        print("  " + line)

    print(f"\nWindows headers in editor/: {len(windows_in_editor)}")
    for line in windows_in_editor:
        print("  " + line)

    writers = sorted(p for p, t in files.items() if p.startswith("app/") and STATUS_BAR_WRITE.search(t))
    print(f"\nFiles of app/ that write the status bar (SB_SETTEXT): {len(writers)}")
    for path in writers:
        print("  " + path)

    faults = folder_circles or file_circles or module_circles or back_up or windows_in_editor or len(writers) > 1
    if strict and faults:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
