// Writes the example problems into the directory given as the only argument,
// through the program's own problem-file writer; with --square-plate SIDE FILE,
// the large square plate of the benchmarks instead.
#include <exception>
#include <iostream>
#include <string>

#include "io/problem_file.h"
#include "meshes.h"

int main(int argc, char** argv) {
  const bool plate = argc == 4 && std::string(argv[1]) == "--square-plate";
  if (argc != 2 && !plate) {
    std::cerr << "usage: make_examples DIRECTORY | make_examples --square-plate SIDE FILE\n";
    return 2;
  }
  const std::string directory = argv[1];
  try {
    if (plate) {
      trivane::SaveProblemFile(argv[3], trivane::examples::SquarePlate(std::stoi(argv[2])));
      return 0;
    }
    trivane::SaveProblemFile(directory + "/cantilever.trv", trivane::examples::CantileverPlate(31, 7));
    trivane::SaveProblemFile(directory + "/plate-with-hole.trv", trivane::examples::PlateWithHole(16, 12));
    trivane::SaveProblemFile(directory + "/cook-membrane.trv", trivane::examples::CookMembrane(16));
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
