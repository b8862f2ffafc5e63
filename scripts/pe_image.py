"""A Windows x86-64 module (PE32+) read from its bytes, as its loader would address it: what the
project's scripts read of Rafta.dll without running it."""
import struct

RESOURCE_TYPE_VERSION = 16
IMPORT_DESCRIPTOR_SIZE = 20


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

    def imported_libraries(self):
        """The names of the DLLs that the import directory lists, as written there."""
        rva, size = self.directories[1]
        names = []
        # The list ends with a descriptor of zeros.
        while size and (name := self.unpack("<12xI", rva)[0]):
            names.append(self.text(name))
            rva += IMPORT_DESCRIPTOR_SIZE
        return names

    def resource_entry(self, root, directory, wanted):
        """The entry of `wanted` id (None: the first) in a resource directory, as an RVA."""
        named, ids = self.unpack("<12xHH", directory)
        for i in range(named + ids):
            identifier, target = self.unpack("<II", directory + 16 + 8 * i)
            if wanted is None or identifier == wanted:
                return root + (target & 0x7FFFFFFF)
        raise ValueError(f"no resource {wanted}")
