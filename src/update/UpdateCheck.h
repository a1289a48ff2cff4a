// The update check at start-up and the feedback page.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "app/Ui.h"

namespace qv {

// The running release as the announcement page titles it (two blanks before "Beta").
inline constexpr std::string_view kReleaseTitle = "【首发-Quorvane  Beta V1.0】";

void RunUpdateCheck(Ui& ui);     // first step of the main window's created event
void OpenFeedbackPage(Ui& ui);   // menu "问题反馈"

// The update check with the page fetched by fetchText(address) (the body as
// text, "" when nothing came).
using FetchTextFunction = std::function<std::string(const std::string& address)>;
void RunUpdateCheck(Ui& ui, const FetchTextFunction& fetchText);

// The text between the first start mark found from position (1-based; below
// 1 counts as 1) and the first end mark after it, both matched with exact
// case. Found: position moves just past the end mark. Either mark missing:
// position becomes 0 and the result is "".
std::string TitleBetweenMarks(std::string_view text, std::string_view startMark, std::string_view endMark,
                              int& position);

// The two pages; both are fixed when the program is built.
std::string UpdatePageAddress();
std::string FeedbackPageAddress();
// Tests point the update check at a local server; "" restores the built-in address.
void SetUpdatePageAddressForTests(const std::string& address);

}  // namespace qv
