#include "sim/pictures/PictureFolder.h"

#include <iomanip>
#include <sstream>
#include <utility>

#include "sim/pictures/PngFile.h"

namespace rafta::sim {

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
