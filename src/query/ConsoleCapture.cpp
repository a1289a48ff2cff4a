#include "query/ConsoleCapture.h"

#include "common/TextTools.h"

namespace qv {

std::string InterpreterCommandLine(const std::string& command, bool ntFamily) {
  return (ntFamily ? "cmd.exe /c " : "command.com /c ") + command;
}

std::string QuoteArgument(std::string_view argument) {
  // Count the backslash characters at the end, walking characters so that a
  // second byte 0x5C is not taken for one.
  size_t trailing = 0;
  for (size_t i = 0; i < argument.size();) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(argument[i])) && i + 1 < argument.size();
    if (pair) {
      trailing = 0;
      i += 2;
    } else {
      trailing = argument[i] == '\\' ? trailing + 1 : 0;
      i += 1;
    }
  }
  std::string out;
  out.reserve(argument.size() + trailing + 2);
  out.push_back('"');
  out.append(argument);
  out.append(trailing, '\\');
  out.push_back('"');
  return out;
}

std::string CaclsCommandLine(const std::string& folder) { return "cacls " + QuoteArgument(folder); }

}  // namespace qv
