#include "win/LocalHttpServer.h"

#include <ws2tcpip.h>

#include "common/TextTools.h"

namespace qv::test {
namespace {

constexpr DWORD kRequestWaitMs = 5000;  // longest wait for one request to arrive whole

// True when the socket becomes readable within ms.
bool Readable(SOCKET s, long ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return ::select(0, &set, nullptr, nullptr, &tv) > 0;
}

struct WinsockInit {
  WinsockInit() {
    WSADATA data;
    ok = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockInit() {
    if (ok) ::WSACleanup();
  }
  bool ok = false;
};

bool WinsockReady() {
  static WinsockInit winsock;
  return winsock.ok;
}

SOCKET ListenOnLoopback(int& port) {
  if (!WinsockReady()) return INVALID_SOCKET;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return s;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  int len = sizeof addr;
  if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 8) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::closesocket(s);
    return INVALID_SOCKET;
  }
  port = ntohs(addr.sin_port);
  return s;
}

}  // namespace

LocalHttpServer::LocalHttpServer(Responder responder) : responder_(std::move(responder)) {
  int port = 0;
  listener_ = ListenOnLoopback(port);
  if (listener_ == INVALID_SOCKET) return;
  port_ = port;
  thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  for (SOCKET s : held_) ::closesocket(s);
  if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
}

std::string LocalHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LocalHttpServer::Serve() {
  while (!stop_) {
    if (!Readable(listener_, 50)) continue;
    SOCKET s = ::accept(listener_, nullptr, nullptr);
    if (s == INVALID_SOCKET) continue;
    const std::string request = ReadRequest(s);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }
    const std::string response = responder_(request);
    if (response.empty()) {
      held_.push_back(s);
      continue;
    }
    for (size_t done = 0; done < response.size();) {
      const int n = ::send(s, response.data() + done, static_cast<int>(response.size() - done), 0);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::shutdown(s, SD_SEND);
    ::closesocket(s);
  }
}

std::string LocalHttpServer::ReadRequest(SOCKET s) {
  std::string data;
  const DWORD start = ::GetTickCount();
  size_t wanted = std::string::npos;  // head + body, once the head is known
  while (!stop_ && ::GetTickCount() - start < kRequestWaitMs && (wanted == std::string::npos || data.size() < wanted)) {
    if (!Readable(s, 50)) continue;
    char buffer[4096];
    const int n = ::recv(s, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    data.append(buffer, static_cast<size_t>(n));
    const size_t headEnd = data.find("\r\n\r\n");
    if (wanted == std::string::npos && headEnd != std::string::npos) {
      size_t length = 0;
      for (const std::string& line : RequestLines(data)) {
        if (FindText(line, "Content-Length:", 1, true) == 1) length = std::stoul(line.substr(15));
      }
      wanted = headEnd + 4 + length;
    }
  }
  return data;
}

int UnusedLocalPort() {
  int port = 0;
  SOCKET s = ListenOnLoopback(port);
  if (s != INVALID_SOCKET) ::closesocket(s);
  return port;
}

std::string HttpResponse(const std::string& status, const std::string& headers, const std::string& body) {
  return "HTTP/1.1 " + status + "\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

std::vector<std::string> RequestLines(const std::string& request) {
  const size_t headEnd = request.find("\r\n\r\n");
  return SplitText(request.substr(0, headEnd), kCrLf);
}

std::string RequestBody(const std::string& request) {
  const size_t headEnd = request.find("\r\n\r\n");
  return headEnd == std::string::npos ? std::string() : request.substr(headEnd + 4);
}

}  // namespace qv::test
