// trivane-cli mesh: a 2-D geometry script meshed into 3-node triangles by the
// Gmsh library, written as a problem file or as the mesh file Gmsh writes.
#include <gmsh.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/cli_common.h"
#include "io/files.h"
#include "io/model_file.h"
#include "io/msh_import.h"
#include "io/number_text.h"
#include "io/problem_file.h"
#include "model/errors.h"
#include "model/limits.h"

namespace trivane::cli {

namespace {

// The library for the time of one command: quiet on the terminal, its
// messages kept so that a failure can be reported with Gmsh's own words.
class GmshLibrary {
 public:
  GmshLibrary() {
    gmsh::initialize(0, nullptr, false);  // no configuration files: the same result on every machine
    gmsh::option::setNumber("General.Terminal", 0);
    gmsh::logger::start();
  }
  ~GmshLibrary() { gmsh::finalize(); }
  GmshLibrary(const GmshLibrary&) = delete;
  GmshLibrary& operator=(const GmshLibrary&) = delete;

  // Runs step(); whatever the library throws (it throws no std::exception
  // when a script is wrong) becomes an Error made of its last error message.
  template <typename Step>
  void Run(Step step, std::string (*message)(std::string_view)) {
    try {
      step();
    } catch (...) {
      std::string last;
      gmsh::logger::getLastError(last);
      throw Error(message(last.empty() ? "Gmsh" : last));
    }
  }
};

// A file of this process in the temporary folder, removed however the
// command ends, so that nothing is left behind when it fails.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string_view extension)
      : path_((std::filesystem::temp_directory_path() /
               ("trivane-mesh-" + std::to_string(::getpid()) + std::string(extension)))
                  .string()) {}
  ~TemporaryFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

double SizeOption(const Arguments& parsed) {
  const double size = RealOption(parsed, "--size", 0.0);
  if (parsed.Has("--size") && !(size > 0.0)) throw Error(messages::MeshSizeNotPositive(parsed.Value("--size")));
  return size;
}

// Gmsh would spend minutes and gigabytes on a size typed a few digits too
// small before the mesh could be refused. Triangles of side `size` fill the
// geometry's bounding box about box / (0.433 size^2) times; a size that gives
// ten times the limit is refused before meshing. A box can be much larger
// than the geometry, hence the generous factor.
void CheckSizeAgainstTheLimit(double size, std::string_view text) {
  double xmin, ymin, zmin, xmax, ymax, zmax;
  gmsh::model::getBoundingBox(-1, -1, xmin, ymin, zmin, xmax, ymax, zmax);
  const double estimate = (xmax - xmin) * (ymax - ymin) / (0.433 * size * size);
  if (estimate > 10.0 * MaxElements) throw Error(messages::MeshSizeTooSmall(text, estimate));
}

}  // namespace

int RunMesh(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {{"-o", "--size"}, {}, {}}, 1);
  if (!parsed.Has("-o")) throw UsageError("missing -o OUT.trv|OUT.msh");
  const std::string geometry = parsed.positional[0];
  const std::string out = parsed.Value("-o");
  const bool meshFile = HasExtension(out, ".msh");
  if (!meshFile && !HasExtension(out, ".trv")) throw UsageError("the output must be a .trv or .msh file");
  const double size = SizeOption(parsed);
  // The library takes a missing file for an empty geometry; say what it is.
  ReadFileBytes(geometry);

  GmshLibrary gmsh;
  gmsh.Run([&] { gmsh::open(geometry); }, messages::GeometryScriptError);
  const int dimension = gmsh::model::getDimension();
  if (dimension == 3) throw Error(messages::GeometryIs3D);
  if (dimension < 2) throw Error(messages::GeometryHasNoSurface);
  // The model takes 3-node triangles only, whatever the script asked for.
  gmsh::option::setNumber("Mesh.ElementOrder", 1);
  gmsh::option::setNumber("Mesh.RecombineAll", 0);
  if (size > 0.0) {
    CheckSizeAgainstTheLimit(size, parsed.Value("--size"));
    gmsh::option::setNumber("Mesh.MeshSizeMax", size);
  }
  gmsh.Run([] { gmsh::model::mesh::generate(2); }, messages::MeshingFailed);

  // The mesh goes through a file that Gmsh writes and our reader checks, so
  // that what is written holds only what the import would accept.
  const TemporaryFile written(".msh");
  gmsh.Run([&] { gmsh::write(written.path()); }, messages::MeshingFailed);
  const std::string bytes = ReadFileBytes(written.path());
  Model model;
  try {
    model = ImportMsh(bytes, Model{});
  } catch (const Error& e) {
    throw Error(e.what());  // a line of a temporary file would mean nothing to the user
  }
  if (meshFile)
    WriteFileAtomically(out, bytes);
  else
    SaveProblemFile(out, model);
  std::cout << out << ": " << FormatInteger(model.nodeCount) << " nodes, " << FormatInteger(model.elementCount)
            << " elements\n";
  return 0;
}

}  // namespace trivane::cli
