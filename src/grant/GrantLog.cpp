#include "grant/GrantLog.h"

namespace qv {

std::string GrantLogStamp(const os::LocalTime& t) {
  std::string s = std::to_string(t.year) + "年" + std::to_string(t.month) + "月" + std::to_string(t.day) + "日";
  if (t.second != 0) {
    s += std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分" + std::to_string(t.second) + "秒";
  } else if (t.minute != 0) {
    s += std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分";
  } else if (t.hour != 0) {
    s += std::to_string(t.hour) + "时";
  }
  return s;
}

std::string GrantLogLine(const std::string& account, const std::string& folder, bool granted) {
  return "为用户：" + account + "授权：" + folder + "----" + (granted ? "真" : "假") + "\r\n";
}

std::string GrantLogPath(const os::LocalTime& t) {
  return os::ProgramDirectory() + "\\Log\\" + GrantLogStamp(t) + ".Txt";
}

bool WriteGrantLog(const std::string& text, const os::LocalTime& t) {
  const std::string folder = os::ProgramDirectory() + "\\Log";
  if (!os::DirectoryExists(folder)) os::MakeDirectory(folder);
  const std::string path = GrantLogPath(t);
  return os::FileExists(path) ? os::AppendToFile(path, text) : os::WriteWholeFile(path, text);
}

}  // namespace qv
