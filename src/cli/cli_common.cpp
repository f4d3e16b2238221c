#include "cli/cli_common.h"

#include <cmath>

#include "io/model_file.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane::cli {

bool Arguments::Has(std::string_view flag) const {
  return switches.find(flag) != switches.end() || values.find(flag) != values.end();
}

std::string Arguments::Value(std::string_view flag, std::string_view fallback) const {
  const auto found = values.find(flag);
  return found == values.end() ? std::string(fallback) : found->second;
}

namespace {

bool Among(std::string_view flag, const std::vector<std::string_view>& names) {
  for (std::string_view name : names)
    if (name == flag) return true;
  return false;
}

bool LooksLikeOption(std::string_view arg) {
  // "-5" or "-.5" is a negative number given as a value, not an option.
  return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.';
}

}  // namespace

Arguments ParseArguments(std::span<const std::string> args, const OptionNames& options, size_t positionalCount) {
  Arguments parsed;
  for (size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (!LooksLikeOption(arg)) {
      parsed.positional.push_back(arg);
      continue;
    }
    const bool repeatable = Among(arg, options.repeatable);
    if (!repeatable && parsed.Has(arg)) throw UsageError("option " + arg + " given twice");
    if (Among(arg, options.switches)) {
      parsed.switches.insert(arg);
    } else if (repeatable || Among(arg, options.values)) {
      if (k + 1 == args.size()) throw UsageError("option " + arg + " needs a value");
      if (repeatable)
        parsed.repeated.emplace_back(arg, args[++k]);
      else
        parsed.values.emplace(arg, args[++k]);
    } else {
      throw UsageError("unknown option " + arg);
    }
  }
  if (parsed.positional.size() < positionalCount) throw UsageError("missing argument");
  if (parsed.positional.size() > positionalCount) throw UsageError("unexpected argument " + parsed.positional.back());
  return parsed;
}

double RealOption(const Arguments& args, std::string_view flag, double fallback) {
  const auto found = args.values.find(flag);
  return found == args.values.end() ? fallback : ReadReal(found->second);
}

SolverChoice SolverOption(const Arguments& args) {
  const std::string name = args.Value("--solver", "auto");
  if (name == "auto") return SolverChoice::Automatic;
  if (name == "gauss-jordan") return SolverChoice::GaussJordan;
  if (name == "cholesky") return SolverChoice::Cholesky;
  throw UsageError("--solver is one of auto, gauss-jordan, cholesky, not \"" + name + "\"");
}

StressRecovery RecoveryOption(const Arguments& args) {
  const std::string name = args.Value("--recovery", "patch");
  if (name == "patch") return StressRecovery::Patch;
  if (name == "average") return StressRecovery::Average;
  throw UsageError("--recovery is one of patch, average, not \"" + name + "\"");
}

namespace {

bool Offered(const ResultFieldRow& row, ComponentChoice choice) {
  return choice == ComponentChoice::AnyField || row.averaged;
}

}  // namespace

std::string ComponentKeys(ComponentChoice choice, std::string_view separator) {
  std::string keys;
  for (const ResultFieldRow& row : ResultFields())
    if (Offered(row, choice)) keys.append(keys.empty() ? "" : separator).append(row.key);
  return keys;
}

ResultField ComponentOption(const Arguments& args, ComponentChoice choice) {
  const std::string key = args.Value("--component", "sx");
  const auto field = ResultFieldOfKey(key);
  if (!field || !Offered(RowOf(*field), choice))
    throw UsageError("--component is one of " + ComponentKeys(choice, ", ") + ", not \"" + key + "\"");
  return *field;
}

Model LoadModel(const std::string& path) {
  try {
    return LoadModelFile(path);
  } catch (const LineError& e) {
    throw Error(messages::AtFileLine(path, e.line(), e.what()));
  }
}

std::string JsonReal(double value) { return std::isfinite(value) ? FormatShortest(value) : "null"; }

std::string JsonString(std::string_view text) {
  static constexpr char Hex[] = "0123456789abcdef";
  std::string quoted = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted.append(1, '\\').append(1, c);
    } else if (byte < 0x20) {
      quoted.append("\\u00").append(1, Hex[byte >> 4]).append(1, Hex[byte & 15]);
    } else {
      quoted += c;
    }
  }
  return quoted += '"';
}

std::string PadLeft(std::string_view text, size_t width) {
  std::string padded(text.size() < width ? width - text.size() : 0, ' ');
  return padded.append(text);
}

}  // namespace trivane::cli
