#include "cli/condition_flags.h"

#include <iostream>
#include <map>
#include <optional>
#include <span>

#include "analysis/compute.h"
#include "io/number_text.h"
#include "model/condition_edits.h"
#include "model/errors.h"

namespace trivane::cli {

namespace {

// Whether a group comes before "=": always, never, or when there is an "=".
enum class GroupPart { Required, None, Optional };

// What each condition option takes: the form shown when a value does not
// fit it, its group part, and how many numbers follow.
struct ConditionForm {
  std::string_view flag;
  std::string_view form;
  GroupPart group;
  size_t fewest;
  size_t most;
};

constexpr ConditionForm Forms[] = {
    {"--support", "GROUP=x|y|xy", GroupPart::Required, 0, 0},
    {"--pressure", "GROUP=P", GroupPart::Required, 1, 1},
    {"--water", "GROUP=LEVEL,GAMMA", GroupPart::Required, 2, 2},
    {"--traction", "GROUP=TX,TY", GroupPart::Required, 2, 2},
    {"--force", "GROUP=FX,FY", GroupPart::Required, 2, 2},
    {"--gravity", "GX,GY", GroupPart::None, 2, 2},
    {"--density", "RHO", GroupPart::None, 1, 1},
    {"--alpha", "A", GroupPart::None, 1, 1},
    {"--temperature", "[REGION=]DT", GroupPart::Optional, 1, 1},
    {"--region", "NAME=E,MU[,RHO[,ALPHA]]", GroupPart::Required, 2, 4},
    {"--spin", "OMEGA", GroupPart::None, 1, 1},
};

const ConditionForm& FormOf(std::string_view flag) {
  for (const ConditionForm& f : Forms)
    if (f.flag == flag) return f;
  throw std::logic_error("not a condition option");
}

[[noreturn]] void Refuse(const ConditionOption& option, std::string_view text) {
  throw Error(messages::AtOption(option.flag, option.value, text));
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

RestraintKind SupportKind(std::string_view text) {
  if (text == "x") return FixedX;
  if (text == "y") return FixedY;
  if (text == "xy") return FixedXY;
  return Free;
}

ConditionOption ReadCondition(const std::string& flag, const std::string& value) {
  const ConditionForm& form = FormOf(flag);
  ConditionOption option{flag, value, {}, {}, {}, Free};
  std::string_view numbers = value;
  // Values hold no "=", so a group name may.
  const size_t equals = value.rfind('=');
  if (form.group == GroupPart::Required || (form.group == GroupPart::Optional && equals != std::string::npos)) {
    if (equals == std::string::npos || equals == 0) Refuse(option, messages::OptionValueForm(form.form));
    option.group = value.substr(0, equals);
    numbers = std::string_view(value).substr(equals + 1);
  }
  if (flag == "--support") {
    option.support = SupportKind(numbers);
    if (option.support == Free) Refuse(option, messages::OptionValueForm(form.form));
    return option;
  }
  const std::vector<std::string_view> parts = Split(numbers, ',');
  if (parts.size() < form.fewest || parts.size() > form.most) Refuse(option, messages::OptionValueForm(form.form));
  try {
    for (std::string_view part : parts) {
      option.texts.emplace_back(part);
      option.numbers.push_back(ReadReal(part));
    }
  } catch (const Error& e) {
    Refuse(option, e.what());
  }
  return option;
}

// The group an option names, of the kind it needs.
const Group& GroupFor(const Model& model, const ConditionOption& option, GroupKind kind) {
  if (const Group* group = FindGroupOfKind(model, option.group, kind)) return *group;
  if (const Group* other = FindGroup(model, option.group))
    throw Error(messages::WrongGroupKind(option.group, static_cast<int>(other->kind), static_cast<int>(kind)));
  throw Error(messages::NoSuchGroup(option.group));
}

void ApplyMaterial(const ModelOptions& options, Model& model) {
  EnteredMaterial entered = model.entered;
  entered.E = options.E.value_or(entered.E);
  entered.mu = options.mu.value_or(entered.mu);
  entered.t = options.t.value_or(entered.t);
  entered.problem = options.problem.value_or(entered.problem);
  SetMaterial(model, entered);
}

// Applies one option; a note for stderr when it did nothing.
std::optional<std::string> ApplyCondition(const ConditionOption& option, Model& model) {
  const std::vector<double>& v = option.numbers;
  const auto edgeLoad = [&](EdgeLoadKind kind, double a, double b) -> const Group& {
    const Group& group = GroupFor(model, option, GroupKind::Edges);
    SetEdgeLoads(model, group.edges, kind, a, b);
    return group;
  };
  if (option.flag == "--support") {
    const Group* group = FindGroup(model, option.group);
    if (group == nullptr) throw Error(messages::NoSuchGroup(option.group));
    AddSupport(model, GroupNodes(model, *group), option.support);
  } else if (option.flag == "--pressure") {
    edgeLoad(EdgeLoadKind::Pressure, v[0], 0.0);
  } else if (option.flag == "--water") {
    const Group& group = edgeLoad(EdgeLoadKind::Water, v[0], v[1]);
    if (WaterLeavesDry(model, group.edges, v[0])) return messages::WaterBelowGroup(option.texts[0], option.group);
  } else if (option.flag == "--traction") {
    edgeLoad(EdgeLoadKind::Traction, v[0], v[1]);
  } else if (option.flag == "--force") {
    const Group& group = GroupFor(model, option, GroupKind::Nodes);
    for (const int32_t node : group.nodes) AddNodeForce(model, node, v[0], v[1]);
  } else if (option.flag == "--gravity") {
    SetGravity(model, {v[0], v[1]});
  } else if (option.flag == "--density") {
    SetDensity(model, v[0]);
  } else if (option.flag == "--alpha") {
    SetExpansion(model, v[0]);
  } else if (option.flag == "--temperature") {
    if (option.group.empty())
      SetTemperature(model, v[0]);
    else
      SetRegionTemperature(model, {GroupLabel(GroupFor(model, option, GroupKind::Region)), v[0]});
  } else if (option.flag == "--spin") {
    SetSpin(model, v[0]);
  } else if (option.flag == "--region") {
    const Group& region = GroupFor(model, option, GroupKind::Region);
    SetRegionMaterial(model, {GroupLabel(region), v[0], v[1], v.size() > 2 ? v[2] : 0.0, v.size() > 3 ? v[3] : 0.0});
  }
  return std::nullopt;
}

}  // namespace

const char* const ModelOptionsUsage =
    "[--E VALUE] [--nu VALUE] [--t VALUE] [--plane-strain|--plane-stress|--axisymmetric]\n"
    "    [--support GROUP=x|y|xy] [--pressure GROUP=P] [--water GROUP=LEVEL,GAMMA] [--traction GROUP=TX,TY]\n"
    "    [--force GROUP=FX,FY] [--gravity GX,GY] [--density RHO] [--region NAME=E,MU[,RHO[,ALPHA]]]\n"
    "    [--alpha A] [--temperature [REGION=]DT] [--spin OMEGA]";

OptionNames WithModelOptions(OptionNames own) {
  own.values.insert(own.values.end(), {"--E", "--nu", "--t"});
  own.switches.insert(own.switches.end(), {"--plane-strain", "--plane-stress", "--axisymmetric"});
  for (const ConditionForm& f : Forms) own.repeatable.push_back(f.flag);
  return own;
}

ModelOptions ReadModelOptions(const Arguments& args) {
  if (args.Has("--plane-strain") + args.Has("--plane-stress") + args.Has("--axisymmetric") > 1)
    throw UsageError("--plane-strain, --plane-stress and --axisymmetric exclude each other");
  ModelOptions options;
  for (const char* flag : {"--E", "--nu", "--t"}) {
    if (!args.Has(flag)) continue;
    const double value = RealOption(args, flag, 0.0);
    (flag[2] == 'E' ? options.E : flag[2] == 'n' ? options.mu : options.t) = value;
  }
  if (args.Has("--plane-strain")) options.problem = PlaneStrain;
  if (args.Has("--plane-stress")) options.problem = PlaneStress;
  if (args.Has("--axisymmetric")) options.problem = Axisymmetric;
  for (const auto& [flag, value] : args.repeated) options.conditions.push_back(ReadCondition(flag, value));
  return options;
}

std::vector<std::string> ApplyModelOptions(const ModelOptions& options, Model& model) {
  ApplyMaterial(options, model);
  std::vector<std::string> notes;
  for (const ConditionOption& option : options.conditions) {
    try {
      if (std::optional<std::string> note = ApplyCondition(option, model)) notes.push_back(std::move(*note));
    } catch (const Error& e) {
      Refuse(option, e.what());
    }
  }
  // A region given without its density or its expansion takes the model's,
  // whichever of --density, --alpha and --region came first.
  std::map<std::string, std::size_t, std::less<>> valuesGiven;
  for (const ConditionOption& option : options.conditions)
    if (option.flag == "--region")
      valuesGiven[GroupLabel(*FindGroupOfKind(model, option.group, GroupKind::Region))] = option.numbers.size();
  for (RegionMaterial& material : model.conditions.regionMaterials)
    if (const auto found = valuesGiven.find(material.region); found != valuesGiven.end()) {
      if (found->second < 3) material.rho = model.entered.rho;
      if (found->second < 4) material.alpha = model.entered.alpha;
    }
  return notes;
}

void PrintNotes(const std::vector<std::string>& notes) {
  for (const std::string& note : notes) std::cerr << note << "\n";
}

ComputedModel ComputeModelFile(const std::string& path, const ModelOptions& options, SolverChoice solver,
                               StressRecovery recovery) {
  auto model = std::make_unique<Model>(LoadModel(path));
  PrintNotes(ApplyModelOptions(options, *model));
  Solution solution = Compute(*model, solver, recovery);
  return {std::move(model), std::move(solution)};
}

}  // namespace trivane::cli
