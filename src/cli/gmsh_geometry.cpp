#include "cli/gmsh_geometry.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "cli/gmsh_library.h"
#include "io/files.h"
#include "io/msh_import.h"
#include "model/errors.h"
#include "model/limits.h"

namespace trivane::cli {

namespace {

// Releases an array or a string the library handed out.
struct ReleasedByGmsh {
  void operator()(void* p) const { Gmsh().free(p); }
};

// The library's last error message, empty when it logged none since the
// logger was started.
std::string LastError() {
  char* text = nullptr;
  int failed = 0;
  Gmsh().loggerGetLastError(&text, &failed);
  const std::unique_ptr<char, ReleasedByGmsh> owned(text);
  return text ? std::string(text) : std::string();
}

using Message = std::string (*)(std::string_view);

// Calls a function of the library, which takes its error flag last; a failure
// becomes an Error made of the library's last error message.
template <typename... Parameters, typename... Arguments>
void Call(Message message, void (*function)(Parameters...), Arguments... arguments) {
  int failed = 0;
  function(arguments..., &failed);
  if (failed == 0) return;
  const std::string last = LastError();
  throw Error(message(last.empty() ? "Gmsh" : last));
}

void SetOption(const char* name, double value) { Call(messages::MeshingFailed, Gmsh().setNumber, name, value); }

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
  Call(messages::MeshingFailed, Gmsh().getBoundingBox, -1, -1, &xmin, &ymin, &zmin, &xmax, &ymax, &zmax);
  const double estimate = (xmax - xmin) * (ymax - ymin) / (0.433 * size * size);
  if (estimate > 10.0 * MaxElements) throw Error(messages::MeshSizeTooSmall(text, estimate));
}

// Gmsh's element types of the 3-node and the 6-node triangle.
constexpr int GmshTriangle = 2;
constexpr int GmshTriangle6 = 9;
constexpr int ThrowOnError = 2;  // General.AbortOnError as the library sets it

// The size callback: the value of the field Gmsh was given with it.
double SizeAt(int, int, double x, double y, double, void* lookup) {
  return static_cast<const SizeFieldLookup*>(lookup)->At(x, y);
}

}  // namespace

GmshGeometry::GmshGeometry(const std::string& path, int32_t order) : order_(order) {
  // The library takes a missing file for an empty geometry; say what it is.
  ReadFileBytes(path);
  const GmshLibrary& gmsh = Gmsh();
  // No configuration files: the same result on every machine.
  Call(messages::GeometryScriptError, gmsh.initialize, 0, nullptr, 0);
  try {
    SetOption("General.Terminal", 0);
    Call(messages::GeometryScriptError, gmsh.loggerStart);
    Call(messages::GeometryScriptError, gmsh.open, path.c_str());
    int failed = 0;
    const int dimension = gmsh.getDimension(&failed);
    if (failed) throw Error(messages::GeometryScriptError(LastError()));
    if (dimension == 3) throw Error(messages::GeometryIs3D);
    if (dimension < 2) throw Error(messages::GeometryHasNoSurface);
  } catch (...) {
    int ignored = 0;
    gmsh.finalize(&ignored);
    throw;
  }
}

GmshGeometry::~GmshGeometry() {
  int ignored = 0;
  Gmsh().finalize(&ignored);
}

std::vector<Group> GmshGeometry::Groups() const {
  int* dimensionsAndTags = nullptr;
  std::size_t count = 0;
  Call(messages::GeometryScriptError, Gmsh().getPhysicalGroups, &dimensionsAndTags, &count, -1);
  const std::unique_ptr<int, ReleasedByGmsh> owned(dimensionsAndTags);
  std::vector<Group> groups;
  for (std::size_t k = 0; k + 1 < count; k += 2) {
    const int dimension = dimensionsAndTags[k];
    const int tag = dimensionsAndTags[k + 1];
    if (dimension > 2) continue;
    Group group;
    group.kind = dimension == 0 ? GroupKind::Nodes : dimension == 1 ? GroupKind::Edges : GroupKind::Region;
    group.number = tag;
    char* name = nullptr;
    Call(messages::GeometryScriptError, Gmsh().getPhysicalName, dimension, tag, &name);
    const std::unique_ptr<char, ReleasedByGmsh> ownedName(name);
    if (name) group.name = name;
    groups.push_back(std::move(group));
  }
  return groups;
}

void GmshGeometry::Generate(const SizeField* field, double size, std::string_view sizeText) {
  Call(messages::MeshingFailed, Gmsh().meshClear, nullptr, 0);
  // Triangles of the order asked for, whatever the script asked for: the
  // mesh is made first order and raised after, below.
  SetOption("Mesh.ElementOrder", 1);
  SetOption("Mesh.RecombineAll", 0);
  if (field) {
    UseField(*field);
  } else if (size > 0.0) {
    CheckSizeAgainstTheLimit(size, sizeText);
    SetOption("Mesh.MeshSizeMax", size);
  }
  // Gmsh meshes the surfaces inside a parallel region, out of which its
  // exception on a surface it cannot mesh cannot pass: the process would
  // abort. Told not to throw, it logs the error and leaves the surface empty,
  // and its last error becomes ours.
  Call(messages::MeshingFailed, Gmsh().loggerStop);
  Call(messages::MeshingFailed, Gmsh().loggerStart);
  SetOption("General.AbortOnError", 0);
  Call(messages::MeshingFailed, Gmsh().meshGenerate, 2);
  SetOption("General.AbortOnError", ThrowOnError);
  const std::string last = LastError();
  if (!last.empty()) throw Error(messages::MeshingFailed(last));
  if (order_ == 2) {
    // A node on the middle of every side; on a curved boundary Gmsh puts it
    // on the curve, which is what makes a six-node mesh of a hole round.
    // A script may ask for straight sides, or for its own order: ours holds.
    SetOption("Mesh.SecondOrderLinear", 0);
    Call(messages::MeshingFailed, Gmsh().meshSetOrder, 2);
    // A side moved onto a curve that bends more than its element is deep
    // (a coarse mesh of a thin ring) folds the element over: its Jacobian
    // changes sign inside, and its stiffness would be wrong without any
    // sign of it. Gmsh's high-order optimiser moves the mid-side nodes
    // inside such elements until they are valid again, the boundary's
    // staying on the curve; elements that are valid already keep their
    // nodes.
    Call(messages::MeshingFailed, Gmsh().meshOptimize, "HighOrder", 0, 1, nullptr, std::size_t{0});
  }
}

// The field goes to Gmsh as its size callback, the one source of sizes of
// the next mesh: those Gmsh would take from the script's points, from
// curvature and from the boundary inwards are turned off, since it takes the
// smallest of all. A post-processing view of the last mesh would serve as well
// inside the mesh, but Gmsh gives a point outside every triangle of a view no
// size at all, and a convex arc of the geometry, which bulges past the
// straight sides of the last mesh, would then be meshed as one element.
void GmshGeometry::UseField(const SizeField& field) {
  auto lookup = std::make_unique<SizeFieldLookup>(field);
  Call(messages::MeshingFailed, Gmsh().meshSetSizeCallback, &SizeAt, static_cast<void*>(lookup.get()));
  lookup_ = std::move(lookup);  // the field Gmsh was given before is no longer asked
  SetOption("Mesh.MeshSizeExtendFromBoundary", 0);
  SetOption("Mesh.MeshSizeFromPoints", 0);
  SetOption("Mesh.MeshSizeFromCurvature", 0);
  SetOption("Mesh.MeshSizeMax", 1e22);  // Gmsh's own default: a first mesh's --size no longer holds
}

int64_t GmshGeometry::NodeCount() const {
  std::size_t *elements = nullptr, *nodes = nullptr;
  std::size_t elementCount = 0, nodeCount = 0;
  Call(messages::MeshingFailed, Gmsh().meshGetElementsByType, order_ == 2 ? GmshTriangle6 : GmshTriangle, &elements, &elementCount, &nodes,
       &nodeCount, -1, 0, 1);
  const std::unique_ptr<std::size_t, ReleasedByGmsh> ownedElements(elements), ownedNodes(nodes);
  std::sort(nodes, nodes + nodeCount);
  return std::unique(nodes, nodes + nodeCount) - nodes;
}

std::string GmshGeometry::MeshFile() const {
  const TemporaryFile written(".msh");
  Call(messages::MeshingFailed, Gmsh().write, written.path().c_str());
  return ReadFileBytes(written.path());
}

double MeshSizeOption(const Arguments& parsed) {
  const double size = RealOption(parsed, "--size", 0.0);
  if (parsed.Has("--size") && !(size > 0.0)) throw Error(messages::MeshSizeNotPositive(parsed.Value("--size")));
  return size;
}

int32_t ElementOrderOption(const Arguments& parsed) {
  if (!parsed.Has("--order")) return 1;
  const std::string& text = parsed.Value("--order");
  if (text != "1" && text != "2") throw Error(messages::ElementOrderInvalid(text));
  return text == "1" ? 1 : 2;
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
