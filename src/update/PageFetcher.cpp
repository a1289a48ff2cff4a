// The portable rules of PageFetcher: address parts, agent, flags, request
// headers, response headers and the cookie merge.
#include "update/PageFetcher.h"

#include <mutex>
#include <vector>

#include "common/TextTools.h"

namespace qv {
namespace {

constexpr std::string_view kFullWidthSpace = "　";  // A1 A1 in GBK

size_t CharWidth(std::string_view s, size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// ASCII letters lower-cased; the bytes of double-byte characters unchanged.
std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size();) {
    const size_t w = CharWidth(out, i);
    if (w == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + 32);
    i += w;
  }
  return out;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return FindText(text.substr(0, prefix.size()), prefix, 1, true) == 1;
}

std::string TrimBlanks(std::string_view text) {
  const size_t a = text.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  const size_t b = text.find_last_not_of(' ');
  return std::string(text.substr(a, b - a + 1));
}

// Every ASCII and full-width blank removed.
std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const size_t w = CharWidth(text, i);
    const std::string_view ch = text.substr(i, w);
    if (ch != " " && ch != kFullWidthSpace) out.append(ch);
    i += w;
  }
  return out;
}

std::string CookieName(std::string_view item) {
  const int eq = FindText(item, "=");
  return TrimBlanks(eq < 0 ? item : item.substr(0, static_cast<size_t>(eq) - 1));
}

std::mutex g_timeoutMutex;
std::optional<FetchTimeouts> g_testTimeouts;

}  // namespace

AddressParts SplitAddress(std::string_view address) {
  AddressParts parts;
  std::string lower = LowerAscii(address);
  if (lower.empty() || lower.back() != '/') lower += '/';
  // Only a scheme at the start counts: "http://" inside a query names no host.
  parts.secure = lower.rfind("https://", 0) == 0;
  const bool scheme = parts.secure || lower.rfind("http://", 0) == 0;
  if (!scheme) lower = "http://" + lower;
  parts.hostAndPort = TextBetween(lower, parts.secure ? "https://" : "http://", "/");

  const int colon = FindText(parts.hostAndPort, ":");
  parts.host = colon < 0 ? parts.hostAndPort : parts.hostAndPort.substr(0, static_cast<size_t>(colon) - 1);
  if (colon < 0) {
    parts.port = parts.secure ? 443 : 80;
  } else {
    // The leading digits after the last ":"; none gives 0, WinINet's "default port".
    const std::string digits = TextAfterLast(parts.hostAndPort, ":");
    long value = 0;
    for (size_t i = 0; i < digits.size() && digits[i] >= '0' && digits[i] <= '9' && value <= 65535; ++i)
      value = value * 10 + (digits[i] - '0');
    parts.port = value <= 65535 ? static_cast<int>(value) : -1;
  }

  // The path keeps the address's letter case. The host is looked for after
  // the scheme, so that a host such as "h" or "tt" is not found inside it.
  int from = 1;
  if (StartsWithIgnoringCase(address, "https://")) from = 9;
  else if (StartsWithIgnoringCase(address, "http://")) from = 8;
  const int at = parts.host.empty() ? -1 : FindText(address, parts.host, from, true);
  const int slash = at < 0 ? -1 : FindText(address, "/", at);
  parts.path = slash < 0 ? std::string("/") : std::string(address.substr(static_cast<size_t>(slash) - 1));
  return parts;
}

std::string AgentFor(std::string_view extraHeaders) {
  static constexpr std::string_view kName = "User-Agent:";
  const int p = FindText(extraHeaders, kName, 1, true);
  if (p < 0) return std::string(kDefaultAgent);
  const size_t from = static_cast<size_t>(p) - 1 + kName.size();
  const int end = FindText(extraHeaders, kCrLf, static_cast<int>(from) + 1);
  const size_t to = end < 0 ? extraHeaders.size() : static_cast<size_t>(end) - 1;
  return TrimBlanks(extraHeaders.substr(from, to - from));
}

std::uint32_t RequestFlags(std::string_view address, bool cookiesGiven, bool noRedirect) {
  std::uint32_t flags = kFlagReload | kFlagNeedFile;
  if (cookiesGiven) flags |= kFlagNoCookies;
  if (noRedirect) flags |= kFlagNoAutoRedirect;
  flags |= StartsWithIgnoringCase(address, "https://") ? kFlagSecure : kFlagIgnoreRedirectToHttps;
  return flags;
}

void AppendDefaultHeaders(std::string& headers, std::string_view address, std::string_view cookies) {
  if (FindText(headers, "Referer:") < 0) {
    headers += headers.empty() ? "Referer: " : "\r\nReferer: ";
    headers += address;
  }
  if (FindText(headers, "Accept:") < 0) headers += "\r\nAccept: */*";
  if (FindText(headers, "Accept-Language:") < 0) headers += "\r\nAccept-Language: zh-cn";
  if (FindText(headers, "Content-Type:") < 0) headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  if (!cookies.empty()) {
    headers += "\r\nCookie: ";
    headers += cookies;
  }
}

ResponseHeaderInfo ReadResponseHeaders(std::string_view rawHeaders) {
  ResponseHeaderInfo info;
  for (const std::string& line : SplitText(rawHeaders, kCrLf)) {
    if (FindText(line, "Location:") > 0) {
      const int colon = FindText(line, ":");
      info.location = TrimBlanks(std::string_view(line).substr(static_cast<size_t>(colon)));
    }
    if (FindText(line, "Set-Cookie") > 0) {
      static constexpr std::string_view kName = "Set-Cookie:";
      const int p = FindText(line, kName, 1, true);
      if (p < 0) continue;  // "Set-Cookie2:" and the like set nothing here
      const std::string_view rest = std::string_view(line).substr(static_cast<size_t>(p) - 1 + kName.size());
      const std::string cookie = TrimBlanks(rest.substr(0, rest.find(';')));
      if (!cookie.empty()) info.cookies += cookie + "; ";
    }
  }
  if (info.cookies.size() >= 2) info.cookies.resize(info.cookies.size() - 2);
  return info;
}

std::string MergeCookies(std::string& oldCookies, std::string& newCookies) {
  oldCookies = WithoutBlanks(oldCookies);
  newCookies = WithoutBlanks(newCookies);
  std::vector<std::string> merged = SplitKeyList(newCookies, ";");
  std::vector<std::string> names;
  for (const std::string& item : merged) names.push_back(CookieName(item));
  for (const std::string& item : SplitKeyList(oldCookies, ";")) {
    const std::string name = CookieName(item);
    bool known = false;
    for (const std::string& n : names) known = known || n == name;
    if (known) continue;
    merged.push_back(item);
    names.push_back(name);
  }

  std::string joined;
  for (const std::string& item : merged) {
    if (item.size() >= 8 && item.compare(item.size() - 8, 8, "=deleted") == 0) continue;
    joined += item + "; ";
  }
  if (joined.size() >= 2) joined.resize(joined.size() - 2);

  std::vector<std::string> kept;
  for (const std::string& item : SplitText(joined, "; ")) {
    bool seen = false;
    for (const std::string& k : kept) seen = seen || k == item;
    if (!seen) kept.push_back(item);
  }
  std::string out;
  for (size_t i = 0; i < kept.size(); ++i) out += (i ? "; " : "") + kept[i];
  return out;
}

std::string QueryHeaderText(const std::function<bool(std::string& buffer, std::uint32_t& length)>& query) {
  std::string buffer(kHeaderBufferChars, ' ');
  std::uint32_t length = kHeaderBufferChars;
  bool ok = query(buffer, length);
  if (!ok && length > buffer.size()) {
    // Headers longer than the buffer: asked again with the size named, so
    // that Location and cookies past the first 5000 bytes are not lost.
    buffer.assign(length, ' ');
    ok = query(buffer, length);
  }
  if (!ok) return {};
  buffer.resize(std::min<size_t>(length, buffer.size()));
  return BodyAsText(buffer);
}

std::string BodyAsText(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

FetchTimeouts CurrentFetchTimeouts() {
  std::lock_guard<std::mutex> lock(g_timeoutMutex);
  return g_testTimeouts.value_or(FetchTimeouts{});
}

void SetFetchTimeoutsForTests(const std::optional<FetchTimeouts>& timeouts) {
  std::lock_guard<std::mutex> lock(g_timeoutMutex);
  g_testTimeouts = timeouts;
}

std::string FetchPageText(const std::string& address) { return BodyAsText(FetchPage(address)); }

}  // namespace qv
