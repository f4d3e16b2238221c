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
  return "文件 \"" + std::string(name) + "\" 既不是平面问题文件(*.trv)，也不是三维模型ASCII码文件(*.ase)";
}

std::string AtFileLine(std::string_view file, int line, std::string_view text) {
  return std::string(file) + ":" + std::to_string(line) + ": " + std::string(text);
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

std::string UnknownExportFormat(std::string_view name) {
  return "无法导出为 " + std::string(name) + "：只能导出 .vtu 或 .csv 文件";
}

}  // namespace trivane::messages
