// PageFetcher on WinINet: a thin layer of calls over the portable rules.
#include <windows.h>
#include <wininet.h>

#include "os/Handles.h"
#include "update/PageFetcher.h"

namespace qv {
namespace {

struct InternetTraits {
  using Handle = HINTERNET;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::InternetCloseHandle(h); }
};
using InternetHandle = win::Owned<InternetTraits>;

// Bounds the waits for a server that does not answer: start-up waits for
// this fetch, and WinINet's own receive wait can be unbounded. Set on the
// root handle and again on the request: Wine passes only the connect time-out
// from the root handle down to a request. A zero leaves WinINet's own value.
void SetTimeouts(HINTERNET handle) {
  const FetchTimeouts t = CurrentFetchTimeouts();
  auto set = [handle](DWORD option, DWORD ms) {
    if (ms != 0) ::InternetSetOptionA(handle, option, &ms, sizeof ms);
  };
  set(INTERNET_OPTION_CONNECT_TIMEOUT, t.connectMs);
  set(INTERNET_OPTION_SEND_TIMEOUT, t.receiveMs);
  set(INTERNET_OPTION_RECEIVE_TIMEOUT, t.receiveMs);
}

}  // namespace

std::string FetchPage(const std::string& address, const FetchOptions& options) {
  const AddressParts parts = SplitAddress(address);
  if (parts.port < 0) return {};
  std::string ownHeaders;
  std::string& headers = options.extraHeaders ? *options.extraHeaders : ownHeaders;

  const char* verb = options.method == 1 ? "POST" : "GET";
  const std::string agent = AgentFor(headers);
  InternetHandle root(options.proxy
                          ? ::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, ("http=" + *options.proxy).c_str(),
                                            "", 0)
                          : ::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  if (!root) return {};
  SetTimeouts(root.get());
  InternetHandle connection(::InternetConnectA(root.get(), parts.host.c_str(),
                                               static_cast<INTERNET_PORT>(parts.port), "", "",
                                               INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  const DWORD flags = RequestFlags(address, options.cookies != nullptr, options.noRedirect);
  InternetHandle request(::HttpOpenRequestA(connection.get(), verb, parts.path.c_str(), "HTTP/1.1", nullptr,
                                            nullptr, flags, 0));
  if (!request) return {};
  SetTimeouts(request.get());

  AppendDefaultHeaders(headers, address, options.cookies ? *options.cookies : std::string());
  if (options.method == 0) {
    ::HttpSendRequestA(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0);
  } else {
    std::string ownBody;
    std::string& body = options.bodyBytes ? *options.bodyBytes : ownBody;
    if (body.empty()) body = options.bodyText;
    ::HttpSendRequestA(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                       body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size()));
  }

  std::string received;
  char chunk[kReadChunkBytes];
  for (;;) {
    DWORD n = 0;
    if (!::InternetReadFile(request.get(), chunk, sizeof chunk, &n) || n == 0) break;
    received.append(chunk, n);
  }

  const std::string raw = QueryHeaderText([&](std::string& buffer, std::uint32_t& length) {
    DWORD size = static_cast<DWORD>(buffer.size());
    const bool ok = ::HttpQueryInfoA(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &size, nullptr);
    length = size;
    return ok;
  });
  request.reset();
  connection.reset();
  root.reset();

  const ResponseHeaderInfo info = ReadResponseHeaders(raw);
  if (options.cookies) {
    // The merge strips blanks from its inputs; the returned cookies keep
    // their "; " joins.
    std::string set = info.cookies;
    *options.cookies = MergeCookies(*options.cookies, set);
  }
  if (options.returnedCookies) *options.returnedCookies = info.cookies;
  if (options.location) *options.location = info.location.empty() ? raw : info.location;
  if (options.rawHeaders) *options.rawHeaders = raw;
  return received;
}

}  // namespace qv
