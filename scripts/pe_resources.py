"""Lists the resource types and ids of a Windows executable (PE), and checks what the
released kvte.exe must carry: version information and the icon, but no embedded
manifest (the options dialog switches visual styles with a manifest file beside the
executable, which an embedded manifest would override), and a load configuration whose
dependent-load flags resolve the imports from the system folder only.

usage: pe_resources.py [--check] EXE
       pe_resources.py --point-load-config EXE NM
  The second form makes the executable's load-configuration directory point at the
  program's own `_load_config_used` record (the linker leaves it empty), found with NM.
"""
import struct
import subprocess
import sys

LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
# The record's size as the program declares it: up to and with the dependent-load flags
# and the security cookie, without the exception-handler table (none is made).
LOAD_CONFIG_SIZE = 0x40
LOAD_CONFIG_DIRECTORY = 10

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class PeError(Exception):
    pass


def headers(data):
    """(optional header offset, its size, directory table offset, image base) of a PE."""
    if data[:2] != b"MZ":
        raise PeError("not an executable (no MZ header)")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE header")
    optional = pe + 24
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    magic = struct.unpack_from("<H", data, optional)[0]
    if magic != 0x10B:
        raise PeError("not a 32-bit executable")
    return optional, optional_size, optional + 96, struct.unpack_from("<I", data, optional + 28)[0]


def file_offset(data, rva):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional, optional_size, _, _ = headers(data)
    table = optional + optional_size
    for index in range(sections):
        size, start, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * index + 8)
        if start <= rva < start + max(size, raw_size):
            return raw + (rva - start)
    raise PeError(f"address {rva:#x} outside every section")


def dependent_load_flags(data):
    """The load configuration's dependent-load flags, or None without a usable one."""
    _, _, directories, _ = headers(data)
    rva, size = struct.unpack_from("<II", data, directories + LOAD_CONFIG_DIRECTORY * 8)
    if rva == 0 or size < 0x38:
        return None
    offset = file_offset(data, rva)
    declared = struct.unpack_from("<I", data, offset)[0]
    if declared < 0x38:
        return None
    return struct.unpack_from("<H", data, offset + 0x36)[0]


def point_load_config(path, nm):
    listing = subprocess.run([nm, path], check=True, capture_output=True, text=True).stdout
    addresses = [int(line.split()[0], 16) for line in listing.splitlines()
                 if line.split()[-1:] in (["__load_config_used"], ["_load_config_used"])]
    if len(addresses) != 1:
        raise PeError("no _load_config_used record in the program")
    with open(path, "r+b") as handle:
        data = bytearray(handle.read())
        _, _, directories, image_base = headers(data)
        rva = addresses[0] - image_base
        if struct.unpack_from("<I", data, file_offset(data, rva))[0] != LOAD_CONFIG_SIZE:
            raise PeError("the _load_config_used record does not declare its size")
        struct.pack_into("<II", data, directories + LOAD_CONFIG_DIRECTORY * 8, rva, LOAD_CONFIG_SIZE)
        handle.seek(0)
        handle.write(data)


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
        data = handle.read()
    found = resource_ids(data)
    faults = []
    if dependent_load_flags(data) != LOAD_LIBRARY_SEARCH_SYSTEM32:
        faults.append("imports are not resolved from the system folder only (dependent-load flags)")
    if RT_MANIFEST in found:
        faults.append("an embedded manifest would override the visual-styles switch")
    if RT_VERSION not in found:
        faults.append("no version information")
    if RT_GROUP_ICON not in found or RT_ICON not in found:
        faults.append("no icon")
    return faults


def main(argv):
    if len(argv) == 4 and argv[1] == "--point-load-config":
        try:
            point_load_config(argv[2], argv[3])
        except (PeError, struct.error, OSError, subprocess.CalledProcessError) as error:
            print(f"FAIL: {argv[2]}: {error}")
            return 1
        return 0
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
