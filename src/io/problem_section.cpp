#include "io/problem_section.h"

#include <algorithm>
#include <array>
#include <set>
#include <tuple>
#include <string_view>
#include <utility>
#include <vector>

#include "io/line_fields.h"
#include "io/section_tokens.h"
#include "io/number_text.h"
#include "model/errors.h"
#include "model/condition_edits.h"
#include "model/material_rules.h"

namespace trivane {

namespace {

// Version 2 adds the element order and the mid-side nodes of a six-node
// model; a three-node model is still written as version 1, byte for byte.
constexpr std::string_view Header = "[Trivane 1]";
constexpr std::string_view Header2 = "[Trivane 2]";
constexpr const char* LineEnd = "\r\n";

// The form of each statement, for the error that a line does not have it.
constexpr const char* ProblemForm = "problem plane-stress|plane-strain|axisymmetric";
constexpr const char* MaterialForm = "material E=… mu=… t=… rho=… [alpha=…]";
constexpr const char* GravityForm = "gravity gx=… gy=…";
constexpr const char* SpinForm = "spin omega=…";
constexpr const char* GroupForm = "group nodes|edges|region 编号 \"名称\" 项数";
constexpr const char* RegionMaterialForm = "region-material \"区域\" E=… mu=… rho=… [alpha=…]";
constexpr const char* TemperatureForm = "temperature [\"区域\"] dt=…";
constexpr const char* PressureForm = "pressure 结点-结点 p=…";
constexpr const char* WaterForm = "water 结点-结点 level=… gamma=…";
constexpr const char* TractionForm = "traction 结点-结点 tx=… ty=…";
constexpr const char* EdgeItemForm = "结点-结点 …";
std::string_view HeaderOf(int version) { return version == 1 ? Header : Header2; }

constexpr const char* OrderForm = "order 1|2";
constexpr const char* MidSideForm = "mid-side-nodes 单元数";
constexpr const char* MidSideItemForm = "结点 结点 结点";

constexpr const char* KindWords[] = {"nodes", "edges", "region"};
constexpr int ItemsPerLine[] = {10, 8, 10};

const char* ProblemWord(ProblemType problem) {
  if (problem == Axisymmetric) return "axisymmetric";
  return problem == PlaneStrain ? "plane-strain" : "plane-stress";
}

std::string EdgeText(const Edge& e) { return FormatInteger(e.node1) + "-" + FormatInteger(e.node2); }

class SectionReader {
 public:
  SectionReader(const TextBuffer& text, Model& model) : text_(text), model_(model) {}

  void Read(int first) {
    line_ = first;
    while (line_ < text_.LineCount() && text_.Line(line_).find_first_not_of(" \t") == std::string_view::npos) ++line_;
    if (line_ >= text_.LineCount()) return;
    const int header = line_;
    std::string_view title = text_.Line(header);
    while (!title.empty() && IsSectionBlank(title.back())) title.remove_suffix(1);
    if (title != Header && title != Header2) Fail(messages::SectionHeaderExpected(title));
    version_ = title == Header ? 1 : 2;
    for (line_ = header + 1; line_ < text_.LineCount(); ++line_)
      if (const std::vector<Token> tokens = Split(); !tokens.empty()) Statement(tokens);
    Finish(header);
  }

 private:
  [[noreturn]] void Fail(const std::string& text) const { throw LineError(text, line_ + 1); }

  std::vector<Token> Split() const {
    return AtLine(line_, [&] { return Tokens(text_.Line(line_)); });
  }

  void Expect(const std::vector<Token>& tokens, size_t count, const char* form) const {
    if (tokens.size() != count) Fail(messages::SectionLineForm(form));
  }

  // A statement whose last fields may be left out.
  void ExpectBetween(const std::vector<Token>& tokens, size_t fewest, size_t most, const char* form) const {
    if (tokens.size() < fewest || tokens.size() > most) Fail(messages::SectionLineForm(form));
  }

  // "key=value", the value a real.
  double Value(const Token& token, std::string_view key, const char* form) const {
    const std::string_view text = token.text;
    if (token.quoted || text.size() <= key.size() || text.substr(0, key.size()) != key || text[key.size()] != '=')
      Fail(messages::SectionLineForm(form));
    return AtLine(line_, [&] { return ReadReal(text.substr(key.size() + 1)); });
  }

  int32_t Integer(const Token& token, const char* form) const {
    if (token.quoted) Fail(messages::SectionLineForm(form));
    return AtLine(line_, [&] { return ReadInteger(token.text); });
  }

  int32_t NodeNumber(std::string_view text) const {
    const int32_t node = AtLine(line_, [&] { return ReadInteger(text); });
    if (node < 1 || node > model_.nodeCount) Fail(messages::NodeNumberMissing(node, model_.nodeCount));
    return node;
  }

  Edge EdgeItem(const Token& token, const char* form) const {
    const size_t dash = token.text.find('-', 1);
    if (token.quoted || dash == std::string::npos) Fail(messages::SectionLineForm(form));
    const std::string_view text = token.text;
    return Edge{NodeNumber(text.substr(0, dash)), NodeNumber(text.substr(dash + 1))};
  }

  void Once(bool& seen, std::string_view keyword) const {
    if (seen) Fail(messages::RepeatedSectionLine(keyword));
    seen = true;
  }

  void Statement(const std::vector<Token>& t) {
    const std::string& keyword = t[0].quoted ? std::string() : t[0].text;
    if (keyword == "problem") {
      Expect(t, 2, ProblemForm);
      Once(problemSeen_, keyword);
      if (t[1].text == "plane-stress" && !t[1].quoted) entered_.problem = PlaneStress;
      else if (t[1].text == "plane-strain" && !t[1].quoted) entered_.problem = PlaneStrain;
      else if (t[1].text == "axisymmetric" && !t[1].quoted) entered_.problem = Axisymmetric;
      else Fail(messages::UnknownProblemType(t[1].text));
    } else if (keyword == "material") {
      ExpectBetween(t, 5, 6, MaterialForm);
      Once(materialSeen_, keyword);
      materialLine_ = line_;
      entered_.E = Value(t[1], "E", MaterialForm);
      entered_.mu = Value(t[2], "mu", MaterialForm);
      entered_.t = Value(t[3], "t", MaterialForm);
      entered_.rho = Value(t[4], "rho", MaterialForm);
      entered_.alpha = t.size() > 5 ? Value(t[5], "alpha", MaterialForm) : 0.0;
    } else if (keyword == "gravity") {
      Expect(t, 3, GravityForm);
      Once(gravitySeen_, keyword);
      conditions_.gravity = Gravity{Value(t[1], "gx", GravityForm), Value(t[2], "gy", GravityForm)};
    } else if (keyword == "spin") {
      Expect(t, 2, SpinForm);
      Once(spinSeen_, keyword);
      spinLine_ = line_;
      conditions_.spin = Value(t[1], "omega", SpinForm);
    } else if (keyword == "group") {
      ReadGroup(t);
    } else if (keyword == "region-material") {
      ExpectBetween(t, 5, 6, RegionMaterialForm);
      if (!t[1].quoted) Fail(messages::SectionLineForm(RegionMaterialForm));
      conditions_.regionMaterials.push_back(RegionMaterial{
          t[1].text, Value(t[2], "E", RegionMaterialForm), Value(t[3], "mu", RegionMaterialForm),
          Value(t[4], "rho", RegionMaterialForm), t.size() > 5 ? Value(t[5], "alpha", RegionMaterialForm) : 0.0});
      regionMaterialLines_.push_back(line_);
    } else if (keyword == "temperature") {
      ReadTemperature(t);
    } else if (keyword == "pressure") {
      Expect(t, 3, PressureForm);
      AddEdgeLoad(keyword,
                  EdgeLoad{EdgeItem(t[1], PressureForm), EdgeLoadKind::Pressure, Value(t[2], "p", PressureForm), 0.0});
    } else if (keyword == "water") {
      Expect(t, 4, WaterForm);
      AddEdgeLoad(keyword, EdgeLoad{EdgeItem(t[1], WaterForm), EdgeLoadKind::Water, Value(t[2], "level", WaterForm),
                                    Value(t[3], "gamma", WaterForm)});
    } else if (keyword == "traction") {
      Expect(t, 4, TractionForm);
      AddEdgeLoad(keyword, EdgeLoad{EdgeItem(t[1], TractionForm), EdgeLoadKind::Traction,
                                    Value(t[2], "tx", TractionForm), Value(t[3], "ty", TractionForm)});
    } else if (keyword == "order" && version_ >= 2) {
      Expect(t, 2, OrderForm);
      Once(orderSeen_, keyword);
      if (t[1].quoted || (t[1].text != "1" && t[1].text != "2")) Fail(messages::SectionLineForm(OrderForm));
      order_ = t[1].text == "2" ? 2 : 1;
      orderLine_ = line_;
    } else if (keyword == "mid-side-nodes" && version_ >= 2) {
      ReadMidSides(t);
    } else {
      Fail(messages::UnknownSectionKeyword(t[0].text));
    }
  }

  // The mid-side nodes of sides 1-2, 2-3 and 3-1, one line per element in
  // element order.
  void ReadMidSides(const std::vector<Token>& t) {
    Expect(t, 2, MidSideForm);
    Once(midSidesSeen_, t[0].text);
    midSidesLine_ = line_;
    const int32_t count = Integer(t[1], MidSideForm);
    if (count != model_.elementCount) Fail(messages::MidSideCount(count, model_.elementCount));
    midSides_.reserve(static_cast<size_t>(count));
    const int statementLine = line_;
    for (int32_t e = 0; e < count; ++e) {
      if (++line_ >= text_.LineCount()) {
        line_ = statementLine;
        Fail(messages::SectionLineForm(MidSideItemForm));
      }
      const std::vector<Token> items = Split();
      if (items.size() != 3 || items[0].quoted) Fail(messages::SectionLineForm(MidSideItemForm));
      midSides_.push_back({NodeNumber(items[0].text), NodeNumber(items[1].text), NodeNumber(items[2].text)});
    }
  }

  // An edge carries one load of each kind: a second is a fault of the file,
  // not a load to add, whichever way round its ends are written.
  void AddEdgeLoad(std::string_view keyword, const EdgeLoad& load) {
    const auto [low, high] = std::minmax(load.edge.node1, load.edge.node2);
    if (!edgeLoadKeys_.emplace(static_cast<int>(load.kind), low, high).second)
      Fail(messages::RepeatedEdgeLoad(keyword, load.edge.node1, load.edge.node2));
    conditions_.edgeLoads.push_back(load);
  }

  // The group line, then its items on the lines after it, as many to a line
  // as the person editing it likes.
  void ReadGroup(const std::vector<Token>& t) {
    Expect(t, 5, GroupForm);
    int kind = 0;
    while (kind < 3 && (t[1].quoted || t[1].text != KindWords[kind])) ++kind;
    if (kind == 3) Fail(messages::UnknownGroupKind(t[1].text));
    Group& g = conditions_.groups.emplace_back();
    g.kind = static_cast<GroupKind>(kind);
    g.number = Integer(t[2], GroupForm);
    if (!t[3].quoted) Fail(messages::SectionLineForm(GroupForm));
    g.name = t[3].text;
    const int32_t count = Integer(t[4], GroupForm);
    if (count < 0) Fail(messages::NegativeCount(t[4].text));
    if (!groupKeys_.emplace(kind, g.number).second) Fail(messages::RepeatedGroup(KindWords[kind], g.number));
    if (g.kind == GroupKind::Region) regions_.insert(GroupLabel(g));
    const int groupLine = line_;
    for (int32_t read = 0; read < count;) {
      if (++line_ >= text_.LineCount()) {
        line_ = groupLine;
        Fail(messages::FewerGroupItems(GroupLabel(g), count));
      }
      const std::vector<Token> items = Split();
      if (!items.empty() && (items[0].quoted || items[0].text[0] < '0' || items[0].text[0] > '9'))
        Fail(messages::FewerGroupItems(GroupLabel(g), count));
      for (const Token& item : items) {
        if (read == count) Fail(messages::LineTooLong(item.text));
        ++read;
        if (g.kind == GroupKind::Nodes) g.nodes.push_back(NodeNumber(item.text));
        else if (g.kind == GroupKind::Edges) g.edges.push_back(EdgeItem(item, EdgeItemForm));
        else g.elements.push_back(ElementNumber(item));
      }
    }
  }

  int32_t ElementNumber(const Token& item) const {
    const int32_t element = AtLine(line_, [&] { return ReadInteger(item.text); });
    if (element < 1 || element > model_.elementCount)
      Fail(messages::ElementNumberMissing(element, model_.elementCount));
    return element;
  }

  // What can only be checked once every line is read: the material, which
  // needs the problem type, and the regions the region materials name.
  void Finish(int header) {
    line_ = header;
    if (!problemSeen_) Fail(messages::MissingSectionLine(HeaderOf(version_), "problem"));
    if (!materialSeen_) Fail(messages::MissingSectionLine(HeaderOf(version_), "material"));
    line_ = materialLine_;
    AtLine(line_, [&] { SetMaterial(model_, entered_); });
    FinishOrder();
    const auto& materials = conditions_.regionMaterials;
    std::set<std::string, std::less<>> given;
    for (size_t k = 0; k < materials.size(); ++k) {
      line_ = regionMaterialLines_[k];
      const RegionMaterial& r = materials[k];
      if (!regions_.contains(r.region)) Fail(messages::UnknownRegion(r.region));
      if (!given.insert(r.region).second) Fail(messages::RepeatedRegionMaterial(r.region));
      AtLine(line_, [&] { return ElementConstants(EnteredMaterial{entered_.problem, r.E, r.mu, entered_.t, r.rho}); });
    }
    FinishRegionTemperatures();
    if (conditions_.spin != 0.0 && entered_.problem != Axisymmetric) {
      line_ = spinLine_;
      Fail(messages::SpinNeedsAxisymmetric);
    }
    model_.conditions = std::move(conditions_);
  }

  // The model's temperature change, once, or a region's, whose region is
  // checked with the others at the end.
  void ReadTemperature(const std::vector<Token>& t) {
    ExpectBetween(t, 2, 3, TemperatureForm);
    if (t.size() == 2) {
      Once(temperatureSeen_, "temperature dt=…");
      conditions_.temperature.dt = Value(t[1], "dt", TemperatureForm);
      return;
    }
    if (!t[1].quoted) Fail(messages::SectionLineForm(TemperatureForm));
    conditions_.temperature.regions.push_back({t[1].text, Value(t[2], "dt", TemperatureForm)});
    regionTemperatureLines_.push_back(line_);
  }

  void FinishRegionTemperatures() {
    const auto& regions = conditions_.temperature.regions;
    std::set<std::string, std::less<>> given;
    for (size_t k = 0; k < regions.size(); ++k) {
      line_ = regionTemperatureLines_[k];
      if (!regions_.contains(regions[k].region)) Fail(messages::UnknownRegion(regions[k].region));
      if (!given.insert(regions[k].region).second) Fail(messages::RepeatedRegionTemperature(regions[k].region));
    }
  }

  // A six-node model needs its mid-side nodes, and only it has them.
  void FinishOrder() {
    if (order_ == 2 && !midSidesSeen_) {
      line_ = orderLine_;
      Fail(messages::MissingSectionLine(HeaderOf(version_), "mid-side-nodes"));
    }
    if (order_ == 1 && midSidesSeen_) {
      line_ = midSidesLine_;
      Fail(messages::MissingSectionLine(HeaderOf(version_), "order 2"));
    }
    model_.elementOrder = order_;
    for (size_t e = 0; e < midSides_.size(); ++e) {
      Element& element = model_.elements[static_cast<std::ptrdiff_t>(e) + 1];
      element.count = 6;
      std::copy(midSides_[e].begin(), midSides_[e].end(), element.node.begin() + 3);
    }
  }

  const TextBuffer& text_;
  Model& model_;
  int version_ = 1;
  int32_t order_ = 1;
  bool orderSeen_ = false, midSidesSeen_ = false;
  int orderLine_ = 0, midSidesLine_ = 0;
  std::vector<std::array<int32_t, 3>> midSides_;
  int line_ = 0;
  EnteredMaterial entered_;
  Conditions conditions_;
  bool problemSeen_ = false, materialSeen_ = false, gravitySeen_ = false, temperatureSeen_ = false, spinSeen_ = false;
  int materialLine_ = 0, spinLine_ = 0;
  std::vector<int> regionMaterialLines_, regionTemperatureLines_;
  std::set<std::pair<int, int32_t>> groupKeys_;  // kind and number of the groups read
  std::set<std::string, std::less<>> regions_;   // labels of the regions read
  std::set<std::tuple<int, int32_t, int32_t>> edgeLoadKeys_;  // kind and ends, lower first, of the edge loads read
};

}  // namespace

std::string WriteProblemSection(const Model& model) {
  const EnteredMaterial& m = model.entered;
  const Conditions& c = model.conditions;
  const bool sixNode = model.elementOrder == 2;
  std::string s = std::string(sixNode ? Header2 : Header) + LineEnd;
  s += std::string("problem ") + ProblemWord(m.problem) + LineEnd;
  // Thermal values are written only where they are set, so a file without
  // them keeps every byte it had.
  const auto alpha = [](double a) { return a != 0.0 ? " alpha=" + FormatShortest(a) : std::string(); };
  s += "material E=" + FormatShortest(m.E) + " mu=" + FormatShortest(m.mu) + " t=" + FormatShortest(m.t) +
       " rho=" + FormatShortest(m.rho) + alpha(m.alpha) + LineEnd;
  s += "gravity gx=" + FormatShortest(c.gravity.gx) + " gy=" + FormatShortest(c.gravity.gy) + LineEnd;
  // Written only for a part that turns, so every other file stays as it was.
  if (c.spin != 0.0) s += "spin omega=" + FormatShortest(c.spin) + LineEnd;
  if (sixNode) {
    s += std::string("order 2") + LineEnd + "mid-side-nodes " + FormatInteger(model.elementCount) + LineEnd;
    for (int32_t e = 1; e <= model.elementCount; ++e) {
      const Element& element = model.elements[e];
      s += FormatInteger(element.node[3]) + " " + FormatInteger(element.node[4]) + " " +
           FormatInteger(element.node[5]) + LineEnd;
    }
  }
  for (const Group& g : c.groups) {
    const int kind = static_cast<int>(g.kind);
    std::vector<std::string> items;
    for (const int32_t n : g.nodes) items.push_back(FormatInteger(n));
    for (const Edge& e : g.edges) items.push_back(EdgeText(e));
    for (const int32_t e : g.elements) items.push_back(FormatInteger(e));
    s += std::string("group ") + KindWords[kind] + " " + FormatInteger(g.number) + " " + Quoted(g.name) + " " +
         FormatInteger(static_cast<long long>(items.size())) + LineEnd;
    for (size_t k = 0; k < items.size(); ++k) {
      s += items[k];
      s += (k + 1) % ItemsPerLine[kind] == 0 || k + 1 == items.size() ? LineEnd : " ";
    }
  }
  for (const RegionMaterial& r : c.regionMaterials)
    s += "region-material " + Quoted(r.region) + " E=" + FormatShortest(r.E) + " mu=" + FormatShortest(r.mu) +
         " rho=" + FormatShortest(r.rho) + alpha(r.alpha) + LineEnd;
  if (c.temperature.dt != 0.0) s += "temperature dt=" + FormatShortest(c.temperature.dt) + LineEnd;
  for (const RegionTemperature& r : c.temperature.regions)
    s += "temperature " + Quoted(r.region) + " dt=" + FormatShortest(r.dt) + LineEnd;
  for (const EdgeLoad& load : c.edgeLoads) {
    const std::string edge = EdgeText(load.edge);
    switch (load.kind) {
      case EdgeLoadKind::Pressure:
        s += "pressure " + edge + " p=" + FormatShortest(load.a) + LineEnd;
        break;
      case EdgeLoadKind::Water:
        s += "water " + edge + " level=" + FormatShortest(load.a) + " gamma=" + FormatShortest(load.b) + LineEnd;
        break;
      case EdgeLoadKind::Traction:
        s += "traction " + edge + " tx=" + FormatShortest(load.a) + " ty=" + FormatShortest(load.b) + LineEnd;
        break;
    }
  }
  return s;
}

void ReadProblemSection(const TextBuffer& text, int first, Model& model) { SectionReader(text, model).Read(first); }

}  // namespace trivane
