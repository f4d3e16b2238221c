// trivane-cli render, run as a user runs it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "support/tolerance.h"
#include "cli_runner.h"
#include "display/colour_scale.h"
#include "display/legend.h"
#include "io/problem_file.h"

namespace trivane {
namespace {

using testing::CliResult;
using testing::FileText;
using testing::RunCli;

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
  // Test cases run in parallel processes: each has a folder of its own. The
  // folder holds the models and the standard palette where the command looks first.
  void SetUp() override {
    folder_ = testing::TempPath("render");
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "plate.trv", std::ios::binary) << WriteProblem(*Plate(true));
    std::ofstream(folder_ / "free.trv", std::ios::binary) << WriteProblem(*Plate(false));
    std::ofstream(folder_ / "color.bmp", std::ios::binary) << EncodeBitmapRow(StressColourScale());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string In(const std::string& name) const { return (folder_ / name).string(); }
  CliResult RunHere(const std::vector<std::string>& args) const { return RunCli(args, folder_.string()); }

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
                                   "--component", "s1", "--size", "64x102", "--palette",
                                   testing::SourcePath("resources/color.bmp")});
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
  const CliResult result = RunHere({"render", "plate.trv", "-o", "stress.png", "--plot", "stress"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::set<QRgb> colours = Colours(QImage(QString::fromStdString(In("stress.png"))));
  EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 0, 255)}));
}

// Run from the build tree, where nothing is installed yet, the program finds
// the palette it ships with.
TEST_F(Render, StressPaletteFallsBackToTheShippedScale) {
  std::filesystem::remove(folder_ / "color.bmp");
  const CliResult result = RunHere({"render", "plate.trv", "-o", "stress.png", "--plot", "stress"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::set<QRgb> colours = Colours(QImage(QString::fromStdString(In("stress.png"))));
  EXPECT_TRUE(colours.count(Of(StressColourScale()[0])));
  EXPECT_TRUE(colours.count(Of(StressColourScale()[149])));
}

struct LegendCase {
  const char* name;
  std::vector<std::string> plot;
};

class RenderLegend : public Render, public ::testing::WithParamInterface<LegendCase> {};

// The legend widens the picture by its strip; the plot's pixels stay exactly
// those of the picture without it.
TEST_P(RenderLegend, WidensThePictureAndLeavesThePlotAsItIs) {
  std::vector<std::string> plain = {"render", "plate.trv", "-o", "plain.png", "--size", "400x300"};
  plain.insert(plain.end(), GetParam().plot.begin(), GetParam().plot.end());
  std::vector<std::string> legend = plain;
  legend[3] = "legend.png";
  legend.push_back("--legend");
  ASSERT_EQ(RunHere(plain).status, 0);
  const CliResult result = RunHere(legend);
  ASSERT_EQ(result.status, 0) << result.err;
  const QImage without(QString::fromStdString(In("plain.png")));
  const QImage with(QString::fromStdString(In("legend.png")));
  ASSERT_EQ(with.size(), QSize(400 + LegendWidth, 300));
  EXPECT_EQ(with.copy(0, 0, 400, 300), without);
  // Something is written or drawn in the strip.
  EXPECT_GT(Colours(with.copy(400, 0, LegendWidth, 300)).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Plots, RenderLegend,
                         ::testing::Values(LegendCase{"Stress", {"--plot", "stress", "--component", "s1"}},
                                           LegendCase{"Deformed", {"--plot", "deformed"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The colour bar runs from colour 0 at the top to colour 149 at the bottom.
TEST_F(Render, StressLegendBarRunsFromTheLargestToTheSmallestColour) {
  ASSERT_EQ(RunHere({"render", "plate.trv", "-o", "legend.png", "--plot", "stress", "--legend"}).status, 0);
  const QImage image(QString::fromStdString(In("legend.png")));
  const auto scale = StressColourScale();
  std::vector<QRgb> column;
  for (int y = 0; y < image.height(); ++y) column.push_back(image.pixel(1024 + 20, y) | 0xFF000000u);
  const auto first = std::find(column.begin(), column.end(), Of(scale[0]));
  const auto last = std::find(column.rbegin(), column.rend(), Of(scale[149]));
  ASSERT_NE(first, column.end());
  ASSERT_NE(last, column.rend());
  EXPECT_LT(first - column.begin(), column.rend() - last);
  EXPECT_TRUE(std::count(column.begin(), column.end(), Of(scale[74])) > 0);
}

struct ViewCase {
  const char* name;
  std::vector<std::string> options;
  bool white;  // outlines drawn
  bool black;  // background showing
};

class RenderView : public Render, public ::testing::WithParamInterface<ViewCase> {};

// The stress plot draws nothing white but the outlines. Zoomed far out the
// elements shrink below a few pixels and auto leaves their outlines out;
// --view 0,0,2,1 fills the picture with the plate.
TEST_P(RenderView, OutlinesFollowTheElementsSizeAndTheViewTheRectangle) {
  std::vector<std::string> args = {"render", "plate.trv", "-o", "v.png", "--plot", "stress", "--size", "400x200"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  const CliResult result = RunHere(args);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::set<QRgb> colours = Colours(QImage(QString::fromStdString(In("v.png"))));
  EXPECT_EQ(colours.count(qRgb(255, 255, 255)), GetParam().white ? 1u : 0u);
  EXPECT_EQ(colours.count(qRgb(0, 0, 0)), GetParam().black ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderView,
    ::testing::Values(ViewCase{"Fitted", {}, true, true}, ViewCase{"Off", {"--outlines", "off"}, false, true},
                      ViewCase{"FarOut", {"--view", "-50,-50,50,50"}, false, true},
                      ViewCase{"FarOutOn", {"--view", "-50,-50,50,50", "--outlines", "on"}, true, true},
                      ViewCase{"ThePlate", {"--view", "2,1,0,0", "--outlines", "off"}, false, false},
                      ViewCase{"SmoothThePlate", {"--view", "2,1,0,0", "--smooth"}, false, false},
                      ViewCase{"SmoothFarOut", {"--view", "-50,-50,50,50", "--smooth"}, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// line's samples name the field they hold, as the window's 路径图 saves them.
TEST_F(Render, LineNamesItsFieldInTheSamplesHeader) {
  for (const auto& [key, header] : {std::pair{"sx", "s,x,y,element,sx_element,sx_averaged\r\n"},
                                    std::pair{"mises", "s,x,y,element,mises_element,mises_averaged\r\n"}}) {
    const std::vector<std::string> args = {"line", "plate.trv", "--from", "0,0.5", "--to", "2,0.5",
                                           "--component", key, "-o", "l.csv"};
    ASSERT_EQ(RunHere(args).status, 0) << key;
    EXPECT_EQ(FileText(In("l.csv")).substr(0, std::string(header).size()), header);
  }
}

// -o names the format: PNG, JPEG or BMP, whatever the case of the extension.
TEST_F(Render, WritesTheFormatItsExtensionNames) {
  const std::pair<const char*, const char*> rows[] = {
      {"p.png", "\x89PNG"}, {"p.JPG", "\xFF\xD8\xFF"}, {"p.jpeg", "\xFF\xD8\xFF"}, {"p.bmp", "BM"}};
  for (const auto& [name, magic] : rows) {
    ASSERT_EQ(RunHere({"render", "plate.trv", "-o", name, "--size", "64x102"}).status, 0) << name;
    EXPECT_EQ(FileText(In(name)).rfind(magic, 0), 0u) << name;
  }
}

struct FailureCase {
  const char* name;
  std::vector<std::string> arguments;
  int status;
  std::string message;  // ending in a line break: all of stderr; otherwise how it starts
};

class RenderFails : public Render, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RenderFails, WithItsMessageAndNoPicture) {
  std::ofstream(In("old.png")) << "old";
  const CliResult result = RunHere(GetParam().arguments);
  EXPECT_EQ(result.status, GetParam().status);
  const std::string& message = GetParam().message;
  EXPECT_EQ(message.ends_with('\n') ? result.err : result.err.substr(0, message.size()), message);
  EXPECT_EQ(FileText(In("old.png")), "old");
}

// Rendering the loaded plate over old.png with these options.
std::vector<std::string> PlateWith(std::vector<std::string> options) {
  options.insert(options.begin(), {"render", "plate.trv", "-o", "old.png"});
  return options;
}

// A graph along a line draws values at the nodes: every field has them but
// the error, one value per element.
TEST_F(Render, LineTakesEveryFieldWithValuesAtTheNodes) {
  const std::vector<std::string> line = {"line", In("plate.trv"), "--from", "0,0.5", "--to", "2,0.5", "-o",
                                         In("line.csv"), "--component"};
  auto with = [&](const char* key) {
    std::vector<std::string> args = line;
    args.push_back(key);
    return RunCli(args);
  };
  const CliResult error = with("error");
  EXPECT_EQ(error.status, 2);
  EXPECT_EQ(error.err.substr(0, error.err.find('\n')),
            "trivane-cli line: --component is one of sx, sy, txy, s1, s2, tmax, mises, umag, stheta, not \"error\"");
  const CliResult umag = with("umag");
  ASSERT_EQ(umag.status, 0) << umag.err;
  EXPECT_EQ(FileText(In("line.csv")).substr(0, 42), "s,x,y,element,umag_element,umag_averaged\r\n");
}

// Plotting results of the unloaded plate, which has none to show.
std::vector<std::string> FreePlate(const std::string& plot) {
  return {"render", "free.trv", "-o", "old.png", "--plot", plot};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderFails,
    ::testing::Values(
        FailureCase{"NoOutput", {"render", "plate.trv"}, 2, "trivane-cli render: "},
        FailureCase{"UnknownPlot", PlateWith({"--plot", "mesh"}), 2, "trivane-cli render: --plot"},
        FailureCase{"UnknownComponent", PlateWith({"--plot", "stress", "--component", "vm"}), 2,
                    "trivane-cli render: --component"},
        FailureCase{"ComponentWithoutStress", PlateWith({"--component", "sx"}), 2, "trivane-cli render: --component"},
        FailureCase{"TooSmall", PlateWith({"--size", "63x102"}), 2, "trivane-cli render: --size"},
        FailureCase{"TooLarge", PlateWith({"--size", "4096x4097"}), 2, "trivane-cli render: --size"},
        FailureCase{"NotASize", PlateWith({"--size", "800"}), 2, "trivane-cli render: --size"},
        FailureCase{"NotNumbers", PlateWith({"--size", "8e2x600"}), 2, "trivane-cli render: --size"},
        FailureCase{"OtherFormat", {"render", "plate.trv", "-o", "old.gif"}, 2, "trivane-cli render: -o names a"},
        FailureCase{"UnknownOutlines", PlateWith({"--outlines", "thin"}), 2, "trivane-cli render: --outlines"},
        FailureCase{"ThreeCorners", PlateWith({"--view", "0,0,1"}), 2, "trivane-cli render: --view"},
        FailureCase{"FlatView", PlateWith({"--view", "0,1,2,1"}), 2, "trivane-cli render: --view"},
        FailureCase{"LegendOfTheModel", PlateWith({"--legend"}), 2, "trivane-cli render: --legend"},
        FailureCase{"NoDisplacement", FreePlate("deformed"), 1, "Floating point division by zero\n"},
        FailureCase{"PlaneStrainWithRatioMinusOne", PlateWith({"--plot", "stress", "--nu", "-1", "--plane-strain"}), 1,
                    "材料参数无效：泊松比μ必须大于-1\n"},
        FailureCase{"BadReal", PlateWith({"--E", "2e10x"}), 1, "'2e10x' is not a valid floating point value\n"},
        FailureCase{"MissingModel", {"render", "none.trv", "-o", "old.png"}, 1, "Cannot open file"},
        FailureCase{"MissingPalette", PlateWith({"--plot", "stress", "--palette", "/nonexistent/c.bmp"}), 1,
                    "Cannot open file \"/nonexistent/c.bmp\". No such file or directory\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
