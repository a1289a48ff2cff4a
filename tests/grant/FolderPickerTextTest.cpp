// The picker's result is trimmed of ASCII and full-width blanks, by character.
#include <gtest/gtest.h>

#include "grant/FolderPicker.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

TEST(FolderPickerText, TrimsAsciiAndFullWidthBlanks) {
  const std::string wide = "\xA1\xA1";  // the full-width blank
  const struct {
    std::string in, out;
  } cases[] = {
      {"D:\\共享", "D:\\共享"},
      {"  D:\\共享  ", "D:\\共享"},
      {wide + "D:\\共享" + wide, "D:\\共享"},
      {" " + wide + " D:\\a b " + wide + wide + " ", "D:\\a b"},  // inner blanks stay
      {"D:\\a" + wide + "b", "D:\\a" + wide + "b"},
      {"D:\\", "D:\\"},
      {"D:\\運", "D:\\運"},
      {std::string(512, ' '), ""},  // an untouched buffer
      {wide + wide, ""},
      {"", ""},
      // 啊 (B0 A1) followed by A1 B0: the A1 A1 in the middle belongs to two characters.
      {"\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
      // 啊 then a full-width blank: only the blank goes.
      {"D:\\\xB0\xA1\xA1\xA1", "D:\\\xB0\xA1"},
      // A lone lead byte at the end is kept.
      {"D:\\a\xA1", "D:\\a\xA1"},
      {"D:\\a\xA1 ", "D:\\a\xA1 "},  // A1 20 is one (broken) character, not a blank
  };
  for (const auto& c : cases) EXPECT_EQ(test::Printable(TrimFolderText(c.in)), test::Printable(c.out)) << test::Printable(c.in);
}

}  // namespace
}  // namespace qv
