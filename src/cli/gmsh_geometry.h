#pragma once
// A geometry script opened in the Gmsh library and meshed into 3-node or
// 6-node triangles, as often as a command asks: with the script's own sizes, or
// following a size field over the last mesh. The library is loaded when the
// first geometry is opened (gmsh_library.h).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/adaptivity/adaptive_meshing.h"
#include "cli/cli_common.h"
#include "model/conditions.h"
#include "model/model.h"

namespace trivane::cli {

class GmshGeometry {
 public:
  // Opens the script, to be meshed into triangles of `order` (1: 3-node, 2:
  // 6-node) whatever the script asks for (the library's session lives as
  // long as this object, and only one may live at a time). Throws Error for
  // a missing file, a missing Gmsh library, a script Gmsh refuses (with
  // Gmsh's words), a 3-D geometry or one without a surface.
  explicit GmshGeometry(const std::string& path, int32_t order = 1);
  ~GmshGeometry();
  GmshGeometry(const GmshGeometry&) = delete;
  GmshGeometry& operator=(const GmshGeometry&) = delete;

  // The physical groups the script defines, by kind, number and name, without
  // members: what flags naming groups can be checked against before meshing.
  std::vector<Group> Groups() const;

  // Meshes the geometry again, replacing the last mesh. Without a field, with
  // the script's own sizes, none larger than `size` when it is above 0
  // (`sizeText` is how the user typed it); a size that would give far more
  // elements than the program takes is refused first. With a field, with its
  // sizes alone. Throws Error with Gmsh's reason when meshing fails.
  void Generate(const SizeField* field, double size = 0.0, std::string_view sizeText = {});

  // How many nodes the triangles of the last mesh use, mid-side nodes included.
  int64_t NodeCount() const;

  // The last mesh as Gmsh writes it (.msh 4.1), with the physical groups.
  std::string MeshFile() const;

 private:
  void UseField(const SizeField& field);

  // The field the library's size callback reads, kept until the next one
  // replaces it or the library's session ends.
  std::unique_ptr<SizeFieldLookup> lookup_;
  int32_t order_;
};

// The largest element size of --size (0 when it is not given); a size not
// above 0 throws Error.
double MeshSizeOption(const Arguments& parsed);

// The element order of --order: 1 (the default) or 2; any other value throws
// Error.
int32_t ElementOrderOption(const Arguments& parsed);

// The model of a mesh file GmshGeometry wrote; a reader's error would name a
// line of a file the user never saw, so it is given without it.
Model ImportGeneratedMesh(const std::string& bytes);

// The adaptive loop's mesher: the first mesh with the script's own sizes (and
// `size`, as GmshGeometry::Generate), every later one following the field.
class GmshMesher final : public Mesher {
 public:
  GmshMesher(GmshGeometry& geometry, double size, std::string sizeText)
      : geometry_(geometry), size_(size), sizeText_(std::move(sizeText)) {}
  std::optional<Model> Mesh(const SizeField* field, int32_t maxNodes) override;
  int64_t LastNodeCount() const override { return lastNodes_; }
  // The mesh file of the last mesh returned.
  const std::string& MeshFile() const { return file_; }

 private:
  GmshGeometry& geometry_;
  double size_;
  std::string sizeText_;
  std::string file_;
  int64_t lastNodes_ = 0;
};

}  // namespace trivane::cli
