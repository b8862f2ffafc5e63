#include "sim/files/WrittenFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(_WIN32)
#include <io.h>
#endif

#include <cerrno>
#include <system_error>

namespace rafta::sim {
namespace {

int makeOrEmpty(const std::filesystem::path& file) {
#if defined(_WIN32)
  return ::_open(file.string().c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY,
                 _S_IREAD | _S_IWRITE);
#else
  constexpr mode_t kReadableByAll = 0644;
  return ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, kReadableByAll);
#endif
}

}  // namespace

std::string writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto wrote = ::write(fd, bytes.data(), static_cast<unsigned>(bytes.size()));
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote < 0) {
      return std::generic_category().message(errno);
    }
    if (wrote == 0) {
      return "short write";
    }
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return {};
}

bool writeWholeFile(const std::filesystem::path& file, std::string_view bytes) {
  const int fd = makeOrEmpty(file);
  if (fd < 0) {
    return false;
  }
  const bool wrote = writeAll(fd, bytes).empty();
  return ::close(fd) == 0 && wrote;
}

}  // namespace rafta::sim
