// PageFetcher: one HTTP or HTTPS request through WinINet, returning the
// response body. The address, header and cookie rules are portable functions
// (tested natively); the WinINet calls sit in PageFetcher_win32.cpp. Texts
// are GBK bytes; nothing converts character sets, downloaded pages included.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

inline constexpr std::string_view kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZELMO; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
    ".NET CLR 3.5.21022)";
inline constexpr int kReadChunkBytes = 1024;
inline constexpr int kHeaderBufferChars = 5000;

// WinINet request flags (the values of wininet.h).
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;

// The options of a fetch; every one may be left out. The pointers are the
// caller's variables, read and overwritten (nullptr: left out).
struct FetchOptions {
  int method = 0;                          // 0: GET without body; 1: POST with body
  std::string bodyText;                    // POST body, used when *bodyBytes is empty
  std::string* cookies = nullptr;          // in/out: sent; then merged with those set (WinINet's own cookies off)
  std::string* returnedCookies = nullptr;  // out: "a=1; b=2" as set by the response
  std::string* extraHeaders = nullptr;     // in/out: CR LF separated; the default headers are appended
  std::string* location = nullptr;         // out: the Location header, else the whole raw header text
  bool noRedirect = false;
  std::string* bodyBytes = nullptr;        // in/out: POST body; filled from bodyText when empty
  std::optional<std::string> proxy;        // "host:port" of an HTTP proxy
  std::string* rawHeaders = nullptr;       // out: the response headers, CR LF separated
};

// The response body; empty when the connection cannot be set up (the out
// variables are then left as they were). The HTTP status is not looked at.
std::string FetchPage(const std::string& address, const FetchOptions& options = {});
// A plain GET with every option left out; the body as text (up to its first
// zero byte).
std::string FetchPageText(const std::string& address);

// ---- The portable rules the fetch is made of ----

struct AddressParts {
  std::string hostAndPort;  // from the lower-cased address
  std::string host;
  int port = 80;            // -1 when the number does not fit a port
  std::string path;         // with the address's own letter case, query included
  bool secure = false;      // the address starts with "https://"
};
// "http://" is assumed when the address starts with neither "http://" nor
// "https://" (in any letter case). No port: 443 for https, else 80.
AddressParts SplitAddress(std::string_view address);

// The agent named by a "User-Agent:" line of the extra headers (name in any
// case; the value trimmed of blanks, maybe empty), else the default agent.
std::string AgentFor(std::string_view extraHeaders);

std::uint32_t RequestFlags(std::string_view address, bool cookiesGiven, bool noRedirect);

// Appends the default request headers that the text lacks (each looked for
// with exact case): Referer, Accept, Accept-Language, Content-Type, and
// Cookie when cookies is not empty.
void AppendDefaultHeaders(std::string& headers, std::string_view address, std::string_view cookies);

struct ResponseHeaderInfo {
  std::string location;  // "" when no line holds "Location:"
  std::string cookies;   // name=value of every Set-Cookie line, joined by "; "
};
ResponseHeaderInfo ReadResponseHeaders(std::string_view rawHeaders);

// The old cookies with the new ones laid over them: a name set again takes
// the new value, "=deleted" items go, repeats go. Both inputs lose their
// blanks (ASCII and full-width), as they are written back to the caller.
std::string MergeCookies(std::string& oldCookies, std::string& newCookies);

// Runs a raw-header query into a buffer of kHeaderBufferChars blanks. query
// fills the buffer and sets length to the text's length (without the zero);
// on failure it sets length to the size it needs when the buffer was too
// small, and the query is made once more with a buffer that size. Returns
// the header text, or "" when the query fails.
std::string QueryHeaderText(const std::function<bool(std::string& buffer, std::uint32_t& length)>& query);

// The body bytes as text: up to the first zero byte.
std::string BodyAsText(std::string_view bytes);

// Bounds on how long a fetch may wait for the server, in milliseconds (set
// on the WinINet handles). Tests shorten them.
struct FetchTimeouts {
  unsigned connectMs = 10000;
  unsigned receiveMs = 15000;
};
FetchTimeouts CurrentFetchTimeouts();
void SetFetchTimeoutsForTests(const std::optional<FetchTimeouts>& timeouts);

}  // namespace qv
