#include "sim/run/ModuleFile.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "sim/errors/Errors.h"

namespace rafta::sim {
namespace {

// The file's bytes, read where the headers point.
class Bytes {
 public:
  Bytes(const std::filesystem::path& file, std::uintmax_t size)
      : file_(file), in_(file, std::ios::binary), size_(size) {}

  [[nodiscard]] bool opened() const { return static_cast<bool>(in_); }
  [[nodiscard]] std::uintmax_t size() const { return size_; }

  // Throws when the file ends before offset + length.
  void require(std::uintmax_t offset, std::uintmax_t length, const std::string& what) const {
    if (offset > size_ || length > size_ - offset) {
      throw ModuleError("cannot load module " + file_.string() + ": the file is cut short: " +
                        what + " reach byte " + reach(offset, length) + ", the file holds " +
                        std::to_string(size_) + " bytes");
    }
  }

  // The bytes at offset, which require() has found in the file.
  std::string at(std::uintmax_t offset, std::size_t length, const std::string& what) {
    require(offset, length, what);
    std::string bytes(length, '\0');
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(bytes.data(), static_cast<std::streamsize>(length));
    if (!in_) {
      throw ModuleError("cannot load module " + file_.string() + ": cannot read " + what);
    }
    return bytes;
  }

 private:
  static std::string reach(std::uintmax_t offset, std::uintmax_t length) {
    return offset > UINTMAX_MAX - length ? "past 2^64" : std::to_string(offset + length);
  }

  const std::filesystem::path& file_;
  std::ifstream in_;
  std::uintmax_t size_;
};

// A number of `width` bytes at `at` in `bytes`, in the file's byte order.
std::uint64_t number(std::string_view bytes, std::size_t at, std::size_t width, bool bigEndian) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[bigEndian ? at + i : at + width - 1 - i]);
    value = (value << 8U) | byte;
  }
  return value;
}

// Where an ELF file's class puts the fields the check reads.
struct ElfLayout {
  std::size_t header;
  std::size_t word;  // the width of offsets and sizes
  std::size_t phoff, phentsize, phnum, shoff, shentsize, shnum;
  std::size_t pOffset, pFilesz;
  std::size_t shType, shOffset, shSize;
};

constexpr ElfLayout kElf32{52, 4, 0x1C, 0x2A, 0x2C, 0x20, 0x2E, 0x30, 4, 16, 4, 0x10, 0x14};
constexpr ElfLayout kElf64{64, 8, 0x20, 0x36, 0x38, 0x28, 0x3A, 0x3C, 8, 0x20, 4, 0x18, 0x20};
constexpr std::uint64_t kSectionNoBits = 8;

void checkElf(Bytes& file, std::string_view ident) {
  const auto& layout = ident[4] == 1 ? kElf32 : kElf64;
  const bool big = ident[5] == 2;
  const auto header = file.at(0, layout.header, "its ELF header would");
  const auto field = [&](std::string_view bytes, std::size_t at, std::size_t width) {
    return number(bytes, at, width, big);
  };
  const auto word = [&](std::string_view bytes, std::size_t at) {
    return field(bytes, at, layout.word);
  };

  const auto phoff = word(header, layout.phoff);
  const auto phentsize = field(header, layout.phentsize, 2);
  const auto phnum = field(header, layout.phnum, 2);
  if (phnum > 0 && phentsize >= layout.pFilesz + layout.word) {
    const auto table = file.at(phoff, phnum * phentsize, "its program headers would");
    for (std::uint64_t i = 0; i < phnum; ++i) {
      const auto entry = std::string_view(table).substr(i * phentsize, phentsize);
      file.require(word(entry, layout.pOffset), word(entry, layout.pFilesz),
                   "segment " + std::to_string(i) + "'s bytes would");
    }
  }

  const auto shoff = word(header, layout.shoff);
  const auto shentsize = field(header, layout.shentsize, 2);
  if (shoff == 0 || shentsize < layout.shSize + layout.word) {
    return;
  }
  auto shnum = field(header, layout.shnum, 2);
  if (shnum == 0) {  // more sections than the field holds: the first entry's size counts them
    shnum = word(file.at(shoff, shentsize, "its section headers would"), layout.shSize);
  }
  file.require(shoff, shnum > file.size() / shentsize ? file.size() + 1 : shnum * shentsize,
               "its section headers would");
  const auto table = file.at(shoff, shnum * shentsize, "its section headers would");
  for (std::uint64_t i = 0; i < shnum; ++i) {
    const auto entry = std::string_view(table).substr(i * shentsize, shentsize);
    const auto type = field(entry, layout.shType, 4);
    if (type != 0 && type != kSectionNoBits) {
      file.require(word(entry, layout.shOffset), word(entry, layout.shSize),
                   "section " + std::to_string(i) + "'s bytes would");
    }
  }
}

void checkPe(Bytes& file) {
  // Only a file that says it is a PE image is held to its headers; "MZ" alone may be text.
  constexpr std::string_view kSignature("PE\0\0", 4);
  if (file.size() < 64) {
    return;
  }
  const auto pe = number(file.at(0, 64, "its DOS header would"), 0x3C, 4, false);
  if (pe > file.size() - kSignature.size() || file.at(pe, 4, "its signature would") != kSignature) {
    return;
  }
  const auto coff = file.at(pe, 24, "its PE header would");
  const auto sections = number(coff, 6, 2, false);
  const auto optionalSize = number(coff, 20, 2, false);
  const auto optional = file.at(pe + 24, optionalSize, "its optional header would");
  if (optionalSize >= 64) {
    file.require(0, number(optional, 60, 4, false), "its headers would");
  }
  const auto table = file.at(pe + 24 + optionalSize, sections * 40, "its section table would");
  for (std::uint64_t i = 0; i < sections; ++i) {
    const auto rawSize = number(table, i * 40 + 16, 4, false);
    const auto rawOffset = number(table, i * 40 + 20, 4, false);
    if (rawSize > 0) {
      file.require(rawOffset, rawSize, "section " + std::to_string(i) + "'s raw data would");
    }
  }
}

}  // namespace

void checkModuleFile(const std::filesystem::path& file) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found || error) {
    return;
  }
  // A FIFO would hold the loader for ever; a folder or a device is no module either.
  if (!std::filesystem::is_regular_file(status)) {
    throw ModuleError("cannot load module " + file.string() + ": it is not a regular file");
  }
  Bytes bytes(file, std::filesystem::file_size(file, error));
  if (error || !bytes.opened() || bytes.size() < 16) {
    return;
  }
  const auto ident = bytes.at(0, 16, "its identification would");
  const bool elf = ident.compare(0, 4,
                                 "\x7F"
                                 "ELF") == 0 &&
                   (ident[4] == 1 || ident[4] == 2) && (ident[5] == 1 || ident[5] == 2);
  if (elf) {
    checkElf(bytes, ident);
  } else if (ident.compare(0, 2, "MZ") == 0) {
    checkPe(bytes);
  }
}

}  // namespace rafta::sim
