// trivane-cli: the model files and the analysis from the command line.
#include <array>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "model/errors.h"

namespace {

using trivane::cli::CommandFunction;
using trivane::cli::ComponentChoice;
using trivane::cli::ComponentKeys;

struct Command {
  std::string_view name;
  CommandFunction run;
  std::string usage;  // the arguments after the name
};

// One line per command.
const std::array Commands{
    Command{"info", trivane::cli::RunInfo, "FILE [--json]"},
    Command{"convert", trivane::cli::RunConvert, "IN -o OUT.trv [MODEL OPTIONS]"},
    Command{"render", trivane::cli::RunRender,
            "MODEL -o PICTURE.png|.jpg|.bmp [--plot model|deformed|stress] [--component " +
                ComponentKeys(ComponentChoice::AnyField, "|") +
                "] [--smooth] [--principal] [--scale auto|N] "
                "[--legend] [--size WxH] [--view X1,Y1,X2,Y2] [--outlines auto|on|off] [--palette FILE] "
            "[--solver auto|gauss-jordan|cholesky] [--recovery patch|average] [MODEL OPTIONS]"},
    Command{"line", trivane::cli::RunLine,
            "MODEL --from X1,Y1 --to X2,Y2 -o OUT.csv|OUT.png [--points N] [--component " +
                ComponentKeys(ComponentChoice::AveragedField, "|") +
                "] [--size WxH] [--solver auto|gauss-jordan|cholesky] "
            "[--recovery patch|average] [MODEL OPTIONS]"},
    Command{"solve", trivane::cli::RunSolve,
            "FILE [--solver auto|gauss-jordan|cholesky] [--recovery patch|average] [--json] [MODEL OPTIONS]"},
    Command{"export", trivane::cli::RunExport,
            "MODEL -o OUT.vtu|OUT.csv [--solver auto|gauss-jordan|cholesky] [--recovery patch|average] [MODEL OPTIONS]"},
    Command{"mesh", trivane::cli::RunMesh, "GEOMETRY.geo -o OUT.trv|OUT.msh [--size H] [--order 1|2]"},
    Command{"adapt", trivane::cli::RunAdapt,
            "GEOMETRY.geo -o OUT.trv|OUT.msh|OUT.vtu [--target PERCENT] [--peak-target PERCENT] [--max-nodes N] "
            "[--steps K] [--size H] [--order 1|2] "
            "[--solver auto|gauss-jordan|cholesky] [--recovery patch|average] [--json] [MODEL OPTIONS]"},
};

void PrintModelOptions(std::ostream& out) {
  out << "MODEL OPTIONS, applied to the model after it is read:\n  " << trivane::cli::ModelOptionsUsage << "\n"
      << "  --E, --nu, --t and the problem type replace the file's own; what is not given stays as the file has it.\n"
      << "  The others may repeat and apply in the order given; GROUP is a physical group's name or number.\n"
      << "  --support sets the restraint of every node of the group (x fixes u, y fixes v, xy both).\n"
      << "  --pressure (pushing into the body), --water and --traction load an edge group, per unit area;\n"
      << "  --force adds (FX, FY) to every node of a node group; --gravity is the acceleration of the mass;\n"
      << "  --region gives a region its own material (RHO or ALPHA left out: the model's);\n"
      << "  --alpha is the expansion per kelvin; --temperature DT warms the model, REGION=DT one region.\n"
      << "  --axisymmetric takes x as the radius r and y as the axis z of a solid of revolution: loads are\n"
      << "  totals round the circumference, nodes at x = 0 are held radially, t is not read;\n"
      << "  --spin turns it about its axis at OMEGA rad/s.\n";
}

void PrintUsage(std::ostream& out) {
  out << "usage:\n";
  for (const Command& c : Commands) out << "  trivane-cli " << c.name << " " << c.usage << "\n";
  PrintModelOptions(out);
  out << "FILE, IN and MODEL are problem files (.trv), ASCII scene export meshes (.ase) or Gmsh meshes (.msh).\n"
      << "export writes OUT.vtu for ParaView, or OUT.csv (nodes) with OUT_elements.csv (elements).\n"
      << "adapt meshes GEOMETRY.geo, solves and meshes again where the estimated error is largest, until the\n"
      << "  error is at most PERCENT (5), the next mesh would pass N nodes (99999) or K rounds (8) are done;\n"
      << "  H sizes the first mesh; MODEL OPTIONS name the geometry's physical groups; --peak-target also\n"
      << "  refines until the peak von Mises settles within its PERCENT.\n"
      << "--order 2 meshes six-node triangles (mid-side nodes on curved boundaries on the curve).\n"
      << "--recovery average takes the nodal stresses as area-weighted means instead of by patch recovery.\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (args.empty()) {
    PrintUsage(std::cerr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(std::cout);
    return 0;
  }
  for (const Command& command : Commands) {
    if (command.name != args[0]) continue;
    try {
      return command.run(std::span(args).subspan(1));
    } catch (const trivane::cli::UsageError& e) {
      std::cerr << "trivane-cli " << command.name << ": " << e.what() << "\n"
                << "usage: trivane-cli " << command.name << " " << command.usage << "\n";
      if (command.usage.ends_with("[MODEL OPTIONS]")) PrintModelOptions(std::cerr);
      return 2;
    } catch (const std::exception& e) {
      std::cout.flush();
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "trivane-cli: unknown command " << args[0] << "\n";
  PrintUsage(std::cerr);
  return 2;
}
