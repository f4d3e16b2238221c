#include "display/bitmap.h"

#include <cstdint>
#include <optional>

#include "model/errors.h"

namespace trivane {

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;  // the old OS/2 form with 16-bit sizes
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t Uncompressed = 0;
constexpr uint32_t BitFields = 3;

[[noreturn]] void Invalid() { throw Error(messages::BitmapNotValid); }

// Little-endian fields, every read checked against the end of the data.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const { return bytes_.size(); }
  uint32_t Unsigned(uint64_t offset, int width) const {
    if (offset > Size() || Size() - offset < static_cast<uint64_t>(width)) Invalid();
    uint32_t value = 0;
    for (int k = width - 1; k >= 0; --k) value = (value << 8) | static_cast<uint8_t>(bytes_[offset + k]);
    return value;
  }
  uint8_t Byte(uint64_t offset) const { return static_cast<uint8_t>(Unsigned(offset, 1)); }

 private:
  std::string_view bytes_;
};

struct Layout {
  int64_t width = 0;
  int64_t height = 0;  // negative when the rows are stored top-down
  uint32_t bitsPerPixel = 0;
  uint64_t pixelOffset = 0;
  uint64_t tableOffset = 0;
  uint32_t tableEntries = 0;
  uint32_t tableEntrySize = 4;
};

Layout ReadLayout(const Reader& in) {
  if (in.Unsigned(0, 1) != 'B' || in.Unsigned(1, 1) != 'M') Invalid();
  Layout layout;
  layout.pixelOffset = in.Unsigned(10, 4);
  const uint32_t headerSize = in.Unsigned(14, 4);
  uint32_t compression = Uncompressed;
  uint32_t coloursUsed = 0;
  uint32_t planes = 0;
  if (headerSize == CoreHeaderSize) {
    layout.width = in.Unsigned(18, 2);
    layout.height = in.Unsigned(20, 2);
    planes = in.Unsigned(22, 2);
    layout.bitsPerPixel = in.Unsigned(24, 2);
    layout.tableEntrySize = 3;
  } else if (headerSize >= InfoHeaderSize && headerSize <= in.Size()) {
    layout.width = static_cast<int32_t>(in.Unsigned(18, 4));
    layout.height = static_cast<int32_t>(in.Unsigned(22, 4));
    planes = in.Unsigned(26, 2);
    layout.bitsPerPixel = in.Unsigned(28, 2);
    compression = in.Unsigned(30, 4);
    coloursUsed = in.Unsigned(46, 4);
  } else {
    Invalid();
  }
  if (planes != 1 || layout.width <= 0 || layout.height == 0) Invalid();

  uint64_t tableOffset = FileHeaderSize + headerSize;
  const uint32_t bpp = layout.bitsPerPixel;
  if (compression == BitFields && bpp == 32) {
    // Only the usual blue-green-red byte order is accepted.
    if (headerSize == InfoHeaderSize) tableOffset += 12;
    if (in.Unsigned(54, 4) != 0x00FF0000 || in.Unsigned(58, 4) != 0x0000FF00 ||
        in.Unsigned(62, 4) != 0x000000FF) {
      Invalid();
    }
  } else if (compression != Uncompressed) {
    Invalid();
  }
  if (bpp == 1 || bpp == 4 || bpp == 8) {
    const uint32_t possible = 1u << bpp;
    if (coloursUsed > possible) Invalid();
    layout.tableEntries = coloursUsed == 0 ? possible : coloursUsed;
    layout.tableOffset = tableOffset;
    const uint64_t tableSize = uint64_t{layout.tableEntries} * layout.tableEntrySize;
    if (tableOffset > in.Size() || in.Size() - tableOffset < tableSize) Invalid();
  } else if (bpp != 24 && bpp != 32) {
    Invalid();
  }
  return layout;
}

uint64_t RowStride(const Layout& layout) {
  return (static_cast<uint64_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
}

Rgb TableColour(const Reader& in, const Layout& layout, uint32_t index) {
  // A pixel pointing past a short colour table reads as black.
  if (index >= layout.tableEntries) return {};
  const uint64_t at = layout.tableOffset + uint64_t{index} * layout.tableEntrySize;
  return {in.Byte(at + 2), in.Byte(at + 1), in.Byte(at)};
}

Rgb PixelAt(const Reader& in, const Layout& layout, uint64_t row, uint64_t column) {
  const uint32_t bpp = layout.bitsPerPixel;
  if (bpp == 24 || bpp == 32) {
    const uint64_t at = row + column * (bpp / 8);
    return {in.Byte(at + 2), in.Byte(at + 1), in.Byte(at)};
  }
  // Indexed pixels are packed from the most significant bit of each byte.
  const uint64_t bit = column * bpp;
  const uint8_t byte = in.Byte(row + bit / 8);
  const uint32_t shift = 8 - bpp - static_cast<uint32_t>(bit % 8);
  return TableColour(in, layout, (byte >> shift) & ((1u << bpp) - 1));
}

}  // namespace

std::vector<Rgb> ReadBitmapTopRow(std::string_view bytes, size_t columns) {
  const Reader in(bytes);
  const Layout layout = ReadLayout(in);
  const uint64_t stride = RowStride(layout);
  const uint64_t rows = static_cast<uint64_t>(layout.height < 0 ? -layout.height : layout.height);
  // The whole pixel array must be there, not just the row that is used.
  if (layout.pixelOffset > in.Size()) Invalid();
  const uint64_t available = in.Size() - layout.pixelOffset;
  if (stride > available || rows > available / stride) Invalid();

  const uint64_t topRow = layout.pixelOffset + (layout.height > 0 ? (rows - 1) * stride : 0);
  const uint64_t count = std::min<uint64_t>(columns, static_cast<uint64_t>(layout.width));
  std::vector<Rgb> row;
  row.reserve(count);
  for (uint64_t column = 0; column < count; ++column) row.push_back(PixelAt(in, layout, topRow, column));
  return row;
}

}  // namespace trivane
