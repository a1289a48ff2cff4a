// The portable rules of the page fetch: address parts, agent, flags, request
// headers, response headers and the cookie merge.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "update/PageFetcher.h"

namespace qv {
namespace {

TEST(PageFetcher, AddressParts) {
  struct Case {
    const char* address;
    const char* hostAndPort;
    const char* host;
    int port;
    const char* path;
    bool secure;
  };
  const Case cases[] = {
      {"http://Example.com", "example.com", "example.com", 80, "/", false},
      {"https://Host.Example:8443/A/b.php?x=1&Y=/z", "host.example:8443", "host.example", 8443, "/A/b.php?x=1&Y=/z", true},
      {"Www.Example.COM/Forum/Thread-1.html", "www.example.com", "www.example.com", 80, "/Forum/Thread-1.html", false},
      {"HTTPS://A.example/", "a.example", "a.example", 443, "/", true},
      {"http://127.0.0.1:8080/t.html", "127.0.0.1:8080", "127.0.0.1", 8080, "/t.html", false},
      // A host that merely begins with "https" is no secure address.
      {"httpsite.example/page", "httpsite.example", "httpsite.example", 80, "/page", false},
      {"https.example", "https.example", "https.example", 80, "/", false},
      // Only a scheme at the start names the host.
      {"example.com/go?to=http://other.example/x", "example.com", "example.com", 80, "/go?to=http://other.example/x",
       false},
      // The host is looked for after the scheme, not inside it.
      {"http://h/x", "h", "h", 80, "/x", false},
      {"http://a.example:/", "a.example:", "a.example", 0, "/", false},
      {"http://a.example:99999/", "a.example:99999", "a.example", -1, "/", false},
      {"http://論壇.example/運/", "論壇.example", "論壇.example", 80, "/運/", false},
  };
  for (const Case& c : cases) {
    const AddressParts p = SplitAddress(c.address);
    EXPECT_EQ(p.hostAndPort, c.hostAndPort) << c.address;
    EXPECT_EQ(p.host, c.host) << c.address;
    EXPECT_EQ(p.port, c.port) << c.address;
    EXPECT_EQ(p.path, c.path) << c.address;
    EXPECT_EQ(p.secure, c.secure) << c.address;
  }
}

TEST(PageFetcher, RequestFlags) {
  struct Case {
    const char* address;
    bool cookies, noRedirect;
    std::uint32_t flags;
  };
  const Case cases[] = {
      {"http://a/", false, false, 0x80000000 | 0x10 | 0x4000},
      {"HTTPS://a/", false, false, 0x80000000 | 0x10 | 0x800000},
      {"https://a:8443/?q", true, true, 0x80000000 | 0x10 | 0x80000 | 0x200000 | 0x800000},
      {"httpsite.example/", false, true, 0x80000000 | 0x10 | 0x200000 | 0x4000},
  };
  for (const Case& c : cases) EXPECT_EQ(RequestFlags(c.address, c.cookies, c.noRedirect), c.flags) << c.address;
}

TEST(PageFetcher, Agent) {
  EXPECT_EQ(AgentFor(""), std::string(kDefaultAgent));
  EXPECT_EQ(AgentFor("Accept: */*"), std::string(kDefaultAgent));
  EXPECT_EQ(AgentFor("User-Agent: Test/1.0"), "Test/1.0");
  EXPECT_EQ(AgentFor("X-A: 1\r\nuser-agent:   Mine 2  \r\nX-B: 2"), "Mine 2");
  EXPECT_EQ(AgentFor("User-Agent:\r\nX: 1"), "");
  EXPECT_EQ(kDefaultAgent,
            "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZELMO; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
            ".NET CLR 3.5.21022)");
}

TEST(PageFetcher, RequestHeaders) {
  struct Case {
    const char* extra;
    const char* cookies;
    const char* headers;
  };
  const Case cases[] = {
      {"", "",
       "Referer: http://a/t\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded"},
      {"Accept: text/html", "",
       "Accept: text/html\r\nReferer: http://a/t\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded"},
      {"Referer: r\r\nContent-Type: text/plain\r\nAccept-Language: en", "sid=1; b=2",
       "Referer: r\r\nContent-Type: text/plain\r\nAccept-Language: en\r\nAccept: */*\r\nCookie: sid=1; b=2"},
      // Names are looked for with exact case.
      {"referer: r", "",
       "referer: r\r\nReferer: http://a/t\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded"},
  };
  for (const Case& c : cases) {
    std::string headers = c.extra;
    AppendDefaultHeaders(headers, "http://a/t", c.cookies);
    EXPECT_EQ(headers, c.headers) << c.extra;
  }
}

TEST(PageFetcher, ResponseHeaders) {
  const ResponseHeaderInfo a = ReadResponseHeaders(
      "HTTP/1.1 302 Found\r\nSet-Cookie: a=1; path=/\r\nLocation:  http://x.example/y?z=1 \r\n"
      "Set-Cookie:b=2\r\nset-cookie: c=3\r\nSet-Cookie2: d=4\r\nSet-Cookie:  ; path=/\r\n\r\n");
  EXPECT_EQ(a.location, "http://x.example/y?z=1");
  EXPECT_EQ(a.cookies, "a=1; b=2");

  const ResponseHeaderInfo b = ReadResponseHeaders("HTTP/1.1 200 OK\r\nLocation: /first\r\nLocation: /second\r\n");
  EXPECT_EQ(b.location, "/second");  // a later line replaces an earlier one
  EXPECT_EQ(b.cookies, "");

  const ResponseHeaderInfo c = ReadResponseHeaders("");
  EXPECT_EQ(c.location, "");
  EXPECT_EQ(c.cookies, "");
}

TEST(PageFetcher, CookieMerge) {
  struct Case {
    const char* oldCookies;
    const char* newCookies;
    const char* merged;
  };
  const Case cases[] = {
      {"a=1; c=3", "a=9; b=deleted", "a=9; c=3"},
      {"x=1; x=1", "", "x=1"},
      {"a = 1", "", "a=1"},
      {"", "a=1; b=2", "a=1; b=2"},
      {"", "", ""},
      {"a=1;　b=2", "c=3", "c=3; a=1; b=2"},  // full-width blank
      {"k=運; s=1", "s=deleted", "k=運"},
      {"a=1; b=2", "a=1; a=1", "a=1; b=2"},
  };
  for (const Case& c : cases) {
    std::string oldCookies = c.oldCookies, newCookies = c.newCookies;
    EXPECT_EQ(MergeCookies(oldCookies, newCookies), c.merged) << c.oldCookies << " + " << c.newCookies;
    EXPECT_EQ(oldCookies.find(' '), std::string::npos);
    EXPECT_EQ(newCookies.find(' '), std::string::npos);
  }
}

// A query that behaves like HttpQueryInfoA: the text needs its length + 1
// (the zero); a buffer too small fails and names the size needed.
TEST(PageFetcher, RawHeadersOfAnyLength) {
  for (size_t size : {0u, 100u, 4999u, 5000u, 5001u, 12000u}) {
    std::string text(size, 'h');
    if (size >= 4) text.replace(size - 4, 4, "\r\n\r\n");
    int calls = 0;
    const std::string got = QueryHeaderText([&](std::string& buffer, std::uint32_t& length) {
      ++calls;
      EXPECT_EQ(buffer, std::string(length, ' '));
      if (length < text.size() + 1) {
        length = static_cast<std::uint32_t>(text.size() + 1);
        return false;
      }
      buffer.replace(0, text.size() + 1, std::string(text).append(1, '\0'));
      length = static_cast<std::uint32_t>(text.size());
      return true;
    });
    EXPECT_EQ(got.size(), text.size()) << size;
    EXPECT_TRUE(got == text) << size;
    EXPECT_EQ(calls, size < 5000 ? 1 : 2) << size;
  }
  // Any other failure gives no header text (not a buffer of blanks).
  EXPECT_EQ(QueryHeaderText([](std::string&, std::uint32_t&) { return false; }), "");
}

TEST(PageFetcher, BodyAsText) {
  EXPECT_EQ(BodyAsText(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(BodyAsText("運營"), "運營");
  EXPECT_EQ(BodyAsText(""), "");
}

}  // namespace
}  // namespace qv
