#!/usr/bin/env python3
"""Prints what a Windows x86-64 module tells about itself, read from the file: its `exports`
record and its version block, one `key: value` line each.

Usage: scripts/module-identity.py MODULE.dll
"""
import struct
import sys

from pe_image import Image

FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


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
