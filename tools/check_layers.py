#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The layers, bottom up: base; text; the platform's ports; the core modules;
the front ends. Implementations of the ports (posix, qt, curl, media) sit
beside the ports and are reached only by the front ends, tests and benches.
"""
import pathlib
import re
import sys

# Folder (relative to src/) -> the folders its files may include from.
ALLOWED = {
    "base": {"base"},
    "text": {"base", "text"},
    "platform": {"base", "platform"},
    "platform/posix": {"base", "platform"},
    "platform/qt": {"base", "platform"},
    "platform/curl": {"base", "platform"},
    "platform/media": {"base", "platform"},
    "workspace": {"base", "text", "platform", "workspace"},
    "rename": {"base", "text", "platform", "workspace", "rename"},
    "mapped": {"base", "text", "platform", "workspace", "rename", "mapped"},
    "filetools": {"base", "text", "platform", "workspace", "filetools"},
    "net": {"base", "text", "platform", "net"},
    "cli": {"base", "text", "platform", "workspace", "rename", "mapped", "cli"},
    "app": {"base", "text", "platform", "workspace", "rename", "mapped", "filetools", "net", "app"},
}
IMPLEMENTATIONS = ("platform/posix/", "platform/qt/", "platform/curl/", "platform/media/")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(path: pathlib.Path, src: pathlib.Path) -> str:
    folder = path.parent.relative_to(src).as_posix()
    return folder if folder in ALLOWED else folder.split("/")[0]


def target_of(header: str) -> str:
    for implementation in IMPLEMENTATIONS:
        if header.startswith(implementation):
            return implementation.rstrip("/")
    return header.split("/")[0]


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src").resolve()
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer = layer_of(path, src)
        allowed = ALLOWED.get(layer)
        if allowed is None:
            faults.append(f"{path.relative_to(src)}: folder {layer} has no place in the layers")
            continue
        for header in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if "/" not in header:
                continue
            target = target_of(header)
            reaches_implementation = target in {i.rstrip("/") for i in IMPLEMENTATIONS}
            if reaches_implementation and layer not in ("app", "cli", target):
                faults.append(f"{path.relative_to(src)}: includes the implementation {header}")
            elif not reaches_implementation and target not in allowed:
                faults.append(f"{path.relative_to(src)}: includes {header} from the layer above")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
