// PageFetcher on WinINet against a server of the test's own on 127.0.0.1:
// what the server receives, and what the fetch makes of the answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <mutex>

#include "app/MemoryUi.h"
#include "common/TextTools.h"
#include "support/TestSupport.h"
#include "update/PageFetcher.h"
#include "update/UpdateCheck.h"
#include "win/LocalHttpServer.h"

namespace qv {
namespace {

using test::HttpResponse;
using test::LocalHttpServer;
using test::RequestBody;
using test::RequestLines;

std::string PathOf(const std::string& request) {
  const std::vector<std::string> words = SplitText(RequestLines(request)[0], " ");
  return words.size() > 1 ? words[1] : std::string();
}

std::string Show(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += test::Printable(l) + "\n";
  return out;
}

class PageFetcherWin : public ::testing::Test {
 protected:
  // No test may wait long for a server.
  void SetUp() override { SetFetchTimeoutsForTests(FetchTimeouts{3000, 3000}); }
  void TearDown() override {
    SetFetchTimeoutsForTests(std::nullopt);
    SetUpdatePageAddressForTests("");
  }
};

TEST_F(PageFetcherWin, PlainGetSendsTheDefaultHeadersInOrder) {
  LocalHttpServer server([](const std::string&) {
    return HttpResponse("200 OK", "Content-Type: text/html\r\n", "<html>运</html>");
  });
  ASSERT_TRUE(server.ok());
  const std::string address = server.Url("/Forum/Thread-1.html?x=1&Y=2");
  EXPECT_EQ(FetchPage(address), "<html>运</html>");

  ASSERT_EQ(server.Requests().size(), 1u);
  const std::vector<std::string> expected = {
      "GET /Forum/Thread-1.html?x=1&Y=2 HTTP/1.1",
      "Host: 127.0.0.1:" + std::to_string(server.port()),
      "User-Agent: " + std::string(kDefaultAgent),
      "Referer: " + address,
      "Accept: */*",
      "Accept-Language: zh-cn",
      "Content-Type: application/x-www-form-urlencoded",
  };
  EXPECT_EQ(Show(RequestLines(server.Requests()[0])), Show(expected));
  EXPECT_EQ(RequestBody(server.Requests()[0]), "");
}

TEST_F(PageFetcherWin, PostWithAgentAndExtraHeaders) {
  LocalHttpServer server([](const std::string&) { return HttpResponse("200 OK", "", "done"); });
  ASSERT_TRUE(server.ok());
  const std::string address = server.Url("/form.php");
  FetchOptions options;
  options.method = 1;
  options.bodyText = "name=運&x=1";
  std::string headers = "User-Agent:  QvTest/1.0 \r\nAccept: text/html";
  std::string bodyBytes;
  options.extraHeaders = &headers;
  options.bodyBytes = &bodyBytes;
  EXPECT_EQ(FetchPage(address, options), "done");

  EXPECT_EQ(bodyBytes, "name=運&x=1");
  EXPECT_EQ(headers, "User-Agent:  QvTest/1.0 \r\nAccept: text/html\r\nReferer: " + address +
                         "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded");
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  const std::vector<std::string> lines = RequestLines(request);
  EXPECT_EQ(lines[0], "POST /form.php HTTP/1.1");
  int agents = 0;
  for (const std::string& l : lines) agents += FindText(l, "User-Agent:", 1, true) == 1;
  EXPECT_EQ(agents, 1) << Show(lines);
  EXPECT_NE(FindText(request, "\r\nUser-Agent: QvTest/1.0\r\n"), -1) << Show(lines);
  EXPECT_NE(FindText(request, "\r\nAccept: text/html\r\n"), -1) << Show(lines);
  EXPECT_EQ(FindText(request, "Accept: */*"), -1);
  EXPECT_NE(FindText(request, "\r\nContent-Length: 11\r\n"), -1) << Show(lines);
  EXPECT_EQ(RequestBody(request), "name=運&x=1");
}

LocalHttpServer::Responder Redirecting() {
  return [](const std::string& request) {
    if (PathOf(request) == "/old") return HttpResponse("302 Found", "Location: /new\r\n", "moved");
    return HttpResponse("200 OK", "", "arrived");
  };
}

TEST_F(PageFetcherWin, RedirectFollowedOrNot) {
  {
    LocalHttpServer server(Redirecting());
    std::string location;
    FetchOptions options;
    options.location = &location;
    EXPECT_EQ(FetchPage(server.Url("/old"), options), "arrived");
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(PathOf(server.Requests()[1]), "/new");
    EXPECT_EQ(location.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << location;  // no Location: the raw headers
  }
  {
    LocalHttpServer server(Redirecting());
    std::string location, raw;
    FetchOptions options;
    options.noRedirect = true;
    options.location = &location;
    options.rawHeaders = &raw;
    EXPECT_EQ(FetchPage(server.Url("/old"), options), "moved");
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(location, "/new");
    EXPECT_EQ(raw.rfind("HTTP/1.1 302 Found\r\n", 0), 0u) << raw;
  }
}

TEST_F(PageFetcherWin, CookiesRoundTrip) {
  LocalHttpServer server([](const std::string& request) {
    if (PathOf(request) == "/login")
      return HttpResponse("200 OK", "Set-Cookie: sid=abc; path=/\r\nSet-Cookie: lang=zh\r\n", "in");
    if (PathOf(request) == "/next") return HttpResponse("200 OK", "Set-Cookie: lang=deleted; path=/\r\n", "next");
    return HttpResponse("200 OK", "", "plain");
  });
  ASSERT_TRUE(server.ok());
  std::string cookies, returned;
  FetchOptions options;
  options.cookies = &cookies;
  options.returnedCookies = &returned;
  EXPECT_EQ(FetchPage(server.Url("/login"), options), "in");
  EXPECT_EQ(cookies, "sid=abc; lang=zh");
  EXPECT_EQ(returned, "sid=abc; lang=zh");

  EXPECT_EQ(FetchPage(server.Url("/next"), options), "next");
  EXPECT_EQ(cookies, "sid=abc");
  EXPECT_EQ(returned, "lang=deleted");
  EXPECT_EQ(FetchPage(server.Url("/plain")), "plain");

  const std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  auto cookieLines = [](const std::string& request) {
    std::vector<std::string> found;
    for (const std::string& l : RequestLines(request))
      if (FindText(l, "Cookie:", 1, true) == 1) found.push_back(l);
    return found;
  };
  EXPECT_EQ(cookieLines(requests[0]), std::vector<std::string>{});
  // Only the cookies handed in: WinINet's own cookie store is not used.
  EXPECT_EQ(cookieLines(requests[1]), std::vector<std::string>{"Cookie: sid=abc; lang=zh"});
  EXPECT_EQ(cookieLines(requests[2]), std::vector<std::string>{});
}

TEST_F(PageFetcherWin, LongBodyInOrderAndTextUpToZero) {
  std::string body;
  for (int i = 0; i < 5000; ++i) body.push_back(static_cast<char>(i % 251 + 1));
  body[3000] = '\0';
  LocalHttpServer server([&body](const std::string& request) {
    return HttpResponse("200 OK", "", PathOf(request) == "/text" ? std::string("運營\0tail", 9) : body);
  });
  ASSERT_TRUE(server.ok());
  const std::string got = FetchPage(server.Url("/bytes"));
  EXPECT_EQ(got.size(), body.size());
  EXPECT_TRUE(got == body);
  EXPECT_EQ(FetchPageText(server.Url("/text")), "運營");
}

// The raw headers are read whole however long they are; Location and cookies
// that lie past the first 5000 bytes are found.
TEST_F(PageFetcherWin, LongResponseHeaders) {
  LocalHttpServer server([](const std::string& request) {
    const std::string path = PathOf(request);
    // Six padding lines share the bytes (WinINet under Wine cuts a single
    // line at 4 KiB), so the header text grows by exactly pad.
    const size_t pad = std::stoul(path.substr(path.find('=') + 1));
    std::string lines;
    for (size_t i = 0; i < 6; ++i) lines += "X-Pad: " + std::string(pad / 6 + (i == 5 ? pad % 6 : 0), 'p') + "\r\n";
    return HttpResponse("200 OK", lines + "Set-Cookie: big=1\r\nLocation: /after\r\n", "ok");
  });
  ASSERT_TRUE(server.ok());
  auto fetch = [&](size_t pad, std::string& raw, std::string& location, std::string& cookies) {
    FetchOptions options;
    options.rawHeaders = &raw;
    options.location = &location;
    options.returnedCookies = &cookies;
    return FetchPage(server.Url("/h?pad=" + std::to_string(pad)), options);
  };
  std::string raw, location, cookies;
  ASSERT_EQ(fetch(600, raw, location, cookies), "ok");
  const size_t base = raw.size() - 600;
  for (size_t length : {4999u, 5000u, 5001u, 9000u}) {
    raw = location = cookies = "unset";
    EXPECT_EQ(fetch(length - base, raw, location, cookies), "ok");
    EXPECT_EQ(raw.size(), length);
    EXPECT_EQ(RightText(raw, 4), "\r\n\r\n") << length;
    EXPECT_EQ(location, "/after") << length;
    EXPECT_EQ(cookies, "big=1") << length;
  }
}

TEST_F(PageFetcherWin, ThroughAProxy) {
  LocalHttpServer proxy([](const std::string&) { return HttpResponse("200 OK", "", "via proxy"); });
  ASSERT_TRUE(proxy.ok());
  FetchOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(proxy.port());
  EXPECT_EQ(FetchPage("http://qv-target.invalid/p?q=1", options), "via proxy");
  ASSERT_EQ(proxy.Requests().size(), 1u);
  // The absolute address goes to the proxy (Wine writes the port out).
  const std::string line = RequestLines(proxy.Requests()[0])[0];
  EXPECT_TRUE(line == "GET http://qv-target.invalid/p?q=1 HTTP/1.1" ||
              line == "GET http://qv-target.invalid:80/p?q=1 HTTP/1.1")
      << line;
}

TEST_F(PageFetcherWin, NoServerGivesEmptyBytesInBoundedTime) {
  SetFetchTimeoutsForTests(FetchTimeouts{2000, 2000});
  LocalHttpServer silent([](const std::string&) { return std::string(); });  // accepts, never answers
  ASSERT_TRUE(silent.ok());
  const std::string addresses[] = {
      "http://qv-nowhere.invalid/t.html",
      "http://127.0.0.1:" + std::to_string(test::UnusedLocalPort()) + "/t.html",
      silent.Url("/t.html"),
  };
  for (const std::string& address : addresses) {
    const DWORD start = GetTickCount();
    std::string raw = "unset";
    FetchOptions options;
    options.rawHeaders = &raw;
    EXPECT_EQ(FetchPage(address, options), "") << address;
    EXPECT_EQ(FindText(raw, "HTTP/"), -1) << address;  // no response, and not a buffer of blanks
    EXPECT_LT(raw.size(), 8u) << address;
    EXPECT_LT(GetTickCount() - start, 8000u) << address;

    SetUpdatePageAddressForTests(address);
    ScriptedUi ui;
    RunUpdateCheck(ui);
    EXPECT_TRUE(ui.messages.empty()) << address;
  }
}

TEST_F(PageFetcherWin, UpdateCheckAgainstTheServer) {
  std::mutex mutex;  // the page is set here and read on the server's thread
  std::string page;
  LocalHttpServer server([&](const std::string&) {
    std::lock_guard<std::mutex> lock(mutex);
    return HttpResponse("200 OK", "", page);
  });
  ASSERT_TRUE(server.ok());
  const std::string address = server.Url("/forum/thread-1024-1-1.html");
  SetUpdatePageAddressForTests(address);
  struct Case {
    const char* page;
    int answer;
    bool offer;
  };
  const Case cases[] = {
      {"<html><head><title>【首发-Quorvane  Beta V1.0】 - 论坛</title></head></html>", kIdYes, false},
      {"<html><head><title>【首发-Quorvane  Beta V1.1】 - 论坛</title></head></html>", kIdNo, true},
      {"<html><head><title>【首发-Quorvane  Beta V1.1】 - 论坛</title></head></html>", kIdYes, true},
  };
  for (const Case& c : cases) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      page = c.page;
    }
    ScriptedUi ui;
    ui.messageAnswers = {c.answer};
    RunUpdateCheck(ui);
    EXPECT_EQ(ui.messages.size(), c.offer ? 1u : 0u) << c.page;
    EXPECT_EQ(ui.opened, c.offer && c.answer == kIdYes ? std::vector<std::string>{address}
                                                      : std::vector<std::string>{});
  }
  ASSERT_EQ(server.Requests().size(), 3u);
  EXPECT_EQ(RequestLines(server.Requests()[0])[0], "GET /forum/thread-1024-1-1.html HTTP/1.1");
}

}  // namespace
}  // namespace qv
