#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "TestSupport.h"
#include "sim/errors/Errors.h"
#include "sim/run/ModuleFile.h"

namespace rafta::sim {
namespace {

void put(std::string& bytes, std::size_t at, std::uint64_t value, std::size_t width, bool big) {
  for (std::size_t i = 0; i < width; ++i) {
    const auto shift = 8 * (big ? width - 1 - i : i);
    bytes[at + i] = static_cast<char>((value >> shift) & 0xFFU);
  }
}

// A PE image with two sections of raw data: headers to 0x200, sections at 0x200 and 0x300.
std::string smallPe() {
  std::string b(0x400, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  put(b, 0x3C, 0x40, 4, false);
  b.replace(0x40, 4, std::string("PE\0\0", 4));
  put(b, 0x44, 0x8664, 2, false);  // x86-64
  put(b, 0x46, 2, 2, false);       // sections
  put(b, 0x54, 0xF0, 2, false);    // optional header size
  put(b, 0x58, 0x20B, 2, false);   // PE32+
  put(b, 0x58 + 60, 0x200, 4, false);
  for (std::size_t i = 0; i < 2; ++i) {
    const std::size_t entry = 0x148 + i * 40;
    put(b, entry + 16, 0x100, 4, false);
    put(b, entry + 20, 0x200 + i * 0x100, 4, false);
  }
  return b;
}

// A 32-bit big-endian ELF file: one segment at 0x80..0xC0, section headers at 0x100..0x150, and
// a section at 0x150..0x160. The other class and byte order than the build's own modules.
std::string smallElf32() {
  std::string b(0x160, '\0');
  b.replace(0, 4,
            "\x7F"
            "ELF");
  b[4] = 1;
  b[5] = 2;
  b[6] = 1;
  put(b, 0x1C, 52, 4, true);     // program headers
  put(b, 0x20, 0x100, 4, true);  // section headers
  put(b, 0x2A, 32, 2, true);
  put(b, 0x2C, 1, 2, true);
  put(b, 0x2E, 40, 2, true);
  put(b, 0x30, 2, 2, true);
  put(b, 52 + 4, 0x80, 4, true);
  put(b, 52 + 16, 0x40, 4, true);
  const std::size_t section = 0x100 + 40;
  put(b, section + 4, 1, 4, true);  // bytes in the file
  put(b, section + 0x10, 0x150, 4, true);
  put(b, section + 0x14, 0x10, 4, true);
  return b;
}

class ModuleFileTest : public ::testing::Test {
 protected:
  // The message of the refusal for `bytes` as a module file; empty when accepted.
  std::string refusal(const std::string& bytes) {
    const auto file = folder.path() / "module";
    testing::writeFile(file, bytes);
    try {
      checkModuleFile(file);
      return {};
    } catch (const ModuleError& error) {
      const std::string prefix = "cannot load module " + file.string() + ": ";
      const std::string message = error.what();
      EXPECT_EQ(message.rfind(prefix, 0), 0U) << message;
      return message.substr(prefix.size());
    }
  }

  testing::ScratchFolder folder;
};

TEST_F(ModuleFileTest, AWholeModuleOfEitherFormatPasses) {
  EXPECT_EQ(refusal(testing::readFile(ECHO_PLUGIN)), "");
  EXPECT_EQ(refusal(smallPe()), "");
  EXPECT_EQ(refusal(smallElf32()), "");
}

TEST_F(ModuleFileTest, APeImageCutShortNamesWhatItMisses) {
  const auto pe = smallPe();
  EXPECT_EQ(refusal(pe.substr(0, 0x3FF)),
            "the file is cut short: section 1's raw data would reach byte 1024, the file holds "
            "1023 bytes");
  EXPECT_EQ(refusal(pe.substr(0, 0x1F0)),
            "the file is cut short: its headers would reach byte 512, the file holds 496 bytes");
  EXPECT_EQ(refusal(pe.substr(0, 0x100)),
            "the file is cut short: its optional header would reach byte 328, the file holds 256 "
            "bytes");
}

TEST_F(ModuleFileTest, AnElfFileCutShortNamesWhatItMisses) {
  const auto elf = smallElf32();
  EXPECT_EQ(refusal(elf.substr(0, 0x158)),
            "the file is cut short: section 1's bytes would reach byte 352, the file holds 344 "
            "bytes");
  EXPECT_EQ(refusal(elf.substr(0, 0x120)),
            "the file is cut short: its section headers would reach byte 336, the file holds 288 "
            "bytes");
  EXPECT_EQ(refusal(elf.substr(0, 0xA0)),
            "the file is cut short: segment 0's bytes would reach byte 192, the file holds 160 "
            "bytes");
  EXPECT_EQ(refusal(elf.substr(0, 40)),
            "the file is cut short: its ELF header would reach byte 52, the file holds 40 bytes");
}

// Only a file that says what it is gets held to its headers; the loader refuses the rest.
TEST_F(ModuleFileTest, FilesInNeitherFormatAreLeftToTheLoader) {
  EXPECT_EQ(refusal(""), "");
  EXPECT_EQ(refusal("not a module at all\n"), "");
  EXPECT_EQ(refusal("MZ is how this text starts, and nothing more follows it."), "");
  EXPECT_EQ(refusal(std::string("\x7F"
                                "ELF\x07\x01",
                                6) +
                    std::string(60, 'x')),
            "");
  EXPECT_NO_THROW(checkModuleFile(folder.path() / "missing.so"));
}

TEST_F(ModuleFileTest, OnlyARegularFileIsAModule) {
  const auto fifo = folder.path() / "fifo.so";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(checkModuleFile(fifo), ModuleError);
  EXPECT_THROW(checkModuleFile(folder.path()), ModuleError);
  EXPECT_THROW(checkModuleFile("/dev/zero"), ModuleError);
}

}  // namespace
}  // namespace rafta::sim
