// Random models and random edit sequences through the command layer. Two
// promises are checked after every command: a command that fails leaves the
// model, the selection, the view, the picture and the plotted results exactly
// as they were, bit for bit; and a model that was saved opens again as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/compute.h"
#include "fakes.h"
#include "io/files.h"
#include "io/number_text.h"
#include "io/problem_file.h"
#include "model/errors.h"

namespace trivane::testing {
namespace {

// Records compared with memcmp must hold no padding.
static_assert(sizeof(Node) == 40 && sizeof(Element) == 12 && sizeof(ModelBounds) == 32 &&
              sizeof(Material) == 24);

template <typename T>
bool SameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Everything a failing command must leave alone, whole tables included.
struct Snapshot {
  std::unique_ptr<Model> model;
  Selection selection;
  ViewTransform view;
  std::vector<double> displacements;
  std::vector<double> stresses;
  size_t drawn = 0;
};

Snapshot Take(const Harness& h) {
  Snapshot s{std::make_unique<Model>(h.session.model()), h.session.selection(), h.session.view(), {}, {}, 0};
  if (h.session.HasResults()) {
    s.displacements = h.session.solution().displacements;
    for (int32_t k = 1; k <= StressComponentCount; ++k) {
      const auto values = StressValues(h.session.solution(), k);
      s.stresses.insert(s.stresses.end(), values.begin(), values.end());
    }
  }
  s.drawn = h.canvas.Calls().size();
  return s;
}

::testing::AssertionResult Unchanged(const Snapshot& before, const Snapshot& after) {
  const Model& a = *before.model;
  const Model& b = *after.model;
  if (a.nodeCount != b.nodeCount || a.elementCount != b.elementCount) {
    return ::testing::AssertionFailure() << "counts changed";
  }
  // Entries never written read as defaults, so the larger table's entries cover all.
  const auto nodes = static_cast<int32_t>(std::max(a.nodes.Stored(), b.nodes.Stored()));
  const auto elements = static_cast<int32_t>(std::max(a.elements.Stored(), b.elements.Stored()));
  for (int32_t k = 1; k < nodes; ++k) {
    if (!SameBits(a.nodes[k], b.nodes[k])) return ::testing::AssertionFailure() << "node " << k << " changed";
  }
  for (int32_t j = 1; j < elements; ++j) {
    if (!SameBits(a.elements[j], b.elements[j])) return ::testing::AssertionFailure() << "element " << j << " changed";
  }
  if (!SameBits(a.bounds, b.bounds)) return ::testing::AssertionFailure() << "bounds changed";
  if (!SameBits(a.material, b.material)) return ::testing::AssertionFailure() << "material changed";
  if (before.selection.count != after.selection.count) return ::testing::AssertionFailure() << "selection changed";
  for (int32_t k = 1; k <= before.selection.count; ++k)
    if (before.selection.nodes[k] != after.selection.nodes[k]) return ::testing::AssertionFailure() << "selection changed";
  if (!(before.view == after.view)) return ::testing::AssertionFailure() << "view changed";
  // Bit for bit, signed zeros included; a model without results has none.
  const auto sameBits = [](const auto& x, const auto& y) {
    return x.size() == y.size() && (x.empty() || std::memcmp(x.data(), y.data(), x.size() * 8) == 0);
  };
  if (!sameBits(before.displacements, after.displacements))
    return ::testing::AssertionFailure() << "displacements changed";
  if (!sameBits(before.stresses, after.stresses)) return ::testing::AssertionFailure() << "stresses changed";
  if (before.drawn != after.drawn) return ::testing::AssertionFailure() << "something was drawn";
  return ::testing::AssertionSuccess();
}

int Pick(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
bool Chance(std::mt19937& rng, double p) { return std::bernoulli_distribution(p)(rng); }

// A real as a user or a file writes it: at most 15 significant digits, so it
// survives saving and reopening exactly.
std::string RealText(std::mt19937& rng) {
  const long long mantissa = std::uniform_int_distribution<long long>(-999'999'999'999'999, 999'999'999'999'999)(rng);
  switch (Pick(rng, 0, 2)) {
    case 0:
      return FormatInteger(Pick(rng, -2000, 2000));
    case 1:
      return FormatInteger(mantissa) + "E" + FormatInteger(Pick(rng, -30, 15));
    default:
      return FormatInteger(Pick(rng, -99, 99)) + "." + FormatInteger(Pick(rng, 0, 9999));
  }
}
double RandomReal(std::mt19937& rng) { return ReadReal(RealText(rng)); }

// A mesh of columns x rows nodes cut into triangles, optionally held along its
// left edge and loaded on its right one, with shaken-up node positions.
std::unique_ptr<Model> GridModel(std::mt19937& rng, int columns, int rows, bool held) {
  auto m = std::make_unique<Model>();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      Node& node = m->nodes[++m->nodeCount];
      node.x = c + 0.2 * Pick(rng, -1, 1);
      node.y = r + 0.2 * Pick(rng, -1, 1);
      if (held && c == 0) {
        node.restraint = FixedXY;
        node.orientation = Pick(rng, 0, 3);
      }
      if (c == columns - 1 && Chance(rng, 0.7)) {
        node.load = Pick(rng, -5000, 5000);
        node.loadAngle = Pick(rng, 0, 359);
      }
    }
  }
  for (int r = 0; r + 1 < rows; ++r) {
    for (int c = 0; c + 1 < columns; ++c) {
      const int32_t a = r * columns + c + 1;
      m->elements[++m->elementCount] = {a, a + 1, a + columns + 1};
      m->elements[++m->elementCount] = {a, a + columns + 1, a + columns};
    }
  }
  UpdateBounds(*m);
  return m;
}

// Any tables a file may hold: coordinates, conditions, and corners on its
// nodes (a corner that is no node is refused when the file is opened).
std::unique_ptr<Model> ScatteredModel(std::mt19937& rng) {
  auto m = std::make_unique<Model>();
  m->nodeCount = Pick(rng, 0, 40);
  for (int32_t k = 1; k <= m->nodeCount; ++k) {
    m->nodes[k] = {RandomReal(rng), RandomReal(rng), Pick(rng, 0, 9), Pick(rng, 0, 9), 0.0, 0.0};
    if (Chance(rng, 0.3)) {
      m->nodes[k].load = RandomReal(rng);
      m->nodes[k].loadAngle = RandomReal(rng);
    }
  }
  m->elementCount = m->nodeCount == 0 ? 0 : Pick(rng, 0, 60);
  for (int32_t j = 1; j <= m->elementCount; ++j) {
    m->elements[j] = {Pick(rng, 1, m->nodeCount), Pick(rng, 1, m->nodeCount), Pick(rng, 1, m->nodeCount)};
  }
  UpdateBounds(*m);
  return m;
}

std::unique_ptr<Model> RandomModel(std::mt19937& rng) {
  if (Chance(rng, 0.3)) return ScatteredModel(rng);
  return GridModel(rng, Pick(rng, 2, 7), Pick(rng, 2, 6), Chance(rng, 0.8));
}

std::string Padded(long long value, int width) { return FormatInteger(value, width); }

std::string ZeroPadded(long long value, int width) {
  const std::string digits = FormatInteger(value);
  return std::string(digits.size() < static_cast<size_t>(width) ? width - digits.size() : 0, '0') + digits;
}

// An ".ase" mesh of `vertices` vertices and `faces` faces in the layout the
// reader's columns expect; a corner may be pushed past the vertices.
std::string AseText(std::mt19937& rng, int vertices, int faces, bool badCorner) {
  std::string text = "*3DSMAX_ASCIIEXPORT\t200\r\n*GEOMOBJECT {\r\n\t*MESH {\r\n";
  text += "\t\t*MESH_NUMVERTEX " + FormatInteger(vertices) + "\r\n";
  text += "\t\t*MESH_NUMFACES " + FormatInteger(faces) + "\r\n";
  for (int v = 0; v < vertices; ++v) {
    text += "\t\t\t*MESH_VERTEX " + Padded(v, 4);
    for (int axis = 0; axis < 3; ++axis) {
      text.append("\t").append(FormatInteger(Pick(rng, -500, 500))).append(".").append(FormatInteger(Pick(rng, 1000, 9999)));
    }
    text += "\r\n";
  }
  const int broken = badCorner ? Pick(rng, 0, faces - 1) : -1;
  for (int f = 0; f < faces; ++f) {
    int corners[3];
    for (int& c : corners) c = Pick(rng, 0, vertices - 1);
    if (f == broken) corners[Pick(rng, 0, 2)] = vertices + Pick(rng, 0, 50);
    text += "\t\t\t*MESH_FACE " + Padded(f, 4) + ":    A: " + Padded(corners[0], 4) + " B: " + Padded(corners[1], 4) +
            " C: " + Padded(corners[2], 4) + " AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\r\n";
  }
  return text + "\t}\r\n}\r\n";
}

// Texts that are not numbers, as users mistype them.
const char* const BadNumbers[] = {"", " ", "1.0x", "abc", "1,5", "--1", "0x10", "1e999", "nan", "inf", "1 2", "."};

std::string BadNumber(std::mt19937& rng) { return BadNumbers[Pick(rng, 0, std::size(BadNumbers) - 1)]; }

enum class Outcome { MustSucceed, MayFail, MustFail };

// The commands of a random session. Each command says what it expects before
// it runs, in `expected`.
class RandomUser {
 public:
  RandomUser(Harness& h, std::mt19937& rng) : h_(h), rng_(rng) {}

  void Act() {
    expected = Outcome::MustSucceed;
    switch (Pick(rng_, 0, 25)) {
      case 0: return OpenGood();
      case 1: return ImportGood();
      case 2: case 3: return Select();
      case 4: return h_.session.OneWayRestraint();
      case 5: return h_.session.TwoWayRestraint();
      case 6: return h_.session.DeleteRestraint();
      case 7: return h_.session.ApplyLoad(RealText(rng_), RealText(rng_));
      case 8: case 22: return SetMaterial();
      case 9: case 10: case 23: case 24: expected = Outcome::MayFail; return h_.session.Compute();
      case 11: expected = Outcome::MayFail; return h_.session.DeformedPlot();
      case 12: expected = Outcome::MayFail; return h_.session.StressPlot(Pick(rng_, 0, 5));
      case 13: return h_.session.NewModel();
      case 14: return BadLoad();
      case 15: return BadMaterial();
      case 16: return OpenBad();
      case 17: return ImportBad();
      case 18: return ComputeThatCannotSucceed();
      case 19: return SaveAndReopen();
      case 20: return Chance(rng_, 0.3) ? ComputeThatCannotSucceed(true) : ComputeThatCannotSucceed();
      case 21: return SaveBad();
      default: return h_.session.Resize();
    }
  }

  Outcome expected = Outcome::MustSucceed;
  // A model opened for a compute that must fail; the compute is the next command.
  std::unique_ptr<Model> pendingCompute;

 private:
  std::string File(const std::string& bytes, const char* extension) {
    return h_.folder.Write("f" + FormatInteger(++files_) + extension, bytes);
  }

  // Now and then a held grid of 520 nodes, which the sparse path computes.
  void OpenGood() {
    const auto model = Chance(rng_, 0.15) ? GridModel(rng_, 26, 20, true) : RandomModel(rng_);
    h_.chooser.Answer(File(WriteProblem(*model), ".trv"));
    h_.session.OpenProblem();
  }

  void ImportGood() {
    const int vertices = Pick(rng_, 3, 40);
    h_.chooser.Answer(File(AseText(rng_, vertices, Pick(rng_, 1, 40), false), ".ase"));
    h_.session.ImportMesh();
  }

  void Select() {
    const int x1 = Pick(rng_, -20, 820), y1 = Pick(rng_, -20, 620);
    h_.Drag(x1, y1, Pick(rng_, -20, 820), Pick(rng_, -20, 620));
  }

  void SetMaterial() {
    const std::string mu = "0." + ZeroPadded(Pick(rng_, 0, 4999), 4);
    h_.session.ApplyMaterial(Pick(rng_, 0, 1), FormatInteger(Pick(rng_, 1, 300)) + "E9", mu,
                             FormatInteger(Pick(rng_, 1, 50)));
  }

  // A bad text in either load field; with nothing selected the fields are
  // not read, and the command changes nothing all the same.
  void BadLoad() {
    expected = h_.session.selection().count > 0 ? Outcome::MustFail : Outcome::MustSucceed;
    if (Chance(rng_, 0.5)) {
      h_.session.ApplyLoad(BadNumber(rng_), RealText(rng_));
    } else {
      h_.session.ApplyLoad(RealText(rng_), BadNumber(rng_));
    }
  }

  void BadMaterial() {
    expected = Outcome::MustFail;
    std::string fields[3] = {"2E10", "0.167", "1"};
    if (Chance(rng_, 0.7)) {
      fields[Pick(rng_, 0, 2)] = BadNumber(rng_);
      h_.session.ApplyMaterial(Pick(rng_, 0, 1), fields[0], fields[1], fields[2]);
    } else {
      // A value no material has.
      const int field = Pick(rng_, 0, 2);
      fields[field] = field != 1 && Chance(rng_, 0.5) ? "0" : "-1.0";
      h_.session.ApplyMaterial(Pick(rng_, 0, 1), fields[0], fields[1], fields[2]);
    }
  }

  void OpenBad() {
    expected = Outcome::MustFail;
    const std::string good = WriteProblem(*RandomModel(rng_));
    std::string bytes;
    switch (Pick(rng_, 0, 5)) {
      case 0: {  // cut anywhere up to the start of its last fixed line: a line is missing
        const size_t section = good.find("[Trivane 1]");
        bytes = good.substr(0, Pick(rng_, 0, static_cast<int>(good.rfind('\n', section - 2) + 1)));
        break;
      }
      case 1:
        bytes = AseText(rng_, 4, 2, false);
        break;
      case 2:
        bytes = FormatInteger(Pick(rng_, 1001, 5000)) + "\r\n0\r\n";
        break;
      case 3:
        bytes = "0\r\n" + FormatInteger(Chance(rng_, 0.5) ? -1 : 1001) + "\r\n";
        break;
      case 4: {  // one character of a number spoilt
        bytes = good;
        const size_t at = bytes.find("E+");
        if (at == std::string::npos) return OpenMissing();
        bytes[at] = 'Q';
        break;
      }
      default:
        return OpenMissing();
    }
    h_.chooser.Answer(File(bytes, ".trv"));
    h_.session.OpenProblem();
  }

  void OpenMissing() {
    h_.chooser.Answer(h_.folder.File("no-such-file.trv"));
    h_.session.OpenProblem();
  }

  void ImportBad() {
    expected = Outcome::MustFail;
    std::string bytes;
    switch (Pick(rng_, 0, 3)) {
      case 0:
        bytes = AseText(rng_, Pick(rng_, 3, 20), Pick(rng_, 1, 20), true);
        break;
      case 1:
        bytes = AseText(rng_, MaxNodes + 1, 1, false);
        break;
      case 2: {  // an empty field read as the second vertex's x
        bytes = AseText(rng_, 5, 2, false);
        const size_t vertex = bytes.find("*MESH_VERTEX ", bytes.find("*MESH_VERTEX ") + 1);
        const size_t beforeY = bytes.rfind('\t', bytes.find('\r', vertex));
        bytes.insert(bytes.rfind('\t', beforeY - 1), "\t");
        break;
      }
      default:  // more faces counted than written
        bytes = AseText(rng_, 6, 3, false);
        bytes.replace(bytes.find("*MESH_NUMFACES 3"), 16, "*MESH_NUMFACES 9");
        break;
    }
    h_.chooser.Answer(File(bytes, ".ase"));
    h_.session.ImportMesh();
  }

  // Picks a model the analysis cannot solve; the caller opens it and computes.
  // Small ones go to Gauss-Jordan, those of over 500 nodes to Cholesky. (A
  // corner that is no node no longer reaches the compute: opening refuses it.)
  void ComputeThatCannotSucceed(bool large = false) {
    const int columns = large ? 26 : Pick(rng_, 2, 5);
    const int rows = large ? 20 : Pick(rng_, 2, 4);
    std::unique_ptr<Model> m = GridModel(rng_, columns, rows, true);
    switch (Pick(rng_, 0, 1)) {
      case 0:  // nothing holds it
        m = GridModel(rng_, columns, rows, false);
        m->nodes[m->nodeCount].load = 1000.0;
        break;
      default:  // an element whose corners lie on one line: its area is zero
        m->nodes[1].y = 0.0;
        m->nodes[2].y = 0.0;
        m->elements[++m->elementCount] = {1, 2, 2};
        break;
    }
    pendingCompute = std::move(m);
  }


  // A save the disk refuses: into a folder that is not there, or onto a folder.
  void SaveBad() {
    expected = Outcome::MustFail;
    std::string path = h_.folder.File("missing/model.trv");
    if (Chance(rng_, 0.5)) {
      path = h_.folder.File("folder" + FormatInteger(++files_) + ".trv");
      std::filesystem::create_directory(path);
    }
    h_.chooser.Answer(path);
    h_.session.SaveProblem();
  }

  // Saving changes nothing; opening the saved file gives the same model back.
  void SaveAndReopen() {
    const std::string path = h_.folder.File("saved" + FormatInteger(++files_) + ".trv");
    const auto saved = std::make_unique<Model>(h_.session.model());
    const Snapshot before = Take(h_);
    h_.chooser.Answer(path);
    h_.session.SaveProblem();
    EXPECT_TRUE(Unchanged(before, Take(h_)));

    h_.chooser.Answer(path);
    h_.session.OpenProblem();
    const Model& opened = h_.session.model();
    EXPECT_EQ(opened.nodeCount, saved->nodeCount);
    EXPECT_EQ(opened.elementCount, saved->elementCount);
    for (int32_t k = 1; k <= saved->nodeCount; ++k) {
      EXPECT_TRUE(SameBits(opened.nodes[k], saved->nodes[k])) << "node " << k;
    }
    for (int32_t j = 1; j <= saved->elementCount; ++j) {
      EXPECT_TRUE(SameBits(opened.elements[j], saved->elements[j])) << "element " << j;
    }
    EXPECT_TRUE(SameBits(opened.material, saved->material));
    UpdateBounds(*saved);
    EXPECT_TRUE(SameBits(opened.bounds, saved->bounds));
  }

  Harness& h_;
  std::mt19937& rng_;
  int files_ = 0;
};

// Runs one command; when it fails, nothing the user sees may have changed.
// `expected` is read after the command, which sets it as it starts.
void Check(Harness& h, const std::function<void()>& command, const Outcome& expected, const std::string& where) {
  const Snapshot before = Take(h);
  std::string failure;
  try {
    command();
  } catch (const Error& e) {
    failure = e.what();
    if (failure.empty()) failure = "(no text)";
  }
  if (expected == Outcome::MustFail) {
    EXPECT_NE(failure, "") << where;
  } else if (expected == Outcome::MustSucceed) {
    EXPECT_EQ(failure, "") << where;
  }
  if (!failure.empty()) {
    EXPECT_TRUE(Unchanged(before, Take(h))) << where << ": " << failure;
  }
}

class RandomSession : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomSession, FailuresChangeNothingAndSavesReopen) {
  std::mt19937 rng(GetParam());
  for (int session = 0; session < 4; ++session) {
    Harness h;
    RandomUser user(h, rng);
    for (int step = 0; step < 25; ++step) {
      const std::string where = "seed " + std::to_string(GetParam()) + ", session " + std::to_string(session) +
                                ", step " + std::to_string(step);
      Check(h, [&] { user.Act(); }, user.expected, where);
      if (user.pendingCompute) {
        h.Load(*user.pendingCompute);
        user.pendingCompute.reset();
        Check(h, [&] { h.session.Compute(); }, Outcome::MustFail, where + " (compute)");
        // Back to a model with results, so that later failures have results to keep.
        h.Load(*GridModel(rng, Pick(rng, 2, 6), Pick(rng, 2, 5), true));
        h.session.ApplyMaterial(PlaneStress, "2E10", "0.3", "1");
        h.session.Compute();
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSession, ::testing::Values(1u, 2u, 3u, 5u, 8u, 13u));

}  // namespace
}  // namespace trivane::testing
