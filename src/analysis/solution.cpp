#include "analysis/solution.h"

namespace trivane {

NodeReaction ReactionAt(const Solution& s, int32_t node) {
  const auto x = static_cast<std::size_t>(2 * node - 2);
  NodeReaction reaction;
  if (s.reactions.restrained[x]) reaction.rx = s.reactions.values[x];
  if (s.reactions.restrained[x + 1]) reaction.ry = s.reactions.values[x + 1];
  return reaction;
}

bool HasReaction(const Solution& s, int32_t node) {
  const NodeReaction r = ReactionAt(s, node);
  return r.rx.has_value() || r.ry.has_value();
}

}  // namespace trivane
