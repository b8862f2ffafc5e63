#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "sim/canvas/Image.h"

namespace rafta::sim {

// Throws std::runtime_error naming the file when it cannot be written.
void writePng(const Image& image, const std::filesystem::path& file);

// The folder that --png names: pictures go there as KIND-NNNN.png, each kind ("frame",
// "settings") numbered on its own from 0001 through the whole run.
class PictureFolder {
 public:
  // Creates the folder. Throws std::filesystem::filesystem_error when it cannot.
  explicit PictureFolder(std::filesystem::path folder);

  // Writes the next picture of that kind and gives its path. Throws std::runtime_error; the number
  // is used either way.
  std::filesystem::path write(const std::string& kind, const Image& image);

 private:
  std::filesystem::path folder_;
  std::map<std::string, int> written_;
};

}  // namespace rafta::sim
