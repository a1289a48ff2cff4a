#include "update/UpdateCheck.h"

#include <mutex>

#include "common/TextTools.h"
#include "update/PageFetcher.h"

#ifndef QV_UPDATE_URL
#error "QV_UPDATE_URL is set by the build"
#endif
#ifndef QV_FEEDBACK_URL
#error "QV_FEEDBACK_URL is set by the build"
#endif

namespace qv {
namespace {

std::mutex g_addressMutex;
std::string g_testUpdateAddress;

}  // namespace

std::string UpdatePageAddress() {
  std::lock_guard<std::mutex> lock(g_addressMutex);
  return g_testUpdateAddress.empty() ? std::string(QV_UPDATE_URL) : g_testUpdateAddress;
}

std::string FeedbackPageAddress() { return QV_FEEDBACK_URL; }

void SetUpdatePageAddressForTests(const std::string& address) {
  std::lock_guard<std::mutex> lock(g_addressMutex);
  g_testUpdateAddress = address;
}

std::string TitleBetweenMarks(std::string_view text, std::string_view startMark, std::string_view endMark,
                              int& position) {
  const int start = FindText(text, startMark, position < 1 ? 1 : position);
  const int from = start < 0 ? -1 : start + static_cast<int>(startMark.size());
  const int end = start < 0 ? -1 : FindText(text, endMark, from);
  if (end < 0) {
    position = 0;
    return {};
  }
  position = end + static_cast<int>(endMark.size());
  return std::string(text.substr(static_cast<size_t>(from) - 1, static_cast<size_t>(end - from)));
}

void RunUpdateCheck(Ui& ui, const FetchTextFunction& fetchText) {
  const std::string address = UpdatePageAddress();
  const std::string page = fetchText(address);
  int position = 1;
  const std::string title = TitleBetweenMarks(page, "<title>", " - ", position);
  if (title.empty() || title == kReleaseTitle) return;
  if (ui.ShowMessage("检测到新版本，是否现在更新？", "更新提示：", kMbYesNo | kMbTaskModal) == kIdYes)
    ui.ShellOpen(address);
}

void RunUpdateCheck(Ui& ui) { RunUpdateCheck(ui, FetchPageText); }

void OpenFeedbackPage(Ui& ui) { ui.ShellOpen(FeedbackPageAddress()); }

}  // namespace qv
