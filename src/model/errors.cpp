#include "model/errors.h"

#include <cerrno>

#include "model/limits.h"

namespace trivane::messages {

namespace {
std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('\'');
  quoted.append(text);
  quoted.push_back('\'');
  return quoted;
}
}  // namespace

std::string NotAnInteger(std::string_view text) { return Quoted(text) + " is not a valid integer value"; }

std::string NotAReal(std::string_view text) { return Quoted(text) + " is not a valid floating point value"; }

std::string CannotOpenFile(std::string_view name, std::string_view reason) {
  return "Cannot open file \"" + std::string(name) + "\". " + std::string(reason);
}

std::string UnknownModelFile(std::string_view name) {
  return "文件 \"" + std::string(name) + "\" 不是平面问题文件(*.trv)、三维模型ASCII码文件(*.ase)或Gmsh网格文件(*.msh)";
}

std::string AtFileLine(std::string_view file, int line, std::string_view text) {
  return std::string(file) + ":" + std::to_string(line) + ": " + std::string(text);
}

namespace {
// The system's error in the words of the interface; glibc's own texts are in
// English unless its translations are installed, which a desktop cannot count on.
std::string WriteFailureReason(int systemError) {
  switch (systemError) {
    case ENOENT:
    case ENOTDIR:
      return "文件夹不存在";
    case EISDIR:
      return "这是一个文件夹";
    case EINVAL:
      return "文件名无效";
    case ENAMETOOLONG:
      return "文件名太长";
    case ELOOP:
      return "符号链接太多或形成循环";
    case EMFILE:
    case ENFILE:
      return "打开的文件太多";
    case EACCES:
    case EPERM:
      return "没有写入权限";
    case EROFS:
      return "文件系统是只读的";
    case ENOSPC:
      return "磁盘已满";
    case EDQUOT:
      return "超出磁盘配额";
    case EFBIG:
      return "文件超出允许的大小";
    case EIO:
      return "输入输出错误";
    default:
      return "系统错误 " + std::to_string(systemError);
  }
}
}  // namespace

std::string CannotWrite(std::string_view path, int systemError) {
  return "无法写入 " + std::string(path) + "：" + WriteFailureReason(systemError);
}

std::string SaveFailed(int systemError) {
  switch (systemError) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EINVAL:
    case ENAMETOOLONG:
    case EISDIR:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(systemError);
  }
}

std::string TooManyNodes(long long count) {
  return "结点数 " + std::to_string(count) + " 超出上限 " + std::to_string(MaxNodes);
}

std::string TooManyElements(long long count) {
  return "单元数 " + std::to_string(count) + " 超出上限 " + std::to_string(MaxElements);
}

std::string NegativeNodeCount(long long count) { return "结点数 " + std::to_string(count) + " 不能为负数"; }

std::string NegativeElementCount(long long count) { return "单元数 " + std::to_string(count) + " 不能为负数"; }

std::string FaceCornerMissing(int element, long long corner) {
  return "面 " + std::to_string(element) + " 的顶点号 " + std::to_string(corner) + " 不存在";
}

std::string FaceCountExceedsFaces(long long count, long long faces) {
  return "面数 " + std::to_string(count) + " 多于读到的 " + std::to_string(faces) + " 个面";
}

std::string TooManyNodesToAnalyse(long long count) {
  return "结点数 " + std::to_string(count) + " 超出计算上限 " + std::to_string(MaxGaussJordanNodes);
}

std::string ElementNodeMissing(int element, long long corner) {
  return "单元 " + std::to_string(element) + " 的结点号 " + std::to_string(corner) + " 不存在";
}

std::string NegativeRadius(int node) { return "轴对称模型中结点 " + std::to_string(node) + " 的半径为负"; }
std::string ElementFolded(int element) {
  return "单元 " + std::to_string(element) + " 的形状翻折（边的中间结点偏离太远），无法计算";
}

std::string SingularBecause(std::string_view cause) { return std::string(SingularMatrix) + "\n" + std::string(cause); }

std::string PartUnsupported(int node) { return "结点 " + std::to_string(node) + " 所在的部分没有任何约束"; }

std::string PartFreeToSlide(int node, char axis) {
  return "结点 " + std::to_string(node) + " 所在的部分在 " + axis + " 方向没有约束";
}

std::string PartFreeToRotate(int node) { return "结点 " + std::to_string(node) + " 所在的部分的约束挡不住转动"; }

std::string LoneNode(int node) {
  return "结点 " + std::to_string(node) + " 不属于任何单元，又未在两个方向上固定";
}

std::string EdgeNotOnBoundary(int node1, int node2) {
  return "结点 " + std::to_string(node1) + " 与 " + std::to_string(node2) + " 之间的边是两个单元共用的内部边，不能加边荷载";
}

std::string EdgeNotInMesh(int node1, int node2) {
  return "结点 " + std::to_string(node1) + " 与 " + std::to_string(node2) + " 之间没有单元的边";
}

std::string UnknownExportFormat(std::string_view name) {
  return "无法导出为 " + std::string(name) + "：只能导出 .vtu 或 .csv 文件";
}

namespace {
// Gmsh's element types by number, as its format documents them; the types the
// import takes (points, lines, the 3-node triangle) are never refused.
const char* GmshElementTypeName(long long type) {
  switch (type) {
    case 3: return "四结点四边形";
    case 4: return "四结点四面体";
    case 5: return "八结点六面体";
    case 6: return "六结点三棱柱";
    case 7: return "五结点四棱锥";
    case 9: return "六结点三角形";
    case 10: return "九结点四边形";
    case 11: return "十结点四面体";
    case 12: return "二十七结点六面体";
    case 13: return "十八结点三棱柱";
    case 14: return "十四结点四棱锥";
    case 16: return "八结点四边形";
    case 17: return "二十结点六面体";
    case 18: return "十五结点三棱柱";
    case 19: return "十三结点四棱锥";
    case 20: return "九结点三角形";
    case 21: return "十结点三角形";
    case 22: return "十二结点三角形";
    case 23: return "十五结点三角形";
    case 24: return "十五结点三角形";
    case 25: return "二十一结点三角形";
    case 29: return "二十结点四面体";
    case 30: return "三十五结点四面体";
    case 31: return "五十六结点四面体";
    default: return nullptr;
  }
}
}  // namespace

std::string UnsupportedElementType(long long type) {
  const char* name = GmshElementTypeName(type);
  return "不支持的单元类型 " + std::to_string(type) + (name ? "（" + std::string(name) + "）" : std::string()) +
         "（只接受三结点和六结点三角形）";
}

std::string SectionHeaderExpected(std::string_view text) {
  return "单元行之后只能是 [Trivane 1] 或 [Trivane 2] 段，读到的是 " + Quoted(text.substr(0, 40));
}

std::string UnknownSectionKeyword(std::string_view word) { return "未知的关键字 " + Quoted(word.substr(0, 40)); }

std::string SectionLineForm(std::string_view form) { return "这一行应为 " + std::string(form); }

std::string RepeatedSectionLine(std::string_view keyword) { return std::string(keyword) + " 行只能有一行"; }

std::string MissingSectionLine(std::string_view header, std::string_view keyword) {
  return std::string(header) + " 段缺少 " + std::string(keyword) + " 行";
}

std::string UnknownProblemType(std::string_view text) {
  return "未知的问题类型 " + Quoted(text.substr(0, 40)) + "（应为 plane-stress、plane-strain 或 axisymmetric）";
}

std::string UnknownGroupKind(std::string_view text) {
  return "未知的组类型 " + Quoted(text.substr(0, 40)) + "（应为 nodes、edges 或 region）";
}

std::string BadQuotedName(std::string_view text) {
  return "名称 " + std::string(text.substr(0, 40)) + " 无效：名称写在双引号中，其中的 \" 和 \\ 写作 \\\" 和 \\\\";
}

std::string RepeatedGroup(std::string_view kind, long long number) {
  return "组 " + std::string(kind) + " " + std::to_string(number) + " 出现了两次";
}

std::string MidSideCount(long long count, long long elementCount) {
  return "mid-side-nodes 写明 " + std::to_string(count) + " 个单元，模型有 " + std::to_string(elementCount) + " 个单元";
}

std::string FewerGroupItems(std::string_view label, long long count) {
  return "组 " + std::string(label) + " 的项少于写明的 " + std::to_string(count) + " 个";
}

std::string NodeNumberMissing(long long node, long long nodeCount) {
  return "结点号 " + std::to_string(node) + " 不存在（模型有 " + std::to_string(nodeCount) + " 个结点）";
}

std::string ElementNumberMissing(long long element, long long elementCount) {
  return "单元号 " + std::to_string(element) + " 不存在（模型有 " + std::to_string(elementCount) + " 个单元）";
}

std::string UnknownRegion(std::string_view name) { return "没有名为 " + Quoted(name.substr(0, 40)) + " 的区域"; }

std::string RepeatedRegionMaterial(std::string_view name) {
  return "区域 " + Quoted(name.substr(0, 40)) + " 的材料写了两次";
}

std::string RepeatedRegionTemperature(std::string_view name) {
  return "区域 " + Quoted(name.substr(0, 40)) + " 的温度变化写了两次";
}

std::string RepeatedEdgeLoad(std::string_view keyword, long long node1, long long node2) {
  return "边 " + std::to_string(node1) + "-" + std::to_string(node2) + " 的 " + std::string(keyword) +
         " 写了两次（每条边每种荷载只能有一个）";
}

std::string UnsupportedMshVersion(std::string_view version) {
  return "不支持的Gmsh网格版本 " + std::string(version) + "（只接受 2.2、4.0 和 4.1）";
}

std::string UnsupportedMshLayout(std::string_view fileType, std::string_view dataSize) {
  return "不支持的Gmsh网格格式 \"" + std::string(fileType) + " " + std::string(dataSize) +
         "\"（文件类型应为 0 或 1，数据长度应为 8）";
}

std::string SectionCutShort(std::string_view section) {
  return "文件在 " + std::string(section) + " 段中意外结束";
}

std::string LineTooShort(std::string_view section) {
  return std::string(section) + " 段的这一行缺少数值";
}

std::string LineTooLong(std::string_view text) { return "这一行多出了 " + Quoted(text); }

std::string SectionEndsEarly(std::string_view section) {
  return std::string(section) + " 段没有写完就结束了";
}

std::string SectionEndMissing(std::string_view section) {
  return "缺少 $End" + std::string(section.substr(section.empty() ? 0 : 1));
}

std::string ExpectedSection(std::string_view text) {
  return "应为以 $ 开头的段名，读到的是 " + Quoted(text.substr(0, 40));
}

std::string MoreNodesThanCounted(long long count) {
  return "结点多于 $Nodes 段开头写的 " + std::to_string(count) + " 个";
}

std::string DuplicateNodeTag(long long tag) { return "结点号 " + std::to_string(tag) + " 出现了两次"; }

std::string NegativeCount(std::string_view text) { return "数目 " + std::string(text) + " 不能为负数"; }

std::string TooManyGroupItems(long long count) {
  return "物理组的项数 " + std::to_string(count) + " 超出上限 " + std::to_string(MaxGroupItems);
}

std::string GeometryScriptError(std::string_view gmshText) { return "几何脚本出错：" + std::string(gmshText); }

std::string MeshingFailed(std::string_view gmshText) { return "划分网格失败：" + std::string(gmshText); }

std::string MeshSizeNotPositive(std::string_view text) { return "网格尺寸 " + std::string(text) + " 必须大于 0"; }

std::string MeshSizeTooSmall(std::string_view text, double estimate) {
  return "网格尺寸 " + std::string(text) + " 太小：约需 " + std::to_string(static_cast<long long>(estimate)) +
         " 个单元，超出上限 " + std::to_string(MaxElements);
}

std::string ElementOrderInvalid(std::string_view text) {
  return "单元阶次 " + std::string(text) + " 无效：只能是 1（三结点三角形）或 2（六结点三角形）";
}

std::string GmshLibraryMissing(std::string_view library, std::string_view reason) {
  return "无法载入Gmsh库 " + std::string(library) + "，划分网格需要它：" + std::string(reason);
}

std::string GmshFunctionMissing(std::string_view library, std::string_view function) {
  return "Gmsh库 " + std::string(library) + " 中没有函数 " + std::string(function);
}

std::string AdaptRoundFailed(int round, std::string_view reason) {
  return "第 " + std::to_string(round) + " 轮失败：" + std::string(reason);
}

std::string MeshOverNodeLimit(long long limit) { return "网格的结点数超出上限 " + std::to_string(limit); }

std::string AdaptTargetOutOfRange(std::string_view text) {
  return "目标误差 " + std::string(text) + "% 必须大于 0 且小于 100";
}

std::string AdaptPeakTargetOutOfRange(std::string_view text) {
  return "峰值目标 " + std::string(text) + "% 必须大于 0 且小于 100";
}

std::string AdaptNodeLimitOutOfRange(std::string_view text) {
  return "结点数上限 " + std::string(text) + " 必须在 3 到 " + std::to_string(MaxNodes) + " 之间";
}

std::string AdaptStepsOutOfRange(std::string_view text) {
  return "轮数 " + std::string(text) + " 必须在 1 到 100 之间";
}

std::string NodeMissing(long long node) { return "结点 " + std::to_string(node) + " 不存在"; }

std::string NoSuchGroup(std::string_view name) { return "没有名为 " + Quoted(name.substr(0, 40)) + " 的组"; }

std::string WrongGroupKind(std::string_view name, int kind, int needed) {
  static constexpr const char* Kinds[] = {"结点组", "边组", "区域"};
  const auto kindName = [](int k) { return k >= 0 && k < 3 ? Kinds[k] : "组"; };
  return "组 " + std::string(name) + " 是" + kindName(kind) + "，这里需要" + kindName(needed);
}

std::string OptionValueForm(std::string_view form) { return "应写成 " + std::string(form); }

std::string WaterBelowGroup(std::string_view level, std::string_view group) {
  return "水位 " + std::string(level) + " 不高于边组 " + std::string(group) + " 的最低点，没有边受水压";
}

std::string WaterBelowSelection(std::string_view level) {
  return "水位 " + std::string(level) + " 不高于所选边的最低点，没有边受水压";
}

std::string AtOption(std::string_view flag, std::string_view value, std::string_view text) {
  return std::string(flag) + " " + std::string(value) + ": " + std::string(text);
}

}  // namespace trivane::messages

namespace trivane {

WriteError::WriteError(std::string_view path, int systemError)
    : Error(messages::CannotWrite(path, systemError)), systemError_(systemError) {}

}  // namespace trivane
