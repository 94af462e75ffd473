#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace qm::test {

TLoopbackServer::TLoopbackServer(Handler handler) : handler_(std::move(handler)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener_, 8) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("loopback server cannot listen");
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

TLoopbackServer::~TLoopbackServer() {
  stop_ = true;
  thread_.join();
  close(listener_);
}

std::vector<std::string> TLoopbackServer::Requests() {
  std::lock_guard<std::mutex> guard(lock_);
  return requests_;
}

void TLoopbackServer::SendText(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t sent = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (sent <= 0) return;
    done += static_cast<size_t>(sent);
  }
}

void TLoopbackServer::Run() {
  while (!stop_) {
    pollfd p{listener_, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    ++connections_;
    Serve(fd);
    close(fd);
  }
}

void TLoopbackServer::Serve(int fd) {
  std::string request;
  while (!stop_ && ReadRequest(fd, request)) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      requests_.push_back(request);
    }
    if (!handler_(fd, request)) return;
  }
}

// The header block and a Content-Length body; false when the peer closed.
bool TLoopbackServer::ReadRequest(int fd, std::string& request) {
  request.clear();
  size_t headerEnd = std::string::npos;
  size_t wanted = 0;
  for (;;) {
    if (headerEnd == std::string::npos && (headerEnd = request.find("\r\n\r\n")) != std::string::npos) {
      headerEnd += 4;
      size_t field = request.find("Content-Length: ");
      wanted = field != std::string::npos && field < headerEnd ? std::strtoul(request.c_str() + field + 16, nullptr, 10) : 0;
    }
    if (headerEnd != std::string::npos && request.size() >= headerEnd + wanted) return true;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) {
      if (stop_) return false;
      continue;
    }
    char chunk[4096];
    ssize_t got = recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0) return false;
    request.append(chunk, static_cast<size_t>(got));
  }
}

} // namespace qm::test
