#include "cli/gmsh_library.h"

#include <dlfcn.h>

#include "model/errors.h"

// The header gives the version as numbers; the name is made of their text.
#define TRIVANE_GMSH_SONAME_OF(major, minor) "libgmsh.so." #major "." #minor
#define TRIVANE_GMSH_SONAME(major, minor) TRIVANE_GMSH_SONAME_OF(major, minor)

namespace trivane::cli {

namespace {

template <typename Function>
void Find(void* handle, const std::string& fileName, const char* name, Function& function) {
  void* address = ::dlsym(handle, name);
  if (!address) throw Error(messages::GmshFunctionMissing(fileName, name));
  function = reinterpret_cast<Function>(address);
}

}  // namespace

std::string GmshLibraryName() { return TRIVANE_GMSH_SONAME(GMSH_API_VERSION_MAJOR, GMSH_API_VERSION_MINOR); }

GmshLibrary LoadGmshLibrary(const std::string& fileName) {
  // RTLD_NOW: a library that lacks something it needs is refused here, not
  // in the middle of a mesh. RTLD_LOCAL: its names do not stand in for ours.
  // The handle is never closed: the library keeps threads and static objects
  // of its own until the process ends, which a meshing command soon does.
  void* handle = ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = ::dlerror();
    throw Error(messages::GmshLibraryMissing(fileName, reason ? reason : ""));
  }
  GmshLibrary gmsh;
  Find(handle, fileName, "gmshFree", gmsh.free);
  Find(handle, fileName, "gmshInitialize", gmsh.initialize);
  Find(handle, fileName, "gmshFinalize", gmsh.finalize);
  Find(handle, fileName, "gmshOpen", gmsh.open);
  Find(handle, fileName, "gmshWrite", gmsh.write);
  Find(handle, fileName, "gmshOptionSetNumber", gmsh.setNumber);
  Find(handle, fileName, "gmshLoggerStart", gmsh.loggerStart);
  Find(handle, fileName, "gmshLoggerStop", gmsh.loggerStop);
  Find(handle, fileName, "gmshLoggerGetLastError", gmsh.loggerGetLastError);
  Find(handle, fileName, "gmshModelGetDimension", gmsh.getDimension);
  Find(handle, fileName, "gmshModelGetBoundingBox", gmsh.getBoundingBox);
  Find(handle, fileName, "gmshModelGetPhysicalGroups", gmsh.getPhysicalGroups);
  Find(handle, fileName, "gmshModelGetPhysicalName", gmsh.getPhysicalName);
  Find(handle, fileName, "gmshModelMeshClear", gmsh.meshClear);
  Find(handle, fileName, "gmshModelMeshGenerate", gmsh.meshGenerate);
  Find(handle, fileName, "gmshModelMeshSetOrder", gmsh.meshSetOrder);
  Find(handle, fileName, "gmshModelMeshOptimize", gmsh.meshOptimize);
  Find(handle, fileName, "gmshModelMeshSetSizeCallback", gmsh.meshSetSizeCallback);
  Find(handle, fileName, "gmshModelMeshGetElementsByType", gmsh.meshGetElementsByType);
  return gmsh;
}

const GmshLibrary& Gmsh() {
  // A failed load throws out of the initialisation, which the next call tries again.
  static const GmshLibrary gmsh = LoadGmshLibrary(GmshLibraryName());
  return gmsh;
}

}  // namespace trivane::cli
