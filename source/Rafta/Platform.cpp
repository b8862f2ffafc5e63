#include "Platform.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
// windows.h first: shlobj.h needs its types.
#include <shlobj.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#endif

namespace rafta::platform {
namespace {

// A file's folder, made when a write finds it missing: the first start, or one after a cleanup.
bool MakeFolderOf(const std::filesystem::path& file) noexcept {
  try {
    std::error_code error;
    return std::filesystem::create_directories(file.parent_path(), error) || !error;
  } catch (...) {  // only allocation can fail here; the write then fails as it would have
    return false;
  }
}

}  // namespace

#if defined(_WIN32)

std::optional<std::string> RoamingAppDataFolder() {
  char folder[MAX_PATH] = {};  // NOLINT(*-avoid-c-arrays): the shell's buffer
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder) != S_OK) {
    return std::nullopt;
  }
  return std::string(folder);
}

void ReportWithoutConsole(std::string_view message) {
  const std::string line = std::string(message) + "\n";
  OutputDebugStringA(line.c_str());
}

FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t mostBytes) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileRead::Status::Missing : FileRead::Status::Unreadable, {}};
  }
  FileRead read{FileRead::Status::Unreadable, {}};
  LARGE_INTEGER size{};
  if (GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size) != 0 &&
      static_cast<unsigned long long>(size.QuadPart) <= mostBytes) {
    read.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    if (read.bytes.empty() ||
        (ReadFile(handle, read.bytes.data(), static_cast<DWORD>(read.bytes.size()), &got,
                  nullptr) != 0 &&
         got == read.bytes.size())) {
      read.status = FileRead::Status::Read;
    }
  }
  CloseHandle(handle);
  return read;
}

bool ReplaceWholeFile(const std::filesystem::path& temporary, const std::filesystem::path& file,
                      std::string_view bytes, bool flush) noexcept {
  // A leftover of a killed write, or a link planted there: only the name goes, never its target.
  DeleteFileW(temporary.c_str());
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | (flush ? FILE_FLAG_WRITE_THROUGH : 0);
  const auto create = [&] {
    return CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
  };
  HANDLE handle = create();
  if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PATH_NOT_FOUND &&
      MakeFolderOf(file)) {
    handle = create();
  }
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD written = 0;
  bool whole =
      WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
      written == bytes.size();
  whole = whole && (!flush || FlushFileBuffers(handle) != 0);
  whole = CloseHandle(handle) != 0 && whole;
  const DWORD move = MOVEFILE_REPLACE_EXISTING | (flush ? MOVEFILE_WRITE_THROUGH : 0);
  if (!whole || MoveFileExW(temporary.c_str(), file.c_str(), move) == 0) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::string PathForLog(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty()) {
    return {};
  }
  constexpr UINT kWindows1252 = 1252;
  const int size = WideCharToMultiByte(kWindows1252, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, "?", nullptr);
  std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(kWindows1252, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                      size, "?", nullptr);
  return text;
}

#else

// Stands in for the shell's folder query: the host exports the folder as it would on Windows.
std::optional<std::string> RoamingAppDataFolder() {
  const char* folder = std::getenv("APPDATA");  // NOLINT(concurrency-mt-unsafe): read once per load
  if (folder == nullptr || *folder == '\0') {
    return std::nullopt;
  }
  return std::string(folder);
}

void ReportWithoutConsole(std::string_view message) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t mostBytes) {
  // Not blocking: opening a pipe for reading would otherwise wait for a writer.
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? FileRead::Status::Missing : FileRead::Status::Unreadable, {}};
  }
  FileRead read{FileRead::Status::Unreadable, {}};
  struct stat info {};
  if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
      static_cast<std::size_t>(info.st_size) <= mostBytes) {
    read.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < read.bytes.size()) {
      const ssize_t count = ::read(descriptor, read.bytes.data() + got, read.bytes.size() - got);
      if (count < 0 && errno == EINTR) {
        continue;
      }
      if (count <= 0) {
        break;
      }
      got += static_cast<std::size_t>(count);
    }
    if (got == read.bytes.size()) {
      read.status = FileRead::Status::Read;
    }
  }
  ::close(descriptor);
  return read;
}

namespace {

bool WriteWhole(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// The rename itself reaches the disk only with its folder.
void FlushFolderOf(const std::filesystem::path& file) noexcept {
  try {
    const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
  } catch (...) {  // only allocation can fail here
  }
}

}  // namespace

bool ReplaceWholeFile(const std::filesystem::path& temporary, const std::filesystem::path& file,
                      std::string_view bytes, bool flush) noexcept {
  // A leftover of a killed write, or a link planted there: only the name goes, never its target.
  ::unlink(temporary.c_str());
  constexpr int kNew = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  constexpr mode_t kReadWrite = 0644;
  int descriptor = ::open(temporary.c_str(), kNew, kReadWrite);
  if (descriptor < 0 && errno == ENOENT && MakeFolderOf(file)) {
    descriptor = ::open(temporary.c_str(), kNew, kReadWrite);
  }
  if (descriptor < 0) {
    return false;
  }
  bool whole = WriteWhole(descriptor, bytes) && (!flush || ::fsync(descriptor) == 0);
  whole = ::close(descriptor) == 0 && whole;
  if (!whole || ::rename(temporary.c_str(), file.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (flush) {
    FlushFolderOf(file);  // the file is in place either way; the system writes the folder later
  }
  return true;
}

std::string PathForLog(const std::filesystem::path& path) { return path.string(); }

#endif

bool PathExists(const std::string& windowsPath) noexcept {
  try {
    std::string nativePath = windowsPath;
#if !defined(_WIN32)
    std::replace(nativePath.begin(), nativePath.end(), '\\', '/');
#endif
    std::error_code error;  // access denied and the like: absent, as far as the plugin can tell
    return std::filesystem::exists(std::filesystem::path(nativePath), error);
  } catch (...) {  // only allocation can fail here; absent is the safe answer
    return false;
  }
}

}  // namespace rafta::platform
