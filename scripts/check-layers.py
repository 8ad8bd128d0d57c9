#!/usr/bin/env python3
"""Checks the library order of scripts/layers.txt: no source includes, and no library links, anything above it."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_EXTS = (".c", ".cpp", ".h", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def read_order(path):
    rank = {}
    with open(path, encoding="utf-8") as f:
        lines = [l.split("#", 1)[0].split() for l in f]
    for i, folders in enumerate(l for l in lines if l):
        for folder in folders:
            rank[folder] = i
    return rank


def group_of(rel, rank):
    """The longest listed folder that holds `rel`, or None."""
    parts = rel.split("/")
    for n in range(len(parts) - 1, 0, -1):
        prefix = "/".join(parts[:n])
        if prefix in rank:
            return prefix
    return None


def allowed(src_group, dst_group, rank):
    return dst_group == src_group or rank[dst_group] < rank[src_group]


def source_files(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel_dir = os.path.relpath(dirpath, root).replace(os.sep, "/")
        dirnames[:] = [d for d in dirnames if not d.startswith(".") and not (rel_dir == "." and d in ("build", "dist"))]
        for name in filenames:
            if name.endswith(SOURCE_EXTS) or name == "CMakeLists.txt":
                yield os.path.normpath(os.path.join(rel_dir, name)).replace(os.sep, "/")


def check_includes(root, rank, files):
    faults = []
    for rel in files:
        if rel.endswith("CMakeLists.txt"):
            continue
        src = group_of(rel, rank)
        if src is None:
            continue
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            text = f.read()
        for header in INCLUDE.findall(text):
            target = header if os.path.exists(os.path.join(root, header)) else \
                os.path.normpath(os.path.join(os.path.dirname(rel), header)).replace(os.sep, "/")
            if not os.path.exists(os.path.join(root, target)):
                if "/" in header and header.split("/")[0] in {g.split("/")[0] for g in rank}:
                    faults.append(f"{rel} includes {header}, which does not exist")
                continue
            dst = group_of(target, rank)
            if dst is not None and not allowed(src, dst, rank):
                faults.append(f"{rel} ({src}) includes {target} ({dst})")
    return faults


CALL = re.compile(r"\b(add_library|add_executable|lx_add_export_dll|lx_program|lx_add_gtest|lx_fuzz_target|"
                  r"target_link_libraries)\s*\(([^()]*(?:\([^()]*\)[^()]*)*)\)", re.S)
KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE", "STATIC", "SHARED", "OBJECT", "WIN32", "EXCLUDE_FROM_ALL"}


def check_links(root, rank, files):
    """Targets are placed by their CMakeLists' folder (or their first source's); links are read from the calls."""
    owner = {}  # target -> group
    links = []  # (target, library, cmake file)
    for rel in files:
        if not rel.endswith("CMakeLists.txt"):
            continue
        folder = os.path.dirname(rel)
        with open(os.path.join(root, rel), encoding="utf-8") as f:
            text = re.sub(r"#[^\n]*", "", f.read())
        for call, body in CALL.findall(text):
            words = body.split()
            if not words or words[0].startswith("$"):
                continue
            target = words[0]
            if call == "target_link_libraries":
                links += [(target, w, rel) for w in words[1:] if w not in KEYWORDS and not w.startswith(("$", "-"))]
                continue
            if call in ("lx_add_export_dll", "lx_add_gtest", "lx_fuzz_target"):
                args, mode = [], None
                for w in words[1:]:
                    if w.isupper():
                        mode = w
                    elif mode == "LIBS":
                        links.append((target, w, rel))
            sources = [w for w in words[1:] if w not in KEYWORDS and re.search(r"\.(c|cpp|rc)$", w)]
            place = folder
            if sources and not sources[0].startswith("$"):
                place = os.path.normpath(os.path.join(folder, sources[0])).replace(os.sep, "/")
                place = os.path.dirname(place) + "/x"
            else:
                place = folder + "/x"
            if call == "lx_program":
                target = "lxdevset" if target == "${target}" else target
            group = group_of(place, rank)
            if group is not None:
                owner.setdefault(target, group)
    faults = []
    for target, library, rel in links:
        if target not in owner or library not in owner:
            continue
        src, dst = owner[target], owner[library]
        if not allowed(src, dst, rank):
            faults.append(f"{rel}: {target} ({src}) links {library} ({dst})")
    return faults


def self_test():
    """The check must fail on a header or a library that climbs, and pass on the same tree without them."""
    import tempfile
    with tempfile.TemporaryDirectory() as root:
        def put(rel, text):
            os.makedirs(os.path.dirname(os.path.join(root, rel)), exist_ok=True)
            with open(os.path.join(root, rel), "w") as f:
                f.write(text)
        put("scripts/layers.txt", "low\nhigh\n")
        put("low/a.h", "#pragma once\n")
        put("high/b.h", '#include "low/a.h"\n')
        put("low/CMakeLists.txt", "add_library(lowlib STATIC a.cpp)\n")
        put("high/CMakeLists.txt", "add_library(highlib STATIC b.cpp)\ntarget_link_libraries(highlib PUBLIC lowlib)\n")
        sound = run(root, quiet=True) == 0
        put("low/a.h", '#include "high/b.h"\n')
        include_caught = run(root, quiet=True) == 1
        put("low/a.h", "#pragma once\n")
        put("low/CMakeLists.txt", "add_library(lowlib STATIC a.cpp)\ntarget_link_libraries(lowlib\n  PRIVATE highlib)\n")
        link_caught = run(root, quiet=True) == 1
    print(f"layers self-test: sound tree passes {sound}, climbing include caught {include_caught}, "
          f"climbing link caught {link_caught}")
    return 0 if sound and include_caught and link_caught else 1


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    return run(sys.argv[1] if len(sys.argv) > 1 else ROOT)


def run(root, quiet=False):
    rank = read_order(os.path.join(root, "scripts", "layers.txt"))
    missing = [folder for folder in rank if not os.path.isdir(os.path.join(root, folder))]
    files = sorted(source_files(root))
    unplaced = sorted({os.path.dirname(f) for f in files if group_of(f, rank) is None and "/" in f})
    faults = [f"listed folder {m} does not exist" for m in missing]
    faults += [f"{d} is in no listed folder" for d in unplaced]
    faults += check_includes(root, rank, files) + check_links(root, rank, files)
    for fault in faults if not quiet else []:
        print("layers:", fault)
    if not quiet:
        print(f"layers: {len(files)} files checked against {len(rank)} folders, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
