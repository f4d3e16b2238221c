#pragma once
// Every text the program shows when a command fails, in one place. A failing
// command throws Error with one of these texts; the window shows it in a message
// box and trivane-cli prints it on stderr.
#include <stdexcept>
#include <string>
#include <string_view>

namespace trivane {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// An error found while reading a file, with the 1-based line it was found on,
// so that batch tools can point at it. The text itself is the plain message.
class LineError : public Error {
 public:
  LineError(const std::string& text, int line) : Error(text), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// A file that could not be written. The text names the path and the cause in
// words; the system's error number stays with it for the window's 保存, whose
// message is the platform's own file error text.
class WriteError : public Error {
 public:
  WriteError(std::string_view path, int systemError);
  int systemError() const { return systemError_; }

 private:
  int systemError_;
};

namespace messages {

// Number conversions.
std::string NotAnInteger(std::string_view text);  // "'%s' is not a valid integer value"
std::string NotAReal(std::string_view text);      // "'%s' is not a valid floating point value"

// Files.
std::string CannotOpenFile(std::string_view name, std::string_view reason);
// An output that cannot be written: 无法写入 PATH：REASON, the path as the user
// gave it and the system's error in words (磁盘已满, 没有写入权限, ...).
std::string CannotWrite(std::string_view path, int systemError);
// The window's 保存 reports a failure with the platform's file error text:
// "Disk full", "File access denied", ... or "I/O error N".
std::string SaveFailed(int systemError);
std::string UnknownModelFile(std::string_view name);  // neither a problem file nor a mesh
inline constexpr const char* BitmapNotValid = "Bitmap image is not valid";

// Capacities and consistency of what is read.
std::string TooManyNodes(long long count);         // 结点数 N 超出上限 99999
std::string TooManyElements(long long count);      // 单元数 N 超出上限 199998
std::string NegativeNodeCount(long long count);    // 结点数 N 不能为负数
std::string NegativeElementCount(long long count); // 单元数 N 不能为负数
std::string FaceCornerMissing(int element, long long corner);    // 面 J 的顶点号 K 不存在
inline constexpr const char* NoMesh = "文件中没有网格";  // no vertex line or no face line
std::string FaceCountExceedsFaces(long long count, long long faces);  // 面数 N 多于读到的 M 个面

// Gmsh meshes (.msh).
inline constexpr const char* MeshNotInPlane = "网格不在 x-y 平面内";
inline constexpr const char* NoTriangles = "文件中没有三角形单元";
inline constexpr const char* NotAGmshMesh = "不是Gmsh网格文件：文件不以 $MeshFormat 段开头";
inline constexpr const char* BadByteOrderMark = "二进制Gmsh网格文件的字节序标记不是 1";
// 不支持的单元类型 3（四结点四边形）（只接受三结点和六结点三角形）; Gmsh's name of the type
// when it is one of the common ones.
std::string UnsupportedElementType(long long type);
std::string UnsupportedMshVersion(std::string_view version);
std::string UnsupportedMshLayout(std::string_view fileType, std::string_view dataSize);
std::string SectionCutShort(std::string_view section);      // 文件在 $Nodes 段中意外结束
std::string LineTooShort(std::string_view section);         // a record missing values at its line's end
std::string LineTooLong(std::string_view text);             // a record followed by more on its line
std::string SectionEndsEarly(std::string_view section);     // fewer records than it announced
std::string SectionEndMissing(std::string_view section);    // 缺少 $EndNodes
std::string ExpectedSection(std::string_view text);
std::string MoreNodesThanCounted(long long count);
std::string DuplicateNodeTag(long long tag);
std::string NegativeCount(std::string_view text);
std::string TooManyGroupItems(long long count);  // 物理组的项数 N 超出上限
inline constexpr const char* MixedElementOrders = "网格中同时有三结点和六结点三角形";

// The trailing section of a problem file, after the element lines.
std::string SectionHeaderExpected(std::string_view text);  // only "[Trivane 1]" or "[Trivane 2]" may follow the element lines
std::string UnknownSectionKeyword(std::string_view word);
std::string SectionLineForm(std::string_view form);        // 这一行应为 FORM
std::string RepeatedSectionLine(std::string_view keyword);
std::string MissingSectionLine(std::string_view header, std::string_view keyword);  // [Trivane 1] 段缺少 problem 行
std::string UnknownProblemType(std::string_view text);
std::string UnknownGroupKind(std::string_view text);
std::string BadQuotedName(std::string_view text);
std::string RepeatedGroup(std::string_view kind, long long number);
std::string FewerGroupItems(std::string_view label, long long count);  // 组 L 的项少于写明的 N 个
// The mid-side nodes of a six-node model: one line per element.
std::string MidSideCount(long long count, long long elementCount);
std::string NodeNumberMissing(long long node, long long nodeCount);
std::string ElementNumberMissing(long long element, long long elementCount);
std::string UnknownRegion(std::string_view name);
std::string RepeatedRegionMaterial(std::string_view name);
std::string RepeatedRegionTemperature(std::string_view name);
// A second load of one kind on one edge: 边 4-5 的 water 写了两次（每条边每种荷载只能有一个）
std::string RepeatedEdgeLoad(std::string_view keyword, long long node1, long long node2);

// Meshing a geometry script with Gmsh (trivane-cli mesh).
std::string GeometryScriptError(std::string_view gmshText);  // 几何脚本出错：...
std::string MeshingFailed(std::string_view gmshText);        // 划分网格失败：...
inline constexpr const char* GeometryIs3D = "几何是三维的：只能划分 x-y 平面内的二维几何";
inline constexpr const char* GeometryHasNoSurface = "几何中没有面，划分不出三角形单元";
std::string MeshSizeNotPositive(std::string_view text);     // 网格尺寸 H 必须大于 0
std::string MeshSizeTooSmall(std::string_view text, double estimate);
// 单元阶次 N 无效：只能是 1（三结点三角形）或 2（六结点三角形）
std::string ElementOrderInvalid(std::string_view text);
// 无法载入Gmsh库 L，划分网格需要它：<the loader's reason>
std::string GmshLibraryMissing(std::string_view library, std::string_view reason);
std::string GmshFunctionMissing(std::string_view library, std::string_view function);  // Gmsh库 L 中没有函数 F

// Adaptive meshing (trivane-cli adapt).
std::string AdaptRoundFailed(int round, std::string_view reason);  // 第 K 轮失败：...
std::string MeshOverNodeLimit(long long limit);                   // 网格的结点数超出上限 N
std::string AdaptTargetOutOfRange(std::string_view text);         // 目标误差 P% 必须大于 0 且小于 100
std::string AdaptPeakTargetOutOfRange(std::string_view text);     // 峰值目标 P% 必须大于 0 且小于 100
std::string AdaptNodeLimitOutOfRange(std::string_view text);      // 结点数上限 N 必须在 3 到 99999 之间
std::string AdaptStepsOutOfRange(std::string_view text);          // 轮数 K 必须在 1 到 100 之间

// A batch tool pointing at where in a file an error was found: "FILE:LINE: TEXT".
std::string AtFileLine(std::string_view file, int line, std::string_view text);

// Analysis.
inline constexpr const char* SingularMatrix = "Singular matrix.";
inline constexpr const char* DivisionByZero = "Floating point division by zero";
inline constexpr const char* InvalidOperation = "Invalid floating point operation";
inline constexpr const char* Overflow = "Floating point overflow";
// Material values no elastic material has, naming the field.
inline constexpr const char* ModulusNotPositive = "材料参数无效：弹性模量E必须大于0";
inline constexpr const char* PoissonRatioTooSmall = "材料参数无效：泊松比μ必须大于-1";
inline constexpr const char* PoissonRatioTooLargePlaneStrain = "材料参数无效：平面应变的泊松比μ必须小于0.5";
inline constexpr const char* PoissonRatioTooLargePlaneStress = "材料参数无效：平面应力的泊松比μ不能大于0.5";
inline constexpr const char* PoissonRatioTooLargeAxisymmetric = "材料参数无效：轴对称的泊松比μ必须小于0.5";
inline constexpr const char* ThicknessNotPositive = "材料参数无效：厚度t必须大于0";
inline constexpr const char* DensityNegative = "材料参数无效：密度ρ不能小于0";
// A spin turns a solid of revolution about its axis; a plane model has no such
// axis, so a spin belongs only to an axisymmetric model, and a spinning model
// stays one.
inline constexpr const char* SpinNeedsAxisymmetric = "转速ω只用于轴对称模型";
inline constexpr const char* SpinningModelStaysAxisymmetric = "模型有转速ω，不能改为平面问题：请先把转速设为0";
std::string TooManyNodesToAnalyse(long long count);            // 结点数 N 超出计算上限 500
std::string ElementNodeMissing(int element, long long corner);  // 单元 E 的结点号 K 不存在
std::string NegativeRadius(int node);                           // 轴对称模型中结点 N 的半径为负
inline constexpr const char* GravityAcrossAxis = "轴对称模型的重力只能沿轴向 z（gx 必须为 0）";
inline constexpr const char* HoopNeedsAxisymmetric = "σθ 只属于轴对称模型";
// A six-node element whose map folds over: 单元 E 的形状翻折（边的中间结点偏离太远），无法计算
std::string ElementFolded(int element);
// The second line of "Singular matrix." when the mesh and its supports show why.
std::string SingularBecause(std::string_view cause);  // Singular matrix.\n CAUSE
std::string PartUnsupported(int node);                // 结点 N 所在的部分没有任何约束
std::string PartFreeToSlide(int node, char axis);     // 结点 N 所在的部分在 x 方向没有约束
std::string PartFreeToRotate(int node);               // 结点 N 所在的部分的约束挡不住转动
std::string LoneNode(int node);                       // 结点 N 不属于任何单元，又未在两个方向上固定

// Conditions: supports, loads and materials on groups and edges.
std::string NodeMissing(long long node);                           // 结点 K 不存在
// Edge loads go on the boundary only.
std::string EdgeNotOnBoundary(int node1, int node2);  // 结点 A 与 B 之间的边是两个单元共用的内部边，不能加边荷载
std::string EdgeNotInMesh(int node1, int node2);      // 结点 A 与 B 之间没有单元的边
std::string NoSuchGroup(std::string_view name);                    // 没有名为 'NAME' 的组
// A group of one kind where another is needed; kinds as GroupKind numbers them
// (0 node group, 1 edge group, 2 region): 组 NAME 是区域，这里需要边组
std::string WrongGroupKind(std::string_view name, int kind, int needed);
std::string OptionValueForm(std::string_view form);  // 应写成 FORM
inline constexpr const char* WaterWeightNotPositive = "水的重度必须大于零";
// Water whose level is at or below every edge it is put on, which it leaves
// unloaded: said beside the command, which still succeeds. The level and the
// group as the user wrote them.
std::string WaterBelowGroup(std::string_view level, std::string_view group);  // 水位 L 不高于边组 G 的最低点，没有边受水压
std::string WaterBelowSelection(std::string_view level);                       // 水位 L 不高于所选边的最低点，没有边受水压
// A batch tool pointing at the option a message is about: "--FLAG VALUE: TEXT".
std::string AtOption(std::string_view flag, std::string_view value, std::string_view text);

// The window's commands on the selection.
inline constexpr const char* NoBoundaryEdgeSelected = "所选结点之间没有边界边：分布荷载只加在两端都已选中的边界边上";
inline constexpr const char* NoGroups = "模型中没有组";
// 温度… on regions when the selection covers none whole.
inline constexpr const char* NoRegionSelected = "没有选中整个区域：请先用按组选择选中区域";

// The probe on a node of an axisymmetric model's axis, which the analysis
// holds radially without a support the user put there.
inline constexpr const char* AxisNodeHeldRadially = "轴上结点径向固定";

// The question before a command drops a model changed since it was opened or saved.
inline constexpr const char* ModelModified = "模型已修改，是否保存？";

// Results: a plot or an export asked for before a compute of the present model.
inline constexpr const char* ComputeFirst = "请先计算";
// An export of results that an edit has put out of date.
inline constexpr const char* ResultsOutOfDateComputeFirst = "结果已过期，请先计算";
// The deformed plot's magnification, as 变形放大… takes it.
inline constexpr const char* MagnificationNotPositive = "放大倍数必须大于0";
// An export file whose extension names no format the program writes.
std::string UnknownExportFormat(std::string_view name);  // 无法导出为 NAME：只能导出 .vtu 或 .csv 文件

}  // namespace messages
}  // namespace trivane
