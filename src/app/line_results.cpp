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
  return SampleAlongLine(model, elementValues, cornerValues, from, to, points);
}

std::string LineCsvText(const LineProfile& profile) {
  constexpr const char* LineEnd = "\r\n";
  std::string text = "s,x,y,element,element_value,averaged_value";
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
