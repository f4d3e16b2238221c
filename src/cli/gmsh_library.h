#pragma once
// The functions of the Gmsh library that `mesh` and `adapt` call, found in the
// library the first time one of them is needed. Linked into the program, the
// library (with its CAD kernel and graphics libraries) would cost every
// command a tenth of a second and more of start-up, and a machine without it
// could run none; loaded here, only meshing pays, and only meshing needs it.
//
// The binding is to Gmsh's C API: its functions have plain names that dlsym
// finds as they are, report failure by an error flag instead of a C++
// exception crossing into our code, and hand out arrays and strings that
// gmshFree releases. The C++ API would have to be found by mangled names and
// would pass std::vector, std::string and std::function across a boundary
// that no compiler checks.
#include <gmshc.h>

#include <string>

namespace trivane::cli {

// Each pointer has the type the header declares, so the compiler checks every
// call against the library version the program is built for.
struct GmshLibrary {
  decltype(&::gmshFree) free;
  decltype(&::gmshInitialize) initialize;
  decltype(&::gmshFinalize) finalize;
  decltype(&::gmshOpen) open;
  decltype(&::gmshWrite) write;
  decltype(&::gmshOptionSetNumber) setNumber;
  decltype(&::gmshLoggerStart) loggerStart;
  decltype(&::gmshLoggerStop) loggerStop;
  decltype(&::gmshLoggerGetLastError) loggerGetLastError;
  decltype(&::gmshModelGetDimension) getDimension;
  decltype(&::gmshModelGetBoundingBox) getBoundingBox;
  decltype(&::gmshModelGetPhysicalGroups) getPhysicalGroups;
  decltype(&::gmshModelGetPhysicalName) getPhysicalName;
  decltype(&::gmshModelMeshClear) meshClear;
  decltype(&::gmshModelMeshGenerate) meshGenerate;
  decltype(&::gmshModelMeshSetOrder) meshSetOrder;
  decltype(&::gmshModelMeshOptimize) meshOptimize;
  decltype(&::gmshModelMeshSetSizeCallback) meshSetSizeCallback;
  decltype(&::gmshModelMeshGetElementsByType) meshGetElementsByType;
};

// The file name the dynamic loader knows the library by (Debian's
// libgmsh.so.MAJOR.MINOR), of the version whose header the program is built
// against: another version may declare the same functions differently.
std::string GmshLibraryName();

// The library of that name, loaded on the first call and kept for the life of
// the process. Throws Error when it is not installed or lacks a function.
const GmshLibrary& Gmsh();

// Loads the library of any file name, as Gmsh() does its own; throws the same
// errors.
GmshLibrary LoadGmshLibrary(const std::string& fileName);

}  // namespace trivane::cli
