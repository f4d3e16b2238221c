#include "io/msh_groups.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "model/errors.h"
#include "model/limits.h"

namespace trivane {

namespace {

constexpr GroupKind KindOf[] = {GroupKind::Nodes, GroupKind::Edges, GroupKind::Region};

int64_t IntegerField(const MshCursor& cursor, std::string_view& line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) cursor.Fail(messages::LineTooShort("$PhysicalNames"));
  line.remove_prefix(start);
  const std::string_view text = line.substr(0, line.find_first_of(" \t"));
  line.remove_prefix(text.size());
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) cursor.Fail(messages::NotAnInteger(text));
  return value;
}

}  // namespace

int32_t PhysicalTag(const MshCursor& cursor, int64_t value) {
  if (value < -INT32_MAX || value > INT32_MAX) cursor.Fail(messages::NotAnInteger(std::to_string(value)));
  return static_cast<int32_t>(value < 0 ? -value : value);
}

// A name runs from the first double quote to the next one, or to the end of
// its line: Gmsh writes names without escapes, so a name holds no quote.
void MshGroups::ReadNames(MshCursor& cursor) {
  const uint64_t count = cursor.TextSize();
  for (uint64_t k = 0; k < count; ++k) {
    std::string_view line = cursor.NextLine();
    if (line.empty()) cursor.Fail(messages::SectionCutShort("$PhysicalNames"));
    if (line.front() == '$') cursor.Fail(messages::SectionEndsEarly("$PhysicalNames"));
    const int64_t dimension = IntegerField(cursor, line);
    const int32_t tag = PhysicalTag(cursor, IntegerField(cursor, line));
    const size_t open = line.find('"');
    if (open == std::string_view::npos) cursor.Fail(messages::LineTooShort("$PhysicalNames"));
    const std::string_view name = line.substr(open + 1, line.find('"', open + 1) - open - 1);
    if (dimension >= 0 && dimension <= 2 && tag != 0) At(static_cast<int>(dimension), tag, cursor).name = name;
  }
}

void MshGroups::ReadEntities(MshCursor& cursor, bool version40) {
  cursor.Record();
  uint64_t counts[4];
  for (uint64_t& count : counts) count = cursor.Size();
  cursor.EndRecord();
  for (int dimension = 0; dimension < 4; ++dimension)
    for (uint64_t k = 0; k < counts[dimension]; ++k) {
      cursor.Record();
      const int64_t entity = cursor.Int();
      for (int r = dimension == 0 && !version40 ? 3 : 6; r > 0; --r) cursor.Real();
      std::vector<int32_t> groups;
      for (uint64_t n = cursor.Size(); n > 0; --n)
        if (const int32_t tag = PhysicalTag(cursor, cursor.Int()); tag != 0) groups.push_back(tag);
      if (dimension > 0)
        for (uint64_t n = cursor.Size(); n > 0; --n) cursor.Int();  // the bounding entities
      cursor.EndRecord();
      std::sort(groups.begin(), groups.end());
      groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
      if (dimension < 3 && !groups.empty()) entities_[{dimension, entity}] = std::move(groups);
    }
}

std::span<const int32_t> MshGroups::OfEntity(int dimension, int64_t entity) const {
  const auto found = entities_.find({dimension, entity});
  if (found == entities_.end()) return {};
  return found->second;
}

MshGroups::Items& MshGroups::At(int dimension, int32_t group, const MshCursor& cursor) {
  if (++items_ > MaxGroupItems) cursor.Fail(messages::TooManyGroupItems(items_));
  return groups_[{dimension, group}];
}

void MshGroups::AddNode(int32_t group, int32_t position, const MshCursor& cursor) {
  At(0, group, cursor).nodes.push_back(position);
}

void MshGroups::AddEdge(int32_t group, int32_t position1, int32_t position2, const MshCursor& cursor) {
  At(1, group, cursor).edges.push_back(Edge{position1, position2});
}

void MshGroups::AddTriangle(int32_t group, int32_t element, const MshCursor& cursor) {
  At(2, group, cursor).elements.push_back(element);
}

// A group's point or line on a node that no triangle uses is dropped: the
// node is not part of the model (see the import), so a support or a load
// there could hold or move nothing.
std::vector<Group> MshGroups::Build(const std::vector<int32_t>& number) const {
  std::vector<Group> groups;
  groups.reserve(groups_.size());
  for (const auto& [key, items] : groups_) {
    Group& g = groups.emplace_back();
    g.kind = KindOf[key.first];
    g.number = key.second;
    g.name = items.name;
    for (const int32_t position : items.nodes)
      if (const int32_t node = number[static_cast<size_t>(position)]; node != 0) g.nodes.push_back(node);
    std::sort(g.nodes.begin(), g.nodes.end());
    g.nodes.erase(std::unique(g.nodes.begin(), g.nodes.end()), g.nodes.end());
    for (const Edge& e : items.edges) {
      const Edge mapped{number[static_cast<size_t>(e.node1)], number[static_cast<size_t>(e.node2)]};
      if (mapped.node1 != 0 && mapped.node2 != 0) g.edges.push_back(mapped);
    }
    g.elements = items.elements;
    std::sort(g.elements.begin(), g.elements.end());
    g.elements.erase(std::unique(g.elements.begin(), g.elements.end()), g.elements.end());
  }
  return groups;
}

}  // namespace trivane
