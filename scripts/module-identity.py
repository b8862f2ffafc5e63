#!/usr/bin/env python3
"""Prints what a Windows x86-64 module tells about itself, read from the file: its `exports`
record and its version block, one `key: value` line each.

Usage: scripts/module-identity.py MODULE.dll
"""
import struct
import sys

RESOURCE_TYPE_VERSION = 16
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


class Image:
    """A PE32+ file, addressed the way its loader would address it."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x20B:
            raise ValueError("not a 64-bit module")
        self.image_base = struct.unpack_from("<Q", data, optional + 24)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError(f"address {rva:#x} lies in no section")

    def unpack(self, layout, rva):
        return struct.unpack_from(layout, self.data, self.offset(rva))

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def pointed_text(self, address):
        return self.text(address - self.image_base)

    def exported(self):
        """Export name -> RVA."""
        directory = self.directories[0][0]
        names, functions, name_table, ordinal_table = self.unpack("<24xIIII", directory)
        result = {}
        for i in range(names):
            name = self.text(self.unpack("<I", name_table + 4 * i)[0])
            ordinal = self.unpack("<H", ordinal_table + 2 * i)[0]
            result[name] = self.unpack("<I", functions + 4 * ordinal)[0]
        return result

    def version_resource(self):
        """The bytes of the first version resource."""
        root = self.directories[2][0]
        entry = self.resource_entry(root, root, RESOURCE_TYPE_VERSION)
        entry = self.resource_entry(root, entry, None)
        entry = self.resource_entry(root, entry, None)
        rva, size = self.unpack("<II", entry)
        start = self.offset(rva)
        return self.data[start:start + size]

    def resource_entry(self, root, directory, wanted):
        """The entry of `wanted` id (None: the first) in a resource directory, as an RVA."""
        named, ids = self.unpack("<12xHH", directory)
        for i in range(named + ids):
            identifier, target = self.unpack("<II", directory + 16 + 8 * i)
            if wanted is None or identifier == wanted:
                return root + (target & 0x7FFFFFFF)
        raise ValueError(f"no resource {wanted}")


def record_lines(image):
    exports = image.exported()
    if "exports" not in exports:
        raise ValueError("the module exports no `exports` record")
    fields = image.unpack("<iiQQQQiiQQ", exports["exports"])
    api, api_high, file_name, class_name, plugin_name, version, kind, kind_high, get, delete = fields
    entry = {image.image_base + rva: name for name, rva in exports.items()}
    return [
        f"record api-version: {api} {api_high}",
        f"record file-name: {image.pointed_text(file_name)}",
        f"record class-name: {image.pointed_text(class_name)}",
        f"record plugin-name: {image.pointed_text(plugin_name)}",
        f"record version: {image.pointed_text(version)}",
        f"record plugin-type: {kind} {kind_high}",
        f"record initialize: {entry.get(get, hex(get))}",
        f"record delete: {entry.get(delete, hex(delete))}",
    ]


def align(offset):
    return (offset + 3) & ~3


def version_nodes(block, start, end, path=()):
    """Yields (key path, value bytes, is text) for every node of a version block."""
    while start < end:
        length, value_length, is_text = struct.unpack_from("<HHH", block, start)
        if length == 0:
            return
        key_end = start + 6
        while block[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = block[start + 6:key_end].decode("utf-16-le")
        value_start = align(key_end + 2)
        value_size = value_length * 2 if is_text else value_length
        yield path + (key,), block[value_start:value_start + value_size], is_text
        yield from version_nodes(block, align(value_start + value_size), start + length, path + (key,))
        start = align(start + length)


def dotted(high, low):
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def version_lines(image):
    block = image.version_resource()
    lines = []
    for path, value, is_text in version_nodes(block, 0, len(block)):
        if path == ("VS_VERSION_INFO",):
            signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", value)
            if signature != FIXED_FILE_INFO_SIGNATURE:
                raise ValueError("the version block has no fixed file information")
            lines.append(f"version FILEVERSION: {dotted(file_ms, file_ls)}")
            lines.append(f"version PRODUCTVERSION: {dotted(product_ms, product_ls)}")
        elif len(path) == 4 and path[1] == "StringFileInfo" and is_text:
            lines.append(f"version {path[3]}: {value.decode('utf-16-le').rstrip(chr(0))}")
    return lines


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip())
    try:
        with open(sys.argv[1], "rb") as module:
            image = Image(module.read())
        print("\n".join(record_lines(image) + version_lines(image)))
    except (OSError, ValueError, struct.error) as error:
        sys.exit(f"{sys.argv[1]}: {error}")


if __name__ == "__main__":
    main()
