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

// The appended block, written straight after the XML into the same text:
// arrays one after the other, each preceded by its byte count as a 64-bit
// integer (header_type="UInt64"). The XML names each array's offset before any
// array is written, so Reserve() lays the block out from the counts alone and
// Add() must then be called in the same order.
class AppendedBlock {
 public:
  // Reserves room for count values of T; returns the offset the XML names.
  template <typename T>
  std::size_t Reserve(std::size_t count) {
    const std::size_t offset = size_;
    size_ += sizeof(uint64_t) + count * sizeof(T);
    return offset;
  }
  std::size_t Size() const { return size_; }

  // Appends count values of T to `out`, value(i) giving the i-th.
  template <typename T, typename ValueOf>
  static void Add(std::string& out, std::size_t count, ValueOf value) {
    const uint64_t size = count * sizeof(T);
    const std::size_t start = out.size();
    out.resize(start + sizeof size + size);
    char* at = out.data() + start;
    std::memcpy(at, &size, sizeof size);
    at += sizeof size;
    for (std::size_t i = 0; i < count; ++i, at += sizeof(T)) {
      const T v = value(i);
      std::memcpy(at, &v, sizeof v);
    }
  }

 private:
  std::size_t size_ = 0;
};

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

std::string AppendedArray(const char* type, std::string_view name, int components, std::size_t offset) {
  std::string xml = "<DataArray";
  xml += Attribute("type", type);
  if (!name.empty()) xml += Attribute("Name", std::string(name));
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
  RequireCoverage(model, results);
  const auto n = static_cast<std::size_t>(std::max(model.nodeCount, 0));
  const auto m = static_cast<std::size_t>(std::max(model.elementCount, 0));
  const std::size_t per = model.elementOrder == 2 ? 6 : 3;  // nodes per cell
  AppendedBlock block;
  const std::size_t points = block.Reserve<double>(3 * n);
  const std::size_t displacement = block.Reserve<double>(3 * n);
  const std::size_t reactions = block.Reserve<double>(3 * n);
  const std::vector<ExportColumn> nodeColumns = NodeColumns(results);
  const std::vector<ExportColumn> elementColumns = ElementColumns(results);
  std::vector<std::size_t> pointValues(nodeColumns.size());
  for (std::size_t& offset : pointValues) offset = block.Reserve<double>(n);
  const std::size_t connectivity = block.Reserve<int64_t>(per * m);
  const std::size_t offsets = block.Reserve<int64_t>(m);
  const std::size_t types = block.Reserve<uint8_t>(m);
  std::vector<std::size_t> cellValues(elementColumns.size());
  for (std::size_t& offset : cellValues) offset = block.Reserve<double>(m);

  const bool little = std::endian::native == std::endian::little;
  std::string xml = "<?xml version=\"1.0\"?>\n";
  xml += "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\"" +
         Attribute("byte_order", little ? "LittleEndian" : "BigEndian") + " header_type=\"UInt64\">\n";
  xml += "<UnstructuredGrid>\n<FieldData>\n";
  xml += FieldReal("E", results.material.E);
  xml += FieldReal("mu", results.material.mu);
  xml += FieldReal("t", results.material.t);
  xml += FieldText("problem_type", ProblemTypeName(results.material.problem));
  xml += "</FieldData>\n";
  xml += "<Piece" + Attribute("NumberOfPoints", FormatInteger(static_cast<long long>(n))) +
         Attribute("NumberOfCells", FormatInteger(static_cast<long long>(m))) + ">\n";
  xml += "<PointData Vectors=\"displacement\">\n";
  xml += AppendedArray("Float64", "displacement", 3, displacement);
  xml += AppendedArray("Float64", "reaction", 3, reactions);
  for (std::size_t a = 0; a < pointValues.size(); ++a)
    xml += AppendedArray("Float64", nodeColumns[a].name, 1, pointValues[a]);
  xml += "</PointData>\n<CellData Scalars=\"von_mises\">\n";
  for (std::size_t a = 0; a < cellValues.size(); ++a)
    xml += AppendedArray("Float64", elementColumns[a].name, 1, cellValues[a]);
  xml += "</CellData>\n<Points>\n" + AppendedArray("Float64", "Points", 3, points) + "</Points>\n";
  xml += "<Cells>\n" + AppendedArray("Int64", "connectivity", 1, connectivity) +
         AppendedArray("Int64", "offsets", 1, offsets) + AppendedArray("UInt8", "types", 1, types) + "</Cells>\n";
  xml += "</Piece>\n</UnstructuredGrid>\n<AppendedData encoding=\"raw\">\n_";

  const std::string_view closing = "\n</AppendedData>\n</VTKFile>\n";
  std::string text;
  text.reserve(xml.size() + block.Size() + closing.size());
  text += xml;

  // The arrays, in the order reserved above.
  const auto node = [&](std::size_t i) -> const Node& { return model.nodes[static_cast<std::ptrdiff_t>(i + 1)]; };
  // Three components per point: x, y, then 0 for the plane.
  const auto planar = [](auto x, auto y) {
    return [x, y](std::size_t k) { return k % 3 == 0 ? x(k / 3) : k % 3 == 1 ? y(k / 3) : 0.0; };
  };
  AppendedBlock::Add<double>(
      text, 3 * n, planar([&](std::size_t i) { return node(i).x; }, [&](std::size_t i) { return node(i).y; }));
  AppendedBlock::Add<double>(text, 3 * n,
                             planar([&](std::size_t i) { return results.displacements[2 * i]; },
                                    [&](std::size_t i) { return results.displacements[2 * i + 1]; }));
  const auto reaction = [&](std::size_t d) { return results.restrained[d] ? results.reactions[d] : 0.0; };
  AppendedBlock::Add<double>(text, 3 * n,
                             planar([&](std::size_t i) { return reaction(2 * i); },
                                    [&](std::size_t i) { return reaction(2 * i + 1); }));
  for (const ExportColumn& column : nodeColumns)
    AppendedBlock::Add<double>(text, n, [&](std::size_t i) { return column.values[i]; });
  // VTK's quadratic triangle lists its nodes as the model does: the corners,
  // then the sides 1-2, 2-3 and 3-1.
  AppendedBlock::Add<int64_t>(text, per * m, [&](std::size_t k) -> int64_t {
    return model.elements[static_cast<std::ptrdiff_t>(k / per + 1)].Nodes()[k % per] - 1;
  });
  AppendedBlock::Add<int64_t>(text, m, [&](std::size_t e) { return static_cast<int64_t>(per * (e + 1)); });
  constexpr uint8_t VtkTriangle = 5, VtkQuadraticTriangle = 22;
  const uint8_t cellType = per == 6 ? VtkQuadraticTriangle : VtkTriangle;
  AppendedBlock::Add<uint8_t>(text, m, [&](std::size_t) { return cellType; });
  for (const ExportColumn& column : elementColumns)
    AppendedBlock::Add<double>(text, m, [&](std::size_t e) { return column.values[e]; });

  text += closing;
  return text;
}

}  // namespace trivane
