#include "sim/pictures/PictureFolder.h"

#include <stb/stb_image_write.h>

#include <cstddef>
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "sim/files/WrittenFile.h"

namespace rafta::sim {
namespace {

// stb's own file writer checks neither its writes nor the close: a full disk would leave a cut
// picture behind and no error.
void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<std::size_t>(size));
}

}  // namespace

void writePng(const Image& image, const std::filesystem::path& file) {
  const auto expected =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
  if (image.width <= 0 || image.height <= 0 || image.rgba.size() != expected) {
    throw std::runtime_error("cannot write the picture " + file.string() +
                             ": the image has no pixels or the wrong number of them");
  }
  std::string png;
  if (stbi_write_png_to_func(appendBytes, &png, image.width, image.height, 4, image.rgba.data(),
                             image.width * 4) == 0 ||
      !writeWholeFile(file, png)) {
    throw std::runtime_error("cannot write the picture " + file.string());
  }
}

PictureFolder::PictureFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::filesystem::create_directories(folder_);
}

std::filesystem::path PictureFolder::write(const std::string& kind, const Image& image) {
  // Numbered before the write, so that a picture that failed leaves its number behind and the
  // next one keeps the number of the frame it shows.
  std::ostringstream name;
  name << kind << '-' << std::setw(4) << std::setfill('0') << ++written_[kind] << ".png";
  auto file = folder_ / name.str();
  writePng(image, file);
  return file;
}

}  // namespace rafta::sim
