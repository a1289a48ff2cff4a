// One table of profile-file behaviour, run natively against the project's own
// implementation and under Wine against GetPrivateProfileStringA /
// WritePrivateProfileStringA, so the two cannot drift apart. Where they must
// differ, the row says why.
#include <gtest/gtest.h>

#include <optional>

#include "common/Profile.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Printable;

#ifdef _WIN32
constexpr bool kSystemProfile = true;
#else
constexpr bool kSystemProfile = false;
#endif

struct ReadCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: no file
  std::string section, key, expected;
};

TEST(ProfileBehaviour, Read) {
  const std::string longValue(10300, 'x');
  const ReadCase cases[] = {
      {"plain", "[s]\r\nk=v\r\n", "s", "k", "v"},
      {"missing file", std::nullopt, "s", "k", ""},
      {"missing section", "[t]\r\nk=v\r\n", "s", "k", ""},
      {"missing key", "[s]\r\nj=v\r\n", "s", "k", ""},
      {"first of two equal keys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
      {"names ignore ASCII case", "[Sec]\r\nKey=v\r\n", "sEC", "kEY", "v"},
      {"blanks around key and value", "[s]\r\n  k  =  v w  \r\n", "s", "k", "v w"},
      {"blanks around section name", "[ s ]\r\nk=v\r\n", "s", "k", "v"},
      {"one pair of double quotes", "[s]\r\nk=\"v\"\r\n", "s", "k", "v"},
      {"inner quotes stay", "[s]\r\nk=\"\"v\"\"\r\n", "s", "k", "\"v\""},
      {"unbalanced quote stays", "[s]\r\nk=\"v\r\n", "s", "k", "\"v"},
      {"value with =", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
      {"empty value", "[s]\r\nk=\r\n", "s", "k", ""},
      {"LF-only lines", "[s]\nj=1\nk=v\n", "s", "k", "v"},
      {"no final line end", "[s]\r\nk=v", "s", "k", "v"},
      {"key in the next section", "[s]\r\nj=1\r\n[t]\r\nk=2\r\n", "s", "k", ""},
      {"GBK names and value", "[帐号转换成职位]\r\n張三=财务部\r\n", "帐号转换成职位", "張三", "财务部"},
      {"0x5C second bytes", "[運]\r\n誠=D:\\運\\\r\n", "運", "誠", "D:\\運\\"},
      {"long value is cut to the buffer", "[s]\r\nk=" + longValue + "\r\n", "s", "k", longValue.substr(0, 10239)},
  };
  test::TempDir dir;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("p.ini");
    os::RemoveFile(path);
    if (c.file) {
      ASSERT_TRUE(os::WriteWholeFile(path, *c.file));
    }
    EXPECT_EQ(Printable(ProfileRead(c.section, c.key, path, 10240)), Printable(c.expected));
  }
}

struct WriteCase {
  const char* name;
  std::optional<std::string> before;
  std::string section, key, value;
  std::string after;
  std::optional<std::string> systemAfter;  // what Wine's profile functions write, when it differs
};

TEST(ProfileBehaviour, Write) {
  const WriteCase cases[] = {
      {"creates the file", std::nullopt, "s", "k", "v", "[s]\r\nk=v\r\n", std::nullopt},
      {"empty value is key=", std::nullopt, "s", "k", "", "[s]\r\nk=\r\n", std::nullopt},
      {"existing key rewritten in place", "[s]\r\nk=1\r\nj=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nj=2\r\n", std::nullopt},
      {"new key after the section's last entry", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "z", "3",
       "[a]\r\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n", std::nullopt},
      {"new section at the end", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", std::nullopt},
      {"no final line end", "[a]\r\nx=1", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n", std::nullopt},
      {"GBK bytes unchanged", "[默认目录]\r\n1=D:\\運\r\n", "默认目录", "2", "E:\\誠\\",
       "[默认目录]\r\n1=D:\\運\r\n2=E:\\誠\\\r\n", std::nullopt},
      {"first of two equal keys is rewritten", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nk=2\r\n",
       std::nullopt},
      {"key matched ignoring case keeps its spelling", "[s]\r\nKey=1\r\n", "S", "key", "2", "[s]\r\nKey=2\r\n",
       std::nullopt},
      {"blanks around = on the rewritten line", "[s]\r\n k = 1 \r\nj=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nj=2\r\n",
       std::nullopt},
      {"LF-only file", "[s]\nk=1\nj=2\n", "s", "j", "3", "[s]\nk=1\nj=3\n",
       // Wine writes the whole file anew from what it parsed: CR LF line ends,
       // blank lines dropped. Windows edits the file in place, as the host does.
       "[s]\r\nk=1\r\nj=3\r\n"},
      {"blank line before the next section", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3",
       "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n", "[a]\r\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n"},
      {"comment and blank lines stay", "; note\r\n\r\n[s]\r\nk=1\r\n", "s", "k", "2", "; note\r\n\r\n[s]\r\nk=2\r\n",
       "; note\r\n[s]\r\nk=2\r\n"},
  };
  test::TempDir dir;
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("p.ini");
    os::RemoveFile(path);
    if (c.before) {
      ASSERT_TRUE(os::WriteWholeFile(path, *c.before));
    }
    EXPECT_TRUE(ProfileWrite(c.section, c.key, c.value, path));
    std::string after;
    os::ReadWholeFile(path, after);
    const std::string& expected = kSystemProfile && c.systemAfter ? *c.systemAfter : c.after;
    EXPECT_EQ(Printable(after), Printable(expected));
  }
}

}  // namespace
}  // namespace qv
