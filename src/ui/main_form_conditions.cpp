// The 条件 menu's commands beyond supports and point loads, and the 编辑
// menu's undo and redo.
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <optional>

#include "io/number_text.h"
#include "model/condition_edits.h"
#include "model/errors.h"
#include "ui/condition_dialog.h"
#include "ui/drawing_surface.h"
#include "ui/main_form.h"

namespace trivane {
namespace {

// How many edges a load goes on, and on how many of them it replaces the
// load of its kind they carry: an edge holds one pressure, one water load and
// one traction, and loads of different kinds add.
QString EdgesNote(const Model& model, const std::vector<Edge>& edges, EdgeLoadKind kind) {
  static constexpr const char* KindNames[] = {"压力", "水压力", "面力"};
  return QString("加在 %1 条边界边（两端结点都已选中），其中 %2 条已有%3，将被替换")
      .arg(edges.size())
      .arg(EdgesLoadedWith(model, edges, kind))
      .arg(KindNames[static_cast<int>(kind)]);
}

EdgeLoadKind EdgeLoadKindOf(const ConditionDialog& dialog) {
  return dialog.Kind() == 0 ? EdgeLoadKind::Pressure : EdgeLoadKind::Traction;
}

QString Number(double value) { return QString::fromStdString(FormatGeneral(value)); }

// The selected regions' own temperature change when they share one; blank
// when any of them takes the model's.
QString SharedRegionTemperature(const Model& model, const std::vector<std::string>& regions) {
  std::optional<double> shared;
  for (const std::string& region : regions) {
    const auto& own = model.conditions.temperature.regions;
    const auto found = std::find_if(own.begin(), own.end(), [&](const RegionTemperature& t) { return t.region == region; });
    if (found == own.end() || (shared && *shared != found->dt)) return {};
    shared = found->dt;
  }
  return shared ? Number(*shared) : QString();
}

// What 确定 will set, and the temperature changes in force: the model's and
// each region's own (the first few of a model with many).
QString TemperatureNote(const Model& model, const std::vector<std::string>& selected, int kind) {
  constexpr int ListedRegions = 8;
  QStringList inForce{QString("模型 ΔT = %1 K").arg(Number(model.conditions.temperature.dt))};
  for (const RegionTemperature& own : model.conditions.temperature.regions) {
    if (inForce.size() > ListedRegions) {
      inForce << "…";
      break;
    }
    inForce << QString("区域 %1 ΔT = %2 K").arg(QString::fromStdString(own.region), Number(own.dt));
  }
  QStringList names;
  for (const std::string& region : selected) names << QString::fromStdString(region);
  QString note = "温度变化 ΔT 使材料产生应变 α·ΔT。\n现有：" + inForce.join("，") + "\n";
  note += kind == 0 ? QString("作用于整个模型（有自己 ΔT 的区域不变）")
                    : QString("作用于选中的区域 %1（留空：用模型的 ΔT）").arg(names.join("、"));
  bool expands = model.entered.alpha != 0.0;
  for (const RegionMaterial& r : model.conditions.regionMaterials) expands = expands || r.alpha != 0.0;
  if (!expands) note += "\n线膨胀系数 α 为 0：请在模型属性中设定 α。";
  return note;
}

QString KindName(GroupKind kind) {
  switch (kind) {
    case GroupKind::Nodes: return "结点组";
    case GroupKind::Edges: return "边组";
    case GroupKind::Region: return "区域";
  }
  return {};
}

}  // namespace

// The load dialogs are made once, so that each keeps what was typed last.
// They report through the window's reporter as it is when they report.
void MainForm::BuildConditionDialogs() {
  const ErrorReporter report = [this](QWidget* parent, const QString& text) { report_(parent, text); };
  edgeLoadDialog_ = new ConditionDialog(this, "EdgeLoadDialog", "分布荷载",
                                        {{"压力 p(Pa):", "1000"}, {"ty(Pa):", "0"}},
                                        {"压力（垂直于边，压向物体为正）", "面力 (tx, ty)"}, report);
  edgeLoadDialog_->SetKindTexts(1, {"0", "0"});
  edgeLoadDialog_->onKindChanged = [d = edgeLoadDialog_](int kind) {
    d->Label(0)->setText(kind == 0 ? "压力 p(Pa):" : "tx(Pa):");
    d->Edit(1)->setEnabled(kind == 1);
  };
  edgeLoadDialog_->onKindChanged(0);
  edgeLoadDialog_->onAccept = [this] {
    session_->ApplyEdgeLoad(EdgeLoadKindOf(*edgeLoadDialog_), edgeLoadDialog_->Text(0).toStdString(),
                            edgeLoadDialog_->Text(1).toStdString());
  };

  waterDialog_ = new ConditionDialog(this, "WaterDialog", "水压力",
                                     {{"水位 y(m):", "0"}, {"重度 γ(N/m³):", "9810"}}, {}, report);
  waterDialog_->onAccept = [this] {
    session_->ApplyEdgeLoad(EdgeLoadKind::Water, waterDialog_->Text(0).toStdString(),
                            waterDialog_->Text(1).toStdString());
  };

  gravityDialog_ = new ConditionDialog(this, "GravityDialog", "自重",
                                       {{"gx(m/s²):", "0"}, {"gy(m/s²):", "-9.81"}, {"转速ω(rad/s):", "0"}}, {},
                                       report);
  gravityDialog_->onAccept = [this] {
    const std::string spin = gravityDialog_->Text(2).toStdString();
    session_->ApplyGravity(gravityDialog_->Text(0).toStdString(), gravityDialog_->Text(1).toStdString(),
                           session_->model().entered.problem == Axisymmetric ? std::optional<std::string_view>(spin)
                                                                             : std::nullopt);
  };

  temperatureDialog_ = new ConditionDialog(this, "TemperatureDialog", "温度", {{"温度变化ΔT(K):", "0"}},
                                           {"整个模型", "选中的区域"}, report);
  temperatureDialog_->SetKindLabel("作用于:");
  temperatureDialog_->onAccept = [this] {
    session_->ApplyTemperature(
        temperatureDialog_->Kind() == 0 ? TemperatureTarget::Model : TemperatureTarget::SelectedRegions,
        temperatureDialog_->Text(0).toStdString());
  };
}

// Without a boundary edge among the selection the command says so before any
// dialog shows.
void MainForm::EdgeLoadClick() {
  Run([this] {
    const std::vector<Edge> edges = session_->SelectedBoundaryEdges();
    if (edges.empty()) throw Error(messages::NoBoundaryEdgeSelected);
    edgeLoadDialog_->SetNote([this, edges] {
      return EdgesNote(session_->model(), edges, EdgeLoadKindOf(*edgeLoadDialog_));
    });
    edgeLoadDialog_->exec();
  });
}

// The note says, as the level is typed, when the water would not reach the
// selected edges at all.
void MainForm::WaterClick() {
  Run([this] {
    const std::vector<Edge> edges = session_->SelectedBoundaryEdges();
    if (edges.empty()) throw Error(messages::NoBoundaryEdgeSelected);
    waterDialog_->SetNote([this, edges] {
      QString note = EdgesNote(session_->model(), edges, EdgeLoadKind::Water) + "\n水位以下 p = γ(水位 − y)，水位以上为 0";
      const std::string level = waterDialog_->Text(0).toStdString();
      try {
        if (WaterLeavesDry(session_->model(), edges, ReadReal(level)))
          note += "\n" + QString::fromStdString(messages::WaterBelowSelection(level));
      } catch (const Error&) {
        // A level that is not a number yet: 确定 will say so.
      }
      return note;
    });
    waterDialog_->exec();
  });
}

// The fields show the gravity in force once there is one, and the spin in
// force; a model without a density has no weight, which the dialog says. The
// spin field is open only in an axisymmetric model, the one kind that turns
// about an axis: a plane model shows why it is closed before anything is typed.
void MainForm::GravityClick() {
  const Model& model = session_->model();
  const Gravity g = model.conditions.gravity;
  if (g.gx != 0.0 || g.gy != 0.0) {
    gravityDialog_->Edit(0)->setText(QString::number(g.gx, 'g', 15));
    gravityDialog_->Edit(1)->setText(QString::number(g.gy, 'g', 15));
  }
  const bool axisymmetric = model.entered.problem == Axisymmetric;
  gravityDialog_->Label(0)->setText(axisymmetric ? "gr(m/s²):" : "gx(m/s²):");
  gravityDialog_->Label(1)->setText(axisymmetric ? "gz(m/s²):" : "gy(m/s²):");
  if (model.conditions.spin != 0.0 || !axisymmetric) gravityDialog_->Edit(2)->setText(Number(model.conditions.spin));
  gravityDialog_->Edit(2)->setEnabled(axisymmetric);
  gravityDialog_->Label(2)->setEnabled(axisymmetric);
  bool weightless = model.entered.rho == 0.0;
  for (const RegionMaterial& r : model.conditions.regionMaterials) weightless = weightless && r.rho == 0.0;
  QString note = axisymmetric ? "重力加速度作用于每个单元绕轴一周的质量 2πρrA；转速 ω 产生离心力 ρω²r。"
                              : "重力加速度作用于每个单元的质量 ρtA。";
  if (weightless) note += "\n密度 ρ 为 0：请在模型属性中设定密度。";
  if (!axisymmetric) note += "\n" + QString(messages::SpinNeedsAxisymmetric) + "（在模型属性中选择）。";
  gravityDialog_->SetNote(note);
  Run([this] { gravityDialog_->exec(); });
}

// The dialog opens on the selected regions when the selection covers any
// whole (as 按组选择 leaves a region), else on the model; each shows the
// temperature change it has.
void MainForm::TemperatureClick() {
  const Model& model = session_->model();
  const std::vector<std::string> regions = session_->SelectedRegions();
  temperatureDialog_->SetKindTexts(0, {Number(model.conditions.temperature.dt)});
  temperatureDialog_->SetKindTexts(1, {SharedRegionTemperature(model, regions)});
  auto* kinds = temperatureDialog_->findChild<QComboBox*>("ComboBox1");
  kinds->setCurrentIndex(regions.empty() ? 0 : 1);
  kinds->setEnabled(!regions.empty());
  temperatureDialog_->SetNote([this, regions] {
    return TemperatureNote(session_->model(), regions, temperatureDialog_->Kind());
  });
  Run([this] { temperatureDialog_->exec(); });
}

void MainForm::RemoveEdgeLoadsClick() { Run([this] { session_->RemoveEdgeLoads(); }); }

void MainForm::SelectGroupClick() {
  Run([this] {
    const std::vector<Group>& groups = session_->model().conditions.groups;
    if (groups.empty()) throw Error(messages::NoGroups);
    QStringList items;
    // A name may repeat across kinds, a kind's number may not.
    for (const Group& g : groups) {
      QString kind = KindName(g.kind);
      if (!g.name.empty()) kind += QString(" %1").arg(g.number);
      items << QString("%1（%2，%3 个结点）")
                   .arg(QString::fromStdString(GroupLabel(g)), kind)
                   .arg(GroupNodes(session_->model(), g).size());
    }
    QInputDialog dialog(this);
    dialog.setObjectName("GroupDialog");
    dialog.setWindowTitle("按组选择");
    dialog.setLabelText("选择组的结点:");
    dialog.setComboBoxItems(items);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setOkButtonText("确定");
    dialog.setCancelButtonText("取消");
    if (dialog.exec() != QDialog::Accepted) return;
    const auto chosen = items.indexOf(dialog.textValue());
    if (chosen < 0) return;
    session_->SelectGroup(static_cast<std::size_t>(chosen));
    // As after a band: the condition shortcuts act on the selection, not on
    // the text of a field that had the focus before.
    image1_->setFocus(Qt::OtherFocusReason);
  });
}

void MainForm::UndoClick() { Run([this] { session_->Undo(); }); }
void MainForm::RedoClick() { Run([this] { session_->Redo(); }); }

}  // namespace trivane
