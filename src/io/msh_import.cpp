#include "io/msh_import.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "io/msh_cursor.h"
#include "io/msh_groups.h"
#include "model/errors.h"

namespace trivane {

namespace {

enum class Layout { V22, V40, V41 };

constexpr int64_t Triangle = 2;
constexpr int64_t Line = 1;
constexpr int64_t Point = 15;

// Nodes of the element types the import takes or skips: the triangle, the
// point and the lines of order 1 to 5 (the boundary curves of physical groups,
// whatever the mesh's order). 0 for every other type, which is refused.
int NodesOf(int64_t type) {
  switch (type) {
    case Triangle: return 3;
    case Point: return 1;
    case Line: return 2;
    case 8: return 3;
    case 26: return 4;
    case 27: return 5;
    case 28: return 6;
    default: return 0;
  }
}

// The dimension of the entities an element of a taken type belongs to.
int DimensionOf(int64_t type) { return type == Point ? 0 : type == Triangle ? 2 : 1; }

// The mesh as it is read: nodes in file order, their numbers by tag, and the
// triangles with corners already mapped to node numbers.
class MeshBuilder {
 public:
  // A $Nodes section announces its node count before its nodes; the count is
  // checked against the limit before any node is stored, and no section may
  // then hold more than it announced, so memory never exceeds the limit.
  void Announce(uint64_t count, const MshCursor& cursor) {
    if (count > static_cast<uint64_t>(MaxNodes) - announced_) {
      const uint64_t total = std::min<uint64_t>(count, INT64_MAX - announced_) + announced_;
      cursor.Fail(messages::TooManyNodes(static_cast<long long>(total)));
    }
    announced_ += count;
    numbers_.reserve(static_cast<size_t>(announced_));
  }
  uint64_t Announced() const { return announced_; }
  uint64_t Room() const { return announced_ - nodes_.size(); }

  void AddNode(int64_t tag, double x, double y, double z, const MshCursor& cursor) {
    if (Room() == 0) cursor.Fail(messages::MoreNodesThanCounted(static_cast<long long>(announced_)));
    if (!numbers_.emplace(tag, static_cast<int32_t>(nodes_.size()) + 1).second)
      cursor.Fail(messages::DuplicateNodeTag(tag));
    nodes_.push_back({x, y, z});
  }

  // Triangles beyond the limit are counted but not stored, so that the error
  // can name how many the file holds.
  void AddTriangle(const std::array<int64_t, 3>& tags, std::span<const int32_t> groups, const MshCursor& cursor) {
    if (++triangleCount_ > MaxElements) return;
    const int32_t element = static_cast<int32_t>(triangleCount_);
    triangles_.push_back(Element{Position(tags[0], element, cursor), Position(tags[1], element, cursor),
                                 Position(tags[2], element, cursor)});
    for (const int32_t g : groups) groups_.AddTriangle(g, element, cursor);
  }

  // Points and lines are taken only into their groups; `element` is the
  // file's tag of the element, for the error.
  void AddPoint(int64_t element, int64_t tag, std::span<const int32_t> groups, const MshCursor& cursor) {
    for (const int32_t g : groups) groups_.AddNode(g, Position(tag, element, cursor), cursor);
  }
  void AddLine(int64_t element, int64_t tag1, int64_t tag2, std::span<const int32_t> groups,
               const MshCursor& cursor) {
    for (const int32_t g : groups)
      groups_.AddEdge(g, Position(tag1, element, cursor), Position(tag2, element, cursor), cursor);
  }

  MshGroups& Groups() { return groups_; }

  // Nodes that no triangle uses are left out: Gmsh writes the construction
  // points of a geometry (the centre of a circular hole) as nodes, and a node
  // without stiffness would make every analysis of the mesh singular. The
  // others keep their file order.
  Model Build(const Model& current) const {
    if (triangleCount_ > MaxElements) throw Error(messages::TooManyElements(triangleCount_));
    if (triangleCount_ == 0) throw Error(messages::NoTriangles);
    std::vector<int32_t> number(nodes_.size() + 1, 0);
    for (const Element& e : triangles_)
      for (const int32_t corner : e.Nodes()) number[static_cast<size_t>(corner)] = 1;
    int32_t used = 0;
    for (int32_t& n : number)
      if (n != 0) n = ++used;
    CheckPlane(number);

    Model model;
    model.material = current.material;
    model.entered = current.entered;
    model.nodeCount = used;
    model.elementCount = static_cast<int32_t>(triangles_.size());
    // Writing the last entry first sizes each table once.
    model.nodes[model.nodeCount] = Node{};
    model.elements[model.elementCount] = Element{};
    for (size_t k = 0; k < nodes_.size(); ++k) {
      if (number[k + 1] == 0) continue;
      model.nodes[number[k + 1]].x = nodes_[k][0];
      model.nodes[number[k + 1]].y = nodes_[k][1];
    }
    for (size_t j = 0; j < triangles_.size(); ++j) {
      const Element& e = triangles_[j];
      model.elements[static_cast<std::ptrdiff_t>(j) + 1] =
          Element{number[static_cast<size_t>(e.corner[0])], number[static_cast<size_t>(e.corner[1])],
                  number[static_cast<size_t>(e.corner[2])]};
    }
    model.conditions.groups = groups_.Build(number);
    UpdateBounds(model);
    return model;
  }

 private:
  int32_t Position(int64_t tag, int64_t element, const MshCursor& cursor) const {
    const auto found = numbers_.find(tag);
    if (found == numbers_.end()) cursor.Fail(messages::ElementNodeMissing(static_cast<int>(element), tag));
    return found->second;
  }

  // The model is the x-y plane of the file; a mesh that leaves it would be
  // flattened without a word. Gmsh writes the z of a plane geometry exactly,
  // so the tolerance only has to absorb the rounding of a moved geometry.
  void CheckPlane(const std::vector<int32_t>& number) const {
    double lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (size_t k = 0; k < nodes_.size(); ++k)
      for (size_t d = 0; number[k + 1] != 0 && d < 3; ++d) {
        lo[d] = std::min(lo[d], nodes_[k][d]);
        hi[d] = std::max(hi[d], nodes_[k][d]);
      }
    const double extent = std::max(hi[0] - lo[0], hi[1] - lo[1]);
    if (hi[2] - lo[2] > 1e-9 * extent) throw Error(messages::MeshNotInPlane);
  }

  uint64_t announced_ = 0;
  std::vector<std::array<double, 3>> nodes_;
  std::unordered_map<int64_t, int32_t> numbers_;
  std::vector<Element> triangles_;
  long long triangleCount_ = 0;
  MshGroups groups_;
};

// "version file-type data-size", then in a binary file the integer 1 as the
// writer's byte order stores it.
Layout ReadFormat(MshCursor& cursor) {
  const std::string_view line = cursor.NextLine();
  std::string_view fields[3];
  size_t count = 0;
  for (size_t at = 0; at < line.size();) {
    const size_t end = std::min(line.find_first_of(" \t", at), line.size());
    if (end > at) {
      if (count == 3) cursor.Fail(messages::LineTooLong(line.substr(at)));
      fields[count++] = line.substr(at, end - at);
    }
    at = end + 1;
  }
  if (count < 3) cursor.Fail(messages::LineTooShort("$MeshFormat"));
  const std::string_view version = fields[0];
  Layout layout;
  if (version == "2.2") layout = Layout::V22;
  else if (version == "4" || version == "4.0") layout = Layout::V40;
  else if (version == "4.1") layout = Layout::V41;
  else cursor.Fail(messages::UnsupportedMshVersion(version));
  if ((fields[1] != "0" && fields[1] != "1") || fields[2] != "8")
    cursor.Fail(messages::UnsupportedMshLayout(fields[1], fields[2]));
  if (fields[1] == "1") {
    const std::string_view mark = cursor.Bytes(4);
    if (mark == std::string_view("\1\0\0\0", 4)) cursor.SetBinary(false);
    else if (mark == std::string_view("\0\0\0\1", 4)) cursor.SetBinary(true);
    else cursor.Fail(messages::BadByteOrderMark);
  }
  return layout;
}

// A count or size that must not be negative: a binary 4-byte integer can be.
uint64_t Count(MshCursor& cursor, int64_t value) {
  if (value < 0) cursor.Fail(messages::NegativeCount(std::to_string(value)));
  return static_cast<uint64_t>(value);
}

// Node and element tags: 4-byte integers in binary files of version 2.2 and
// 4.0, 8-byte sizes in 4.1.
int64_t Tag(MshCursor& cursor, Layout layout) {
  return layout == Layout::V41 && cursor.Binary() ? static_cast<int64_t>(cursor.Size()) : cursor.Int();
}

// The nodes of one element of a type already known, `element` its tag and
// `groups` the physical groups it belongs to: a triangle is added to the mesh,
// a point or a 2-node line to its groups; anything else is only read past.
void ReadElementNodes(MshCursor& cursor, Layout layout, int64_t type, int64_t element,
                      std::span<const int32_t> groups, MeshBuilder& mesh) {
  std::array<int64_t, 3> corners{};
  for (int k = 0; k < NodesOf(type); ++k) {
    const int64_t tag = Tag(cursor, layout);
    if (k < 3) corners[static_cast<size_t>(k)] = tag;
  }
  if (type == Triangle) mesh.AddTriangle(corners, groups, cursor);
  else if (type == Point) mesh.AddPoint(element, corners[0], groups, cursor);
  else if (type == Line) mesh.AddLine(element, corners[0], corners[1], groups, cursor);
}

int64_t ElementType(MshCursor& cursor) {
  const int64_t type = cursor.Int();
  if (NodesOf(type) == 0) cursor.Fail(messages::UnsupportedElementType(type));
  return type;
}

// Version 2.2: the count as a line of text, then "tag x y z" per node.
// $ParametricNodes adds the entity's dimension and tag and one parameter per
// dimension of a curve or surface.
void ReadNodes22(MshCursor& cursor, bool parametric, MeshBuilder& mesh) {
  const uint64_t count = cursor.TextSize();
  mesh.Announce(count, cursor);
  for (uint64_t k = 0; k < count; ++k) {
    cursor.Record();
    const int64_t tag = cursor.Int();
    const double x = cursor.Real(), y = cursor.Real(), z = cursor.Real();
    if (parametric) {
      const int64_t dimension = cursor.Int();
      cursor.Int();
      for (int64_t p = 0; p < (dimension == 1 || dimension == 2 ? dimension : 0); ++p) cursor.Real();
    }
    cursor.EndRecord();
    mesh.AddNode(tag, x, y, z, cursor);
  }
}

// Version 2.2: the count as a line of text. ASCII: "tag type tag-count
// tags... nodes..." per element. Binary: blocks of one type, "type count
// tag-count", then per element its tag, its tags and its nodes. The first of
// an element's tags is its physical group (0: none).
void ReadElements22(MshCursor& cursor, MeshBuilder& mesh) {
  const uint64_t count = cursor.TextSize();
  for (uint64_t read = 0; read < count;) {
    cursor.Record();
    int64_t type = 0;
    uint64_t following = 1, tags = 0;
    if (cursor.Binary()) {
      type = ElementType(cursor);
      following = Count(cursor, cursor.Int());
      tags = Count(cursor, cursor.Int());
    }
    for (uint64_t k = 0; k < following; ++k) {
      const int64_t element = cursor.Int();
      if (!cursor.Binary()) {
        type = ElementType(cursor);
        tags = Count(cursor, cursor.Int());
      }
      int32_t physical = 0;
      for (uint64_t t = 0; t < tags; ++t) {
        const int64_t tag = cursor.Int();
        if (t == 0) physical = PhysicalTag(cursor, tag);
      }
      ReadElementNodes(cursor, Layout::V22, type, element, std::span(&physical, physical != 0 ? 1 : 0), mesh);
    }
    cursor.EndRecord();
    read += following;
  }
}

// Versions 4.0 and 4.1: blocks of nodes of one geometric entity, each with a
// header "dimension entity parametric count" (4.0: entity before dimension).
// 4.1 lists a block's tags before its coordinates, 4.0 writes "tag x y z" per
// node. A parametric block adds one parameter per dimension of its entity.
void ReadNodes4(MshCursor& cursor, Layout layout, MeshBuilder& mesh) {
  cursor.Record();
  const uint64_t blocks = cursor.Size();
  mesh.Announce(cursor.Size(), cursor);
  if (layout == Layout::V41) cursor.Size(), cursor.Size();  // smallest and largest tag
  cursor.EndRecord();
  for (uint64_t b = 0; b < blocks; ++b) {
    cursor.Record();
    int64_t dimension = cursor.Int();
    if (layout == Layout::V40) dimension = cursor.Int();
    else cursor.Int();
    const int64_t parameters = cursor.Int() != 0 ? std::clamp<int64_t>(dimension, 0, 3) : 0;
    const uint64_t count = cursor.Size();
    cursor.EndRecord();
    if (count > mesh.Room()) cursor.Fail(messages::MoreNodesThanCounted(static_cast<long long>(mesh.Announced())));
    std::vector<int64_t> tags;
    if (layout == Layout::V41) {
      tags.resize(count);
      for (int64_t& tag : tags) {
        cursor.Record();
        tag = Tag(cursor, layout);
        cursor.EndRecord();
      }
    }
    for (uint64_t k = 0; k < count; ++k) {
      cursor.Record();
      const int64_t tag = layout == Layout::V41 ? tags[k] : Tag(cursor, layout);
      const double x = cursor.Real(), y = cursor.Real(), z = cursor.Real();
      for (int64_t p = 0; p < parameters; ++p) cursor.Real();
      cursor.EndRecord();
      mesh.AddNode(tag, x, y, z, cursor);
    }
  }
}

// Versions 4.0 and 4.1: blocks of elements of one entity and type, each with
// a header "dimension entity type count" (4.0: entity before dimension), then
// "tag nodes..." per element. The entity's physical groups come from
// $Entities, which Gmsh writes before the nodes.
void ReadElements4(MshCursor& cursor, Layout layout, MeshBuilder& mesh) {
  cursor.Record();
  const uint64_t blocks = cursor.Size();
  cursor.Size();
  if (layout == Layout::V41) cursor.Size(), cursor.Size();
  cursor.EndRecord();
  for (uint64_t b = 0; b < blocks; ++b) {
    cursor.Record();
    const int64_t first = cursor.Int();
    const int64_t second = cursor.Int();
    const int64_t type = ElementType(cursor);
    const uint64_t count = cursor.Size();
    cursor.EndRecord();
    const auto groups = mesh.Groups().OfEntity(DimensionOf(type), layout == Layout::V40 ? first : second);
    for (uint64_t k = 0; k < count; ++k) {
      cursor.Record();
      const int64_t element = Tag(cursor, layout);
      ReadElementNodes(cursor, layout, type, element, groups, mesh);
      cursor.EndRecord();
    }
  }
}

}  // namespace

Model ImportMsh(std::string_view bytes, const Model& current) {
  MshCursor cursor(bytes);
  if (cursor.NextLine() != "$MeshFormat") cursor.Fail(messages::NotAGmshMesh);
  const Layout layout = ReadFormat(cursor);
  cursor.ExpectSectionEnd();

  MeshBuilder mesh;
  // Sections the import does not use (periodicity, partitions, data) are
  // passed over, as the format asks of every reader.
  for (std::string_view line = cursor.NextLine(); !line.empty(); line = cursor.NextLine()) {
    if (line.front() != '$') cursor.Fail(messages::ExpectedSection(line));
    cursor.SetSection(line);
    if (line == "$Nodes" && layout == Layout::V22) ReadNodes22(cursor, false, mesh);
    else if (line == "$ParametricNodes" && layout == Layout::V22) ReadNodes22(cursor, true, mesh);
    else if (line == "$Nodes") ReadNodes4(cursor, layout, mesh);
    else if (line == "$Elements" && layout == Layout::V22) ReadElements22(cursor, mesh);
    else if (line == "$Elements") ReadElements4(cursor, layout, mesh);
    else if (line == "$PhysicalNames") mesh.Groups().ReadNames(cursor);
    else if (line == "$Entities" && layout != Layout::V22) mesh.Groups().ReadEntities(cursor, layout == Layout::V40);
    else {
      cursor.SkipSection(line);
      continue;
    }
    cursor.ExpectSectionEnd();
  }
  return mesh.Build(current);
}

}  // namespace trivane
