#include "cli/gmsh_geometry.h"

#include <gmsh.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "io/files.h"
#include "io/msh_import.h"
#include "model/errors.h"
#include "model/limits.h"

namespace trivane::cli {

namespace {

// Runs step(); whatever the library throws (it throws no std::exception when
// a script is wrong) becomes an Error made of its last error message.
template <typename Step>
void RunGmsh(Step step, std::string (*message)(std::string_view)) {
  try {
    step();
  } catch (...) {
    std::string last;
    gmsh::logger::getLastError(last);
    throw Error(message(last.empty() ? "Gmsh" : last));
  }
}

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

constexpr int GmshTriangle = 2;  // Gmsh's element type of the 3-node triangle
constexpr int ThrowOnError = 2;  // General.AbortOnError as the library sets it

}  // namespace

GmshGeometry::GmshGeometry(const std::string& path) {
  // The library takes a missing file for an empty geometry; say what it is.
  ReadFileBytes(path);
  gmsh::initialize(0, nullptr, false);  // no configuration files: the same result on every machine
  try {
    gmsh::option::setNumber("General.Terminal", 0);
    gmsh::logger::start();
    RunGmsh([&] { gmsh::open(path); }, messages::GeometryScriptError);
    const int dimension = gmsh::model::getDimension();
    if (dimension == 3) throw Error(messages::GeometryIs3D);
    if (dimension < 2) throw Error(messages::GeometryHasNoSurface);
  } catch (...) {
    gmsh::finalize();
    throw;
  }
}

GmshGeometry::~GmshGeometry() { gmsh::finalize(); }

std::vector<Group> GmshGeometry::Groups() const {
  gmsh::vectorpair physical;
  gmsh::model::getPhysicalGroups(physical);
  std::vector<Group> groups;
  for (const auto& [dimension, tag] : physical) {
    if (dimension > 2) continue;
    Group group;
    group.kind = dimension == 0 ? GroupKind::Nodes : dimension == 1 ? GroupKind::Edges : GroupKind::Region;
    group.number = tag;
    gmsh::model::getPhysicalName(dimension, tag, group.name);
    groups.push_back(std::move(group));
  }
  return groups;
}

void GmshGeometry::Generate(const SizeField* field, double size, std::string_view sizeText) {
  RunGmsh([] { gmsh::model::mesh::clear(); }, messages::MeshingFailed);
  // The model takes 3-node triangles only, whatever the script asked for.
  gmsh::option::setNumber("Mesh.ElementOrder", 1);
  gmsh::option::setNumber("Mesh.RecombineAll", 0);
  if (field) {
    UseField(*field);
  } else if (size > 0.0) {
    CheckSizeAgainstTheLimit(size, sizeText);
    gmsh::option::setNumber("Mesh.MeshSizeMax", size);
  }
  // Gmsh meshes the surfaces inside a parallel region, out of which its
  // exception on a surface it cannot mesh cannot pass: the process would
  // abort. Told not to throw, it logs the error and leaves the surface empty,
  // and its last error becomes ours.
  gmsh::logger::stop();
  gmsh::logger::start();
  gmsh::option::setNumber("General.AbortOnError", 0);
  RunGmsh([] { gmsh::model::mesh::generate(2); }, messages::MeshingFailed);
  gmsh::option::setNumber("General.AbortOnError", ThrowOnError);
  std::string last;
  gmsh::logger::getLastError(last);
  if (!last.empty()) throw Error(messages::MeshingFailed(last));
}

// The field goes to Gmsh as its size callback, the one source of sizes of
// the next mesh: those Gmsh would take from the script's points, from
// curvature and from the boundary inwards are turned off, since it takes the
// smallest of all. A post-processing view of the last mesh would serve as well
// inside the mesh, but Gmsh gives a point outside every triangle of a view no
// size at all, and a convex arc of the geometry, which bulges past the
// straight sides of the last mesh, would then be meshed as one element.
void GmshGeometry::UseField(const SizeField& field) {
  auto lookup = std::make_shared<const SizeFieldLookup>(field);
  RunGmsh(
      [&] {
        gmsh::model::mesh::setSizeCallback(
            [lookup](int, int, double x, double y, double) { return lookup->At(x, y); });
      },
      messages::MeshingFailed);
  gmsh::option::setNumber("Mesh.MeshSizeExtendFromBoundary", 0);
  gmsh::option::setNumber("Mesh.MeshSizeFromPoints", 0);
  gmsh::option::setNumber("Mesh.MeshSizeFromCurvature", 0);
  gmsh::option::setNumber("Mesh.MeshSizeMax", 1e22);  // Gmsh's own default: a first mesh's --size no longer holds
}

int64_t GmshGeometry::NodeCount() const {
  std::vector<std::size_t> elements, nodes;
  gmsh::model::mesh::getElementsByType(GmshTriangle, elements, nodes);
  std::sort(nodes.begin(), nodes.end());
  return std::unique(nodes.begin(), nodes.end()) - nodes.begin();
}

std::string GmshGeometry::MeshFile() const {
  const TemporaryFile written(".msh");
  RunGmsh([&] { gmsh::write(written.path()); }, messages::MeshingFailed);
  return ReadFileBytes(written.path());
}

double MeshSizeOption(const Arguments& parsed) {
  const double size = RealOption(parsed, "--size", 0.0);
  if (parsed.Has("--size") && !(size > 0.0)) throw Error(messages::MeshSizeNotPositive(parsed.Value("--size")));
  return size;
}

Model ImportGeneratedMesh(const std::string& bytes) {
  try {
    return ImportMsh(bytes, Model{});
  } catch (const Error& e) {
    throw Error(e.what());
  }
}

std::optional<Model> GmshMesher::Mesh(const SizeField* field, int32_t maxNodes) {
  geometry_.Generate(field, size_, sizeText_);
  lastNodes_ = geometry_.NodeCount();
  if (lastNodes_ > maxNodes) return std::nullopt;
  std::string file = geometry_.MeshFile();
  Model model = ImportGeneratedMesh(file);
  file_ = std::move(file);
  return model;
}

}  // namespace trivane::cli
