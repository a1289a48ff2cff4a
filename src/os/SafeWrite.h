// Replacing a file only once its new content is complete: the bytes go to a
// new file in the same folder, which then takes the target's place. A failure
// at any step leaves an existing target as it was.
#pragma once
#include <string>
#include <string_view>

namespace qv::os {

// The folder part of a path with its final separator ("\", "/" or the ":" of
// a drive), or "" for a bare name. A "\" that is the second byte of a GBK
// character belongs to the name.
std::string FolderOf(const std::string& path);
// A name in the target's folder that no file has yet ("~" stem N ".tmp"), or
// "" when none is free.
std::string TemporaryNameBeside(const std::string& target, const std::string& stem);
// The whole of bytes as the new content of path.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace qv::os
