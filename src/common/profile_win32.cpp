#include <windows.h>

#include <vector>

#include "common/Profile.h"

namespace qv {

std::string ProfileRead(const std::string& section, const std::string& key,
                        const std::string& path, size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(bufferSize), path.c_str());
  return std::string(buffer.data(), std::min<size_t>(n, bufferSize - 1));
}

bool ProfileWrite(const std::string& section, const std::string& key,
                  const std::string& value, const std::string& path) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace qv
