// The grant log: one file per run under the program directory's "Log" folder,
// named by the local date and time at the end of the run, one line per grant
// attempted. GBK text, CR LF line ends.
#pragma once
#include <string>

#include "os/Files.h"

namespace qv {

// "2013年5月1日14时3分7秒": the date, then the time down to its last part that
// is not zero (seconds, minutes or hours; nothing at 0:00:00). Decimal, no
// leading zeros, hours 0 to 23.
std::string GrantLogStamp(const os::LocalTime& t);

// "为用户：" account "授权：" folder "----" 真/假 CR LF.
std::string GrantLogLine(const std::string& account, const std::string& folder, bool granted);

// Program directory + "\Log\" + stamp + ".Txt".
std::string GrantLogPath(const os::LocalTime& t);

// Writes a run's log text. The "Log" folder is made when it is missing, so the
// administrator's record is not lost; a file of the same name (a run in the
// same second) is appended to rather than emptied. False when nothing could
// be written; the caller carries on silently.
bool WriteGrantLog(const std::string& text, const os::LocalTime& t);

}  // namespace qv
