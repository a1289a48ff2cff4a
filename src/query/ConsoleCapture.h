// Console command capture: runs a command hidden and returns everything it
// wrote to its standard output and standard error, bytes unchanged.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace qv {

// Polled between the passes of a capture: true makes the capture return at
// once with what it has (the command is left to finish on its own).
using CaptureCancel = std::function<bool()>;

// Runs command through the system's command interpreter ("cmd.exe /c ", or
// "command.com /c " outside the NT family). "" for an empty command (nothing
// is started) and for any failure: a failure only shortens the result.
std::string CaptureOutput(const std::string& command, const CaptureCancel& cancelled = {});

// The same capture, but commandLine starts its program directly, with no
// interpreter in between: nothing in it is expanded or split by "&", "%",
// "^" and the like, so each argument arrives as the C runtime reads it.
// The program is searched for as CreateProcessA does (the program's own
// directory, the current directory, the system directories, PATH).
std::string CaptureProgramOutput(const std::string& commandLine, const CaptureCancel& cancelled = {});

// The interpreter's command line for a command.
std::string InterpreterCommandLine(const std::string& command, bool ntFamily);

// An argument in double quotes, read back by the C runtime as exactly these
// bytes. Backslashes that stand right before the closing quote are doubled,
// or the last one would escape the quote; a 0x5C that is the second byte of
// a GBK character ("運" is DF 5C) is no backslash and is left alone, because
// the receiving program reads its command line as characters. Meant for
// texts without '"' (Windows allows none in file names).
std::string QuoteArgument(std::string_view argument);

// The command that lists a folder's access entries: cacls and the folder as
// its one argument.
std::string CaclsCommandLine(const std::string& folder);

}  // namespace qv
