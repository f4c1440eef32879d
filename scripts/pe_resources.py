"""Lists the resource types and ids of a Windows executable (PE), and checks what the
released kvte.exe must carry: version information and the icon, but no embedded
manifest (the options dialog switches visual styles with a manifest file beside the
executable, which an embedded manifest would override).

usage: pe_resources.py [--check] EXE
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class PeError(Exception):
    pass


def resource_ids(data):
    """{type: [ids]} of the resource directory's first two levels."""
    if data[:2] != b"MZ":
        raise PeError("not an executable (no MZ header)")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE header")
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    if resource_rva == 0:
        return {}
    table = optional + optional_size
    for index in range(sections):
        header = table + 40 * index
        size, rva, _, raw = struct.unpack_from("<IIII", data, header + 8)
        if rva <= resource_rva < rva + max(size, 1):
            base = raw + (resource_rva - rva)
            break
    else:
        raise PeError("resource directory outside every section")

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", data, base + offset + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * i)
            yield name, target

    result = {}
    for type_id, target in entries(0):
        if not target & 0x80000000:
            continue
        ids = [entry_id for entry_id, _ in entries(target & 0x7FFFFFFF)]
        result[type_id] = ids
    return result


def problems(path):
    with open(path, "rb") as handle:
        found = resource_ids(handle.read())
    faults = []
    if RT_MANIFEST in found:
        faults.append("an embedded manifest would override the visual-styles switch")
    if RT_VERSION not in found:
        faults.append("no version information")
    if RT_GROUP_ICON not in found or RT_ICON not in found:
        faults.append("no icon")
    return faults


def main(argv):
    args = [a for a in argv[1:] if a != "--check"]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    try:
        if "--check" in argv:
            faults = problems(args[0])
            for fault in faults:
                print(f"FAIL: {args[0]}: {fault}")
            print(f"{0 if faults else 1} passed, {1 if faults else 0} failed")
            return 1 if faults else 0
        with open(args[0], "rb") as handle:
            for type_id, ids in sorted(resource_ids(handle.read()).items()):
                print(type_id, ids)
    except (PeError, struct.error, OSError) as error:
        print(f"FAIL: {args[0]}: {error}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
