#include "display/palette.h"

#include <filesystem>
#include <system_error>

#include "display/bitmap.h"
#include "io/files.h"

namespace trivane {

namespace {

// Messages name the file by its full path, wherever the program was started.
std::string FullPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

}  // namespace

Palette LoadPalette(const std::string& path) {
  const std::vector<Rgb> row = ReadBitmapTopRow(ReadFileBytes(FullPath(path)), PaletteSize);
  Palette palette;
  for (size_t i = 0; i < row.size(); ++i) palette.colours[i] = row[i];
  return palette;
}

std::string FindPalette(const std::vector<std::string>& elsewhere) {
  const std::string here = "color.bmp";
  std::error_code error;
  if (std::filesystem::exists(here, error)) return here;
  for (const std::string& candidate : elsewhere)
    if (std::filesystem::exists(candidate, error)) return candidate;
  return here;
}

}  // namespace trivane
