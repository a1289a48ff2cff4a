#include "common/Profile.h"
#include "os/Files.h"

namespace qv {

std::string ProfileRead(const std::string& section, const std::string& key,
                        const std::string& path, size_t bufferSize) {
  std::string file;
  if (bufferSize == 0 || !os::ReadWholeFile(path, file)) return {};
  std::string value = profile_text::Read(file, section, key);
  if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
  return value;
}

bool ProfileWrite(const std::string& section, const std::string& key,
                  const std::string& value, const std::string& path) {
  std::string file;
  os::ReadWholeFile(path, file);  // a missing file starts empty
  return os::WriteWholeFile(path, profile_text::Write(file, section, key, value));
}

}  // namespace qv
