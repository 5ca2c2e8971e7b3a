#include "tests/e2e/driver/tcp_port.h"

#include <winsock2.h>

#include <stdexcept>

namespace pravex::e2e {

namespace {

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data{};
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession() { ::WSACleanup(); }
};

class Socket {
 public:
  Socket() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    if (socket_ == INVALID_SOCKET) throw std::runtime_error("socket() failed");
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() { ::closesocket(socket_); }
  SOCKET get() const { return socket_; }

 private:
  SOCKET socket_;
};

}  // namespace

bool LocalPortAccepts(unsigned short port) {
  const WinsockSession session;
  const Socket probe;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = ::htons(port);
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  // A refused connection on the loopback answers at once.
  return ::connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
}

}  // namespace pravex::e2e
