// The update check's title rule and offer, with a fake fetch and scripted answers.
#include <gtest/gtest.h>

#include "app/MemoryUi.h"
#include "support/TestSupport.h"
#include "update/UpdateCheck.h"

namespace qv {
namespace {

TEST(UpdateCheck, TitleBetweenMarks) {
  struct Case {
    const char* text;
    int position;
    const char* title;
    int positionAfter;
  };
  const Case cases[] = {
      {"<title>A - B</title>", 1, "A", 12},
      {"<title>A - B - C</title>", 1, "A", 12},  // the first end mark after the start mark
      {"x - y<title>A - B", 1, "A", 17},          // an end mark before the start mark does not count
      {"<title>A - B<title>C - D", 12, "C", 24},   // searching from a later position
      {"<title>A - B", 0, "A", 12},               // below 1 counts as 1
      {"<title>A - B", -5, "A", 12},
      {"<title>A - B", 2, "", 0},
      {"<TITLE>A - B", 1, "", 0},  // exact case
      {"<title>A</title>", 1, "", 0},
      {"no title at all", 1, "", 0},
      {"<title> - ", 1, "", 11},
      {"<title>運 - ", 1, "運", 13},
  };
  for (const Case& c : cases) {
    int position = c.position;
    EXPECT_EQ(TitleBetweenMarks(c.text, "<title>", " - ", position), c.title) << c.text;
    EXPECT_EQ(position, c.positionAfter) << c.text;
  }
}

// "【首发-Quorvane  Beta V1.0】" as UTF-8 bytes: a page in another character set.
const char kReleaseTitleUtf8[] =
    "\xE3\x80\x90\xE9\xA6\x96\xE5\x8F\x91-Quorvane  Beta V1.0\xE3\x80\x91";

TEST(UpdateCheck, OfferOnlyForAnotherTitle) {
  struct Case {
    std::string page;
    bool offer;
  };
  const Case cases[] = {
      {"<html><head><title>【首发-Quorvane  Beta V1.0】 - 论坛</title>", false},
      {"<html><head><title>【首发-Quorvane  Beta V1.1】 - 论坛</title>", true},
      {"<title>【首发-Quorvane Beta V1.0】 - 论坛</title>", true},  // one blank before Beta
      {"<title>【首发-Quorvane  Beta V1.1】</title>", false},        // no end mark
      {"<TITLE>【首发-Quorvane  Beta V1.1】 - 论坛</TITLE>", false},
      {"<html>no title</html>", false},
      {"", false},
      {"a - b <title>【首发-Quorvane  Beta V1.0】 - 论坛", false},
      {"<title>【首发-Quorvane  Beta V1.0】 - x - y", false},
      // Read as GBK, UTF-8 bytes never equal the release title; whether the
      // end mark is found depends on how the bytes pair up as characters.
      {std::string("<title>") + kReleaseTitleUtf8 + " (UTF-8) - forum", true},
      {std::string("<title>") + kReleaseTitleUtf8 + " - forum", false},  // 0x91 0x20 is one character
  };
  for (const Case& c : cases) {
    ScriptedUi ui;
    std::vector<std::string> fetched;
    RunUpdateCheck(ui, [&](const std::string& address) {
      fetched.push_back(address);
      return c.page;
    });
    EXPECT_EQ(fetched, std::vector<std::string>{UpdatePageAddress()});
    ASSERT_EQ(ui.messages.size(), c.offer ? 1u : 0u) << test::Printable(c.page);
    if (c.offer) {
      EXPECT_EQ(ui.messages[0].text, "检测到新版本，是否现在更新？");
      EXPECT_EQ(ui.messages[0].title, "更新提示：");
      EXPECT_EQ(ui.messages[0].flags, kMbYesNo | kMbTaskModal);
    }
    EXPECT_TRUE(ui.opened.empty());  // no answer scripted: No
  }
}

TEST(UpdateCheck, YesOpensTheUpdatePage) {
  SetUpdatePageAddressForTests("http://127.0.0.1:1/t.html");
  for (int answer : {kIdYes, kIdNo}) {
    ScriptedUi ui;
    ui.messageAnswers = {answer};
    RunUpdateCheck(ui, [](const std::string&) { return std::string("<title>新版 - x"); });
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.opened, answer == kIdYes ? std::vector<std::string>{"http://127.0.0.1:1/t.html"}
                                          : std::vector<std::string>{});
  }
  SetUpdatePageAddressForTests("");
  EXPECT_NE(UpdatePageAddress(), "http://127.0.0.1:1/t.html");
}

TEST(UpdateCheck, FeedbackPage) {
  ScriptedUi ui;
  OpenFeedbackPage(ui);
  EXPECT_EQ(ui.opened, std::vector<std::string>{FeedbackPageAddress()});
  EXPECT_EQ(FeedbackPageAddress().rfind("http", 0), 0u);
  EXPECT_EQ(UpdatePageAddress().rfind("http", 0), 0u);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace qv
