#include "app/line_results.h"

#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {

LineProfile ProfileAlongLine(const Model& model, const Solution& solution, ResultField field, LinePoint from,
                             LinePoint to, int32_t points) {
  if (solution.nodeCount != model.nodeCount || solution.elementCount != model.elementCount)
    throw Error(messages::ComputeFirst);
  const std::vector<double> elementValues = ElementFieldValues(model, solution, field);
  const std::vector<double> cornerValues = CornerFieldValues(model, solution, field);
  LineProfile profile = SampleAlongLine(model, elementValues, cornerValues, from, to, points);
  profile.radial = model.entered.problem == Axisymmetric;
  return profile;
}

std::string LineCsvText(const LineProfile& profile, ResultField field) {
  constexpr const char* LineEnd = "\r\n";
  const std::string key(RowOf(field).key);
  std::string text = std::string(profile.radial ? "s,r,z" : "s,x,y") + ",element," + key + "_element," + key +
                     "_averaged";
  text += LineEnd;
  for (const LineSample& sample : profile.samples) {
    text += FormatShortest(sample.s) + ',' + FormatShortest(sample.x) + ',' + FormatShortest(sample.y) + ',';
    if (sample.element > 0)
      text += FormatInteger(sample.element) + ',' + FormatShortest(sample.elementValue) + ',' +
              FormatShortest(sample.averagedValue);
    else
      text += ",,";
    text += LineEnd;
  }
  return text;
}

}  // namespace trivane
