#pragma once
// What the commands that write pictures share: the picture's size and format
// from the command line, Qt started without a display, and the encoding.
#include <QImage>
#include <cstdint>
#include <string>

namespace trivane::cli {

struct Size {
  int32_t width = 1024;
  int32_t height = 640;
};

// "WIDTHxHEIGHT", from 64x102 to 4096x4096; anything else throws UsageError.
Size ReadSize(const std::string& text);

// Text needs Qt's font machinery, which lives in a QGuiApplication; rendering
// to an image never needs a display.
void StartQt();

// "PNG", "JPEG" or "BMP" for the name's extension (any case); UsageError otherwise.
const char* PictureFormat(const std::string& path);

// The picture's bytes in that format, for the file `path`; Error(CannotWrite)
// naming it when Qt cannot encode the picture.
std::string Encode(const QImage& image, const char* format, const std::string& path);

}  // namespace trivane::cli
