// trivane-cli render, run as a user runs it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "support/tolerance.h"
#include "cli_runner.h"
#include "display/colour_scale.h"
#include "io/problem_file.h"

namespace trivane {
namespace {

using testing::CliResult;
using testing::FileText;
using testing::RunCli;
using testing::ShellQuoted;

// A plate of 2 x 1 squares, each cut into two triangles, held at its left
// edge and pulled down at its right end: every element has its own stress.
std::unique_ptr<Model> Plate(bool loaded) {
  auto model = std::make_unique<Model>();
  const double xs[] = {0, 1, 2};
  int n = 0;
  for (const double y : {0.0, 1.0}) {
    for (const double x : xs) model->nodes[++n] = {x, y};
  }
  model->nodeCount = n;
  model->elements[1] = {1, 2, 5};
  model->elements[2] = {1, 5, 4};
  model->elements[3] = {2, 3, 6};
  model->elements[4] = {2, 6, 5};
  model->elementCount = 4;
  for (const int fixed : {1, 4}) model->nodes[fixed].restraint = FixedXY;
  if (loaded) {
    model->nodes[3].load = 1000;
    model->nodes[3].loadAngle = 270;
  }
  UpdateBounds(*model);
  return model;
}

class Render : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(::testing::TempDir()) / "trivane-render";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "plate.trv", std::ios::binary) << WriteProblem(*Plate(true));
    std::ofstream(folder_ / "free.trv", std::ios::binary) << WriteProblem(*Plate(false));
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string In(const std::string& name) const { return (folder_ / name).string(); }
  std::string Palette() const {
    return testing::SourcePath("resources/color.bmp");
  }

  // Runs the command from inside the test folder.
  CliResult RunHere(const std::string& arguments) const {
    const std::string out = In("run.out");
    const std::string err = In("run.err");
    const std::string command = "cd " + ShellQuoted(folder_.string()) + " && " + ShellQuoted(TRIVANE_CLI) + " " +
                                arguments + " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err);
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, FileText(out), FileText(err)};
  }

  std::filesystem::path folder_;
};

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000u);
  }
  return colours;
}

QRgb Of(Rgb c) { return qRgb(c.r, c.g, c.b); }

TEST_F(Render, ModelPictureAtTheDefaultSize) {
  const CliResult result = RunCli({"render", In("plate.trv"), "-o", In("model.png")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  QImage image(QString::fromStdString(In("model.png")));
  ASSERT_EQ(image.size(), QSize(1024, 640));
  const std::set<QRgb> colours = Colours(image);
  for (const QRgb c : {qRgb(0, 0, 0), qRgb(150, 150, 150), qRgb(255, 255, 255), qRgb(0, 255, 0), qRgb(255, 0, 0)}) {
    EXPECT_TRUE(colours.count(c)) << std::hex << c;
  }
  EXPECT_EQ(image.pixel(5, 5) | 0xFF000000u, qRgb(0, 0, 0));
}

TEST_F(Render, DeformedShapeHangsBelowTheModel) {
  ASSERT_EQ(RunCli({"render", In("plate.trv"), "-o", In("model.png"), "--size", "400x300"}).status, 0);
  ASSERT_EQ(RunCli({"render", In("plate.trv"), "-o", In("deformed.png"), "--plot", "deformed", "--size", "400x300"})
                .status,
            0);
  // The grey of the mesh reaches lower in the deformed picture.
  const auto lowestGrey = [](const QImage& image) {
    int lowest = -1;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if ((image.pixel(x, y) | 0xFF000000u) == qRgb(150, 150, 150)) lowest = y;
      }
    }
    return lowest;
  };
  const int undeformed = lowestGrey(QImage(QString::fromStdString(In("model.png"))));
  const int deformed = lowestGrey(QImage(QString::fromStdString(In("deformed.png"))));
  EXPECT_GT(deformed, undeformed + 30);
}

TEST_F(Render, StressPlotUsesBothEndsOfThePalette) {
  const CliResult result = RunCli({"render", In("plate.trv"), "-o", In("stress.png"), "--plot", "stress",
                                   "--component", "s1", "--size", "64x102", "--palette", Palette()});
  ASSERT_EQ(result.status, 0) << result.err;
  QImage image(QString::fromStdString(In("stress.png")));
  EXPECT_EQ(image.size(), QSize(64, 102));
  const auto scale = StressColourScale();
  const std::set<QRgb> colours = Colours(image);
  EXPECT_TRUE(colours.count(Of(scale[0])));
  EXPECT_TRUE(colours.count(Of(scale[149])));
  EXPECT_FALSE(colours.count(qRgb(150, 150, 150)));
}

TEST_F(Render, StressPaletteComesFromTheCurrentFolderFirst) {
  std::array<Rgb, PaletteSize> violet;
  violet.fill({128, 0, 255});
  std::ofstream(folder_ / "color.bmp", std::ios::binary) << EncodeBitmapRow(violet);
  const CliResult result = RunHere("render plate.trv -o stress.png --plot stress");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::set<QRgb> colours = Colours(QImage(QString::fromStdString(In("stress.png"))));
  EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 0, 255)}));
}

struct FailureCase {
  const char* name;
  std::string arguments;
  int status;
  std::string message;  // the start of stderr
};

class RenderFails : public Render, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RenderFails, WithItsMessageAndNoPicture) {
  std::ofstream(In("old.png")) << "old";
  const CliResult result = RunHere(GetParam().arguments);
  EXPECT_EQ(result.status, GetParam().status);
  EXPECT_EQ(result.err.substr(0, GetParam().message.size()), GetParam().message);
  EXPECT_EQ(FileText(In("old.png")), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderFails,
    ::testing::Values(
        FailureCase{"NoOutput", "render plate.trv", 2, "trivane-cli render: "},
        FailureCase{"UnknownPlot", "render plate.trv -o old.png --plot mesh", 2, "trivane-cli render: --plot"},
        FailureCase{"UnknownComponent", "render plate.trv -o old.png --plot stress --component vm", 2,
                    "trivane-cli render: --component"},
        FailureCase{"ComponentWithoutStress", "render plate.trv -o old.png --component sx", 2,
                    "trivane-cli render: --component"},
        FailureCase{"TooSmall", "render plate.trv -o old.png --size 63x102", 2, "trivane-cli render: --size"},
        FailureCase{"TooLarge", "render plate.trv -o old.png --size 4096x4097", 2, "trivane-cli render: --size"},
        FailureCase{"NotASize", "render plate.trv -o old.png --size 800", 2, "trivane-cli render: --size"},
        FailureCase{"NotNumbers", "render plate.trv -o old.png --size 8e2x600", 2, "trivane-cli render: --size"},
        FailureCase{"NoDisplacement", "render free.trv -o old.png --plot deformed", 1,
                    "Floating point division by zero\n"},
        FailureCase{"PlaneStrainWithRatioOne", "render plate.trv -o old.png --plot stress --nu 1 --plane-strain", 1,
                    "Floating point division by zero\n"},
        FailureCase{"BadReal", "render plate.trv -o old.png --E 2e10x", 1,
                    "'2e10x' is not a valid floating point value\n"},
        FailureCase{"MissingModel", "render none.trv -o old.png", 1, "Cannot open file"},
        FailureCase{"MissingPalette", "render plate.trv -o old.png --plot stress --palette /nonexistent/c.bmp", 1,
                    "Cannot open file \"/nonexistent/c.bmp\". No such file or directory\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Render, AllEqualStressesAreADivisionByZero) {
  std::ofstream(In("color.bmp"), std::ios::binary) << EncodeBitmapRow(StressColourScale());
  const CliResult result = RunHere("render free.trv -o s.png --plot stress");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Floating point division by zero\n");
  EXPECT_FALSE(std::filesystem::exists(In("s.png")));
}

TEST_F(Render, AFolderThatCannotHoldThePictureIsASaveFailure) {
  const CliResult result = RunCli({"render", In("plate.trv"), "-o", In("no/such/folder/p.png")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "File not found\n");
}

}  // namespace
}  // namespace trivane
