// trivane-cli mesh: a 2-D geometry script meshed into 3-node or 6-node
// triangles by the Gmsh library, written as a problem file or as the mesh file Gmsh writes.
#include <iostream>

#include "cli/cli_common.h"
#include "cli/gmsh_geometry.h"
#include "io/files.h"
#include "io/model_file.h"
#include "io/number_text.h"
#include "io/problem_file.h"

namespace trivane::cli {

int RunMesh(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {{"-o", "--size", "--order"}, {}, {}}, 1);
  if (!parsed.Has("-o")) throw UsageError("missing -o OUT.trv|OUT.msh");
  const std::string geometry = parsed.positional[0];
  const std::string out = parsed.Value("-o");
  const bool meshFile = HasExtension(out, ".msh");
  if (!meshFile && !HasExtension(out, ".trv")) throw UsageError("the output must be a .trv or .msh file");
  const double size = MeshSizeOption(parsed);
  const int32_t order = ElementOrderOption(parsed);

  GmshGeometry gmsh(geometry, order);
  gmsh.Generate(nullptr, size, parsed.Value("--size"));
  // The mesh goes through a file that Gmsh writes and our reader checks, so
  // that what is written holds only what the import would accept.
  const std::string bytes = gmsh.MeshFile();
  const Model model = ImportGeneratedMesh(bytes);
  if (meshFile)
    WriteFileAtomically(out, bytes);
  else
    SaveProblemFile(out, model);
  std::cout << out << ": " << FormatInteger(model.nodeCount) << " nodes, " << FormatInteger(model.elementCount)
            << " elements\n";
  return 0;
}

}  // namespace trivane::cli
