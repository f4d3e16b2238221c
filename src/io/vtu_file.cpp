// The .vtu writer. VTK's XML format keeps the array descriptions in the XML
// header and lets the arrays themselves follow in one appended block of raw
// bytes, each preceded by its length; the header gives every array's offset
// into that block. Raw binary is the fastest encoding to write and to read and
// the smallest uncompressed one, and ParaView, VisIt and VTK read it as is.
#include <bit>
#include <cstring>

#include "io/number_text.h"
#include "io/results_files.h"

namespace trivane {

namespace {

double Entry(std::span<const double> values, std::size_t index) {
  return index < values.size() ? values[index] : 0.0;
}

// The appended block: arrays one after the other, each preceded by its byte
// count as a 64-bit integer (header_type="UInt64").
class AppendedBlock {
 public:
  explicit AppendedBlock(std::size_t expectedBytes) { bytes_.reserve(expectedBytes); }

  // Appends count values of T, value(i) giving the i-th; returns the offset
  // the XML names.
  template <typename T, typename ValueOf>
  std::size_t Add(std::size_t count, ValueOf value) {
    const std::size_t offset = bytes_.size();
    const uint64_t size = count * sizeof(T);
    bytes_.resize(offset + sizeof size + size);
    char* out = bytes_.data() + offset;
    std::memcpy(out, &size, sizeof size);
    out += sizeof size;
    for (std::size_t i = 0; i < count; ++i, out += sizeof(T)) {
      const T v = value(i);
      std::memcpy(out, &v, sizeof v);
    }
    return offset;
  }

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

std::string AppendedArray(const char* type, const char* name, int components, std::size_t offset) {
  std::string xml = "<DataArray";
  xml += Attribute("type", type);
  if (name) xml += Attribute("Name", name);
  if (components > 1) xml += Attribute("NumberOfComponents", FormatInteger(components));
  xml += Attribute("format", "appended") + Attribute("offset", FormatInteger(static_cast<long long>(offset))) + "/>\n";
  return xml;
}

std::string FieldReal(const char* name, double value) {
  return "<DataArray type=\"Float64\"" + Attribute("Name", name) +
         " NumberOfTuples=\"1\" format=\"ascii\">" + FormatShortest(value) + "</DataArray>\n";
}

// A string array in ASCII holds each character's code and a closing 0.
std::string FieldText(const char* name, std::string_view text) {
  std::string xml = "<Array type=\"String\"" + Attribute("Name", name) + " NumberOfTuples=\"1\" format=\"ascii\">";
  for (const char c : text) xml += FormatInteger(static_cast<unsigned char>(c)) + " ";
  return xml + "0</Array>\n";
}

}  // namespace

std::string VtuText(const Model& model, const ExportedResults& results) {
  const auto n = static_cast<std::size_t>(std::max(model.nodeCount, 0));
  const auto m = static_cast<std::size_t>(std::max(model.elementCount, 0));
  AppendedBlock block(n * 9 * sizeof(double) + m * (3 * 8 + 8 + 1 + 7 * 8) + 16 * 8);

  const auto node = [&](std::size_t i) -> const Node& { return model.nodes[static_cast<std::ptrdiff_t>(i + 1)]; };
  // Three components per point: x, y, then 0 for the plane.
  const auto planar = [](auto x, auto y) {
    return [x, y](std::size_t k) { return k % 3 == 0 ? x(k / 3) : k % 3 == 1 ? y(k / 3) : 0.0; };
  };
  const std::size_t points =
      block.Add<double>(3 * n, planar([&](std::size_t i) { return node(i).x; }, [&](std::size_t i) { return node(i).y; }));
  const std::size_t displacement =
      block.Add<double>(3 * n, planar([&](std::size_t i) { return Entry(results.displacements, 2 * i); },
                                      [&](std::size_t i) { return Entry(results.displacements, 2 * i + 1); }));
  const auto reaction = [&](std::size_t d) {
    return d < results.restrained.size() && results.restrained[d] ? Entry(results.reactions, d) : 0.0;
  };
  const std::size_t reactions = block.Add<double>(
      3 * n, planar([&](std::size_t i) { return reaction(2 * i); }, [&](std::size_t i) { return reaction(2 * i + 1); }));

  const auto corner = [&](std::size_t k) -> int64_t {
    const Element& el = model.elements[static_cast<std::ptrdiff_t>(k / 3 + 1)];
    const int32_t corners[3] = {el.node1, el.node2, el.node3};
    return corners[k % 3] - 1;
  };
  const std::size_t connectivity = block.Add<int64_t>(3 * m, corner);
  const std::size_t offsets = block.Add<int64_t>(m, [](std::size_t e) { return static_cast<int64_t>(3 * (e + 1)); });
  constexpr uint8_t VtkTriangle = 5;
  const std::size_t types = block.Add<uint8_t>(m, [](std::size_t) { return VtkTriangle; });
  std::array<std::size_t, 7> cellValues{};
  for (std::size_t a = 0; a < cellValues.size(); ++a)
    cellValues[a] = block.Add<double>(m, [&](std::size_t e) { return Entry(results.elementValues[a], e); });

  const bool little = std::endian::native == std::endian::little;
  std::string xml = "<?xml version=\"1.0\"?>\n";
  xml += "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\"" +
         Attribute("byte_order", little ? "LittleEndian" : "BigEndian") + " header_type=\"UInt64\">\n";
  xml += "<UnstructuredGrid>\n<FieldData>\n";
  xml += FieldReal("E", results.material.E);
  xml += FieldReal("mu", results.material.mu);
  xml += FieldReal("t", results.material.t);
  xml += FieldText("problem_type", results.material.problem == PlaneStrain ? "plane strain" : "plane stress");
  xml += "</FieldData>\n";
  xml += "<Piece" + Attribute("NumberOfPoints", FormatInteger(static_cast<long long>(n))) +
         Attribute("NumberOfCells", FormatInteger(static_cast<long long>(m))) + ">\n";
  xml += "<PointData Vectors=\"displacement\">\n";
  xml += AppendedArray("Float64", "displacement", 3, displacement);
  xml += AppendedArray("Float64", "reaction", 3, reactions);
  xml += "</PointData>\n<CellData Scalars=\"von_mises\">\n";
  for (std::size_t a = 0; a < cellValues.size(); ++a)
    xml += AppendedArray("Float64", ElementValueNames[a], 1, cellValues[a]);
  xml += "</CellData>\n<Points>\n" + AppendedArray("Float64", "Points", 3, points) + "</Points>\n";
  xml += "<Cells>\n" + AppendedArray("Int64", "connectivity", 1, connectivity) +
         AppendedArray("Int64", "offsets", 1, offsets) + AppendedArray("UInt8", "types", 1, types) + "</Cells>\n";
  xml += "</Piece>\n</UnstructuredGrid>\n<AppendedData encoding=\"raw\">\n_";

  std::string text;
  text.reserve(xml.size() + block.Bytes().size() + 32);
  text += xml;
  text += block.Bytes();
  text += "\n</AppendedData>\n</VTKFile>\n";
  return text;
}

}  // namespace trivane
