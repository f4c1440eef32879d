"""Writes the release package: the folder that make dist laid out, zipped under one top
folder kvte-<version>/, with the readme's version filled in. Names are stored in UTF-8
with the flag that says so.

usage: package-zip.py VERSION DIST_FOLDER README OUTPUT_ZIP
"""
import os
import sys
import zipfile

# What a user must find in the package; the build fails without it.
REQUIRED = ["kvte.exe", "help.chm", "readme.txt", "esf/", "color/", "tools/kvtesample.exe",
            "tools/kvtesample.kti"]


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    version, folder, readme, output = argv[1:]
    with open(readme, encoding="utf-8-sig") as handle:
        text = handle.read().replace("{version}", version)
    with open(os.path.join(folder, "readme.txt"), "w", encoding="utf-8-sig", newline="") as handle:
        handle.write(text)
    names = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        relative = os.path.relpath(root, folder).replace(os.sep, "/")
        prefix = "" if relative == "." else relative + "/"
        if prefix:
            names.append(prefix)
        names.extend(prefix + name for name in sorted(files))
    missing = [name for name in REQUIRED if name not in names]
    if missing:
        sys.stderr.write(f"package-zip: {folder} lacks {', '.join(missing)}\n")
        return 1
    top = f"kvte-{version}/"
    temporary = output + ".part"
    with zipfile.ZipFile(temporary, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr(zipfile.ZipInfo(top, (2026, 1, 1, 0, 0, 0)), b"")
        for name in names:
            path = os.path.join(folder, name)
            if name.endswith("/"):
                archive.write(path, top + name)
            else:
                archive.write(path, top + name)
    os.replace(temporary, output)
    print(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
