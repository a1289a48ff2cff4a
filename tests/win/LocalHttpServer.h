// A small HTTP server on 127.0.0.1 (an ephemeral port) in a thread of the
// test program, for the WinINet tests. It reads each request whole (head and
// Content-Length body), records it and answers with what the responder
// returns, then closes the connection. Every wait is bounded.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qv::test {

class LocalHttpServer {
 public:
  // The raw response for a raw request; "" holds the connection open with no
  // answer until the server stops.
  using Responder = std::function<std::string(const std::string& request)>;

  explicit LocalHttpServer(Responder responder);
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  bool ok() const { return port_ != 0; }
  int port() const { return port_; }
  std::string Url(const std::string& path) const;  // "http://127.0.0.1:port" + path
  std::vector<std::string> Requests() const;       // as received, in order

 private:
  void Serve();
  std::string ReadRequest(SOCKET s);

  Responder responder_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<SOCKET> held_;
  std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on (taken and given back).
int UnusedLocalPort();

// A whole response: status line, the given header lines (each ending in
// CR LF), Content-Length, "Connection: close", then the body.
std::string HttpResponse(const std::string& status, const std::string& headers, const std::string& body);

// The head of a raw request cut into lines (request line first), and its body.
std::vector<std::string> RequestLines(const std::string& request);
std::string RequestBody(const std::string& request);

}  // namespace qv::test
