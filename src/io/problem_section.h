#pragma once
// The section a problem file carries after its element lines: what the fixed
// columns cannot hold. Plain text, one statement to a line, every line ended
// by CR LF, so that a person can read and edit it:
//
//   [Trivane 1]
//   problem plane-strain
//   material E=30000000000 mu=0.2 t=1 rho=2400
//   gravity gx=0 gy=-9.81
//   group edges 1 "upstream face" 3
//   4-5 5-6 6-7
//   group region 2 "" 2
//   1 2
//   region-material "2" E=20000000000 mu=0.25 rho=2600 alpha=1.2e-05
//   temperature dt=15
//   temperature "2" dt=30
//   water 4-5 level=40 gamma=9810
//
// The material as entered; the groups, each followed by its items on lines of
// their own (node numbers, node pairs "a-b", or element numbers); the region
// materials, naming the region as GroupLabel does; the temperature change of
// the model and of each region with its own; one line per edge load. The
// coefficient of thermal expansion (alpha=, last on a material line) and the
// model's temperature change are written only when they are not 0, so a
// model without them is written as before, byte for byte.
// Names are in double quotes, with \" and \\ for a quote and a backslash and
// \xHH for a control character. Reals are written in their shortest form that
// reads back exactly.
//
// A solid of revolution is "problem axisymmetric"; a part turning about its
// axis has "spin omega=…" (rad/s) after gravity, written only when it is not 0.
//
// A six-node model is written as version 2, "[Trivane 2]", with two more
// statements after gravity: "order 2", then "mid-side-nodes COUNT" followed by
// one line per element naming the nodes on its sides 1-2, 2-3 and 3-1. A
// section without them reads as a three-node model.
#include <string>

#include "io/text_buffer.h"
#include "model/model.h"

namespace trivane {

// The section for `model`, its version line first.
std::string WriteProblemSection(const Model& model);

// Reads what follows the element lines, from 0-based line `first` of `text`,
// into `model`, whose nodes and elements are already read. Blank lines alone
// leave the model's material and conditions as they are. A section sets the
// entered material and the element constants formed from it, and replaces the
// conditions. Anything else after the element lines, and any fault in the
// section (an unknown keyword, a number that does not read, a count its items
// do not fill, a node, element or region the model lacks, a material no
// elastic material has, a second load of one kind on one edge), throws
// LineError with the 1-based line; `model` may
// then be partly changed, and the caller drops it.
void ReadProblemSection(const TextBuffer& text, int first, Model& model);

}  // namespace trivane
