#include "cli/pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "cli/cli_common.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane::cli {

namespace {

// The sizes the window's drawing surface can take, and a generous maximum.
constexpr Size Smallest{64, 102};
constexpr Size Largest{4096, 4096};

}  // namespace

Size ReadSize(const std::string& text) {
  const std::string expected = "--size takes WIDTHxHEIGHT, from 64x102 to 4096x4096, not \"" + text + "\"";
  const size_t cross = text.find('x');
  if (cross == std::string::npos || cross == 0 || cross + 1 == text.size()) throw UsageError(expected);
  Size size;
  try {
    size.width = ReadInteger(std::string_view(text).substr(0, cross));
    size.height = ReadInteger(std::string_view(text).substr(cross + 1));
  } catch (const Error&) {
    throw UsageError(expected);
  }
  if (size.width < Smallest.width || size.width > Largest.width || size.height < Smallest.height ||
      size.height > Largest.height) {
    throw UsageError(expected);
  }
  return size;
}

namespace {

// Qt's own notes (about run-time folders and the like) are not for the user of
// a command-line tool; only its fatal messages get through.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
}

}  // namespace

void StartQt() {
  if (QGuiApplication::instance() != nullptr) return;
  qInstallMessageHandler(QuietQt);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "trivane-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

const char* PictureFormat(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".png") return "PNG";
  if (extension == ".jpg" || extension == ".jpeg") return "JPEG";
  if (extension == ".bmp") return "BMP";
  throw UsageError("-o names a .png, .jpg, .jpeg or .bmp picture, not \"" + path + "\"");
}

std::string Encode(const QImage& image, const char* format, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // JPEG at the highest quality: the plots are flat colours with sharp edges.
  if (!image.save(&buffer, format, std::string_view(format) == "JPEG" ? 100 : -1))
    throw Error(messages::CannotWrite(path, EIO));
  return bytes.toStdString();
}

}  // namespace trivane::cli
