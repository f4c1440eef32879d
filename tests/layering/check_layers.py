#!/usr/bin/env python3
"""Checks the layering of src/: every #include "folder/..." of a source file must name its
own folder or a folder that its folder may use, and no portable folder may include a
Windows header.

Usage: check_layers.py SRC_DIR      check the tree; exit 1 and list each offence
       check_layers.py --self-test  check that planted offences are caught
"""
import os
import re
import sys
import tempfile

# Folders whose code is built natively as well as into the Windows program. They never
# include a Windows header.
PORTABLE = {
    "files": set(),
    "encoding": set(),
    "encoding/kvteconv": {"encoding", "files"},
    "regex": {"encoding"},
    "regex/tool": {"regex", "encoding", "files", "search"},
    "textcontrol/model": {"encoding"},
    "config": {"files", "encoding"},
    "documents": {"config", "files", "encoding", "textcontrol/model"},
    "search": {"config", "regex", "encoding", "textcontrol/model"},
    "emphasis": {"config", "files", "encoding", "textcontrol/model"},
    "tools": {"config", "files", "encoding"},
    # The page tables name their controls and messages by the resource numbers: plain
    # #defines, no Windows header.
    "options": {"config", "files", "encoding", "textcontrol/model", "resources"},
}
_BELOW_SUBSYSTEMS = {"textcontrol/win32", "textcontrol/model", "platform", "resources", "config", "files", "encoding",
                     "regex"}
# Folders built only by MinGW, with what each may use besides its own folder.
WIN32 = {
    "platform": {"encoding", "files", "resources", "encoding/kvteconv"},
    "textcontrol/win32": {"textcontrol/model", "encoding", "files", "platform", "resources"},
    "documents/win32": {"documents"} | _BELOW_SUBSYSTEMS,
    "search/win32": {"search"} | _BELOW_SUBSYSTEMS,
    "emphasis/win32": {"emphasis"} | _BELOW_SUBSYSTEMS,
    "tools/win32": {"tools"} | _BELOW_SUBSYSTEMS,
    "options/win32": {"options", "documents", "documents/win32", "search", "search/win32", "emphasis", "emphasis/win32", "tools",
                "tools/win32"} | _BELOW_SUBSYSTEMS,
    "resources": set(),
}
WIN32["app/frame"] = {"options/win32"} | WIN32["options/win32"]
WIN32["app"] = {"app/frame"} | WIN32["app/frame"]
WIN32["main"] = {"app"} | WIN32["app"]

WINDOWS_HEADERS = {
    "windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "shlwapi.h", "ole2.h",
    "oleidl.h", "objbase.h", "objidl.h", "imm.h", "htmlhelp.h", "tchar.h", "mmsystem.h", "richedit.h", "uxtheme.h",
    "io.h", "direct.h", "process.h", "wtypes.h", "basetyps.h", "unknwn.h", "shobjidl.h", "knownfolders.h",
}
SOURCE = re.compile(r"\.(h|hpp|cpp|c|inc|rc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def folder_of(relative_path):
    """The layering folder of a file: the longest known folder that holds it."""
    parts = relative_path.split("/")[:-1]
    while parts:
        name = "/".join(parts)
        if name in PORTABLE or name in WIN32:
            return name
        parts.pop()
    return None


def is_windows_header(name):
    base = name.lower().split("/")[-1]
    return base in WINDOWS_HEADERS or base.startswith("win")


def check(src_dir):
    offences = []
    for root, _, files in os.walk(src_dir):
        for file_name in files:
            if not SOURCE.search(file_name):
                continue
            path = os.path.join(root, file_name)
            relative = os.path.relpath(path, src_dir).replace(os.sep, "/")
            folder = folder_of(relative)
            if folder is None:
                offences.append(f"{relative}: folder has no place in the layering table")
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            allowed = PORTABLE.get(folder, WIN32.get(folder))
            for bracket, name in INCLUDE.findall(text):
                if folder in PORTABLE and is_windows_header(name):
                    offences.append(f"{relative}: portable code includes the Windows header <{name}>")
                if bracket != '"' or "/" not in name:
                    continue
                target = folder_of(name)
                if target is None:
                    if os.path.exists(os.path.join(src_dir, name)):
                        offences.append(f"{relative}: includes {name}, whose folder has no place in the table")
                    continue
                if target != folder and target not in allowed:
                    offences.append(f"{relative}: {folder} may not include {name} (from {target})")
    return offences


def self_test():
    planted = {
        "config/Bad.cpp": '#include <windows.h>\n',
        "encoding/Up.h": '#include "config/ProfileFile.h"\n',
        "textcontrol/model/Sideways.cpp": '#include "textcontrol/win32/EditControl.h"\n',
        "documents/Lateral.cpp": '#include "search/Search.h"\n',
        "config/Fine.cpp": '#include "files/FileAccess.h"\n#include <string>\n',
        "app/AlsoFine.cpp": '#include <windows.h>\n#include "documents/win32/TabBar.h"\n',
    }
    with tempfile.TemporaryDirectory() as tree:
        for relative, text in planted.items():
            os.makedirs(os.path.dirname(os.path.join(tree, relative)), exist_ok=True)
            with open(os.path.join(tree, relative), "w") as f:
                f.write(text)
        found = check(tree)
    caught = {offence.split(":")[0] for offence in found}
    expected = {"config/Bad.cpp", "encoding/Up.h", "textcontrol/model/Sideways.cpp", "documents/Lateral.cpp"}
    if caught != expected:
        print("layering self-test: caught", sorted(caught), "expected", sorted(expected))
        return 1
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    offences = check(sys.argv[1])
    for offence in offences:
        print(offence)
    return 1 if offences else 0


if __name__ == "__main__":
    sys.exit(main())
