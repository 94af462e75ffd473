#include "net/TcpClient.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <algorithm>

namespace qm {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Splits "host:port" or "[v6]:port"; port stays empty when not given.
void SplitHostPort(const std::string& authority, std::string& host, std::string& port) {
  if (!authority.empty() && authority[0] == '[') {
    size_t close = authority.find(']');
    host = authority.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    if (close != std::string::npos && close + 1 < authority.size() && authority[close + 1] == ':')
      port = authority.substr(close + 2);
    return;
  }
  size_t colon = authority.rfind(':');
  host = authority.substr(0, colon);
  if (colon != std::string::npos) port = authority.substr(colon + 1);
}

} // namespace

TUrlParts ParseUrl(const std::string& url) {
  TUrlParts parts;
  std::string rest = url;
  size_t scheme = rest.find("://");
  if (scheme != std::string::npos) {
    parts.Protocol = rest.substr(0, scheme);
    rest.erase(0, scheme + 3);
  } else {
    parts.Protocol = "http";
  }
  size_t slash = rest.find_first_of("/?");
  std::string authority = rest.substr(0, slash);
  parts.Path = slash == std::string::npos ? "/" : rest.substr(slash);
  if (parts.Path[0] == '?') parts.Path.insert(0, "/");
  size_t at = authority.rfind('@');
  if (at != std::string::npos) {
    std::string credentials = authority.substr(0, at);
    authority.erase(0, at + 1);
    size_t colon = credentials.find(':');
    parts.User = credentials.substr(0, colon);
    if (colon != std::string::npos) parts.Password = credentials.substr(colon + 1);
  }
  SplitHostPort(authority, parts.Host, parts.Port);
  if (parts.Port.empty()) parts.Port = Lower(parts.Protocol) == "https" ? "443" : "80";
  return parts;
}

TTcpClient::~TTcpClient() { Close(); }

bool TTcpClient::Connect(const std::string& host, const std::string& port) {
  Close();
  lastError_ = 0;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int rc = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
  if (rc != 0) {
    lastError_ = rc == EAI_SYSTEM && errno ? errno : EHOSTUNREACH;
    return false;
  }
  bool connected = false;
  for (addrinfo* a = found; a && !connected; a = a->ai_next) connected = ConnectTo(a->ai_family, a->ai_addr, a->ai_addrlen);
  freeaddrinfo(found);
  if (!connected) return false;
  lastError_ = 0;
  return true;
}

// A non-blocking connect bounded by the time-out; the socket is published
// first so that Interrupt can end the wait.
bool TTcpClient::ConnectTo(int family, const sockaddr* address, socklen_t length) {
  int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) { lastError_ = errno; return false; }
  {
    std::lock_guard<std::mutex> guard(fdLock_);
    if (interrupted_) { ::close(fd); lastError_ = ECANCELED; return false; }
    fd_ = fd;
  }
  int rc = connect(fd, address, length);
  if (rc != 0 && errno == EINPROGRESS) {
    pollfd p{fd, POLLOUT, 0};
    do rc = poll(&p, 1, timeoutMs_); while (rc < 0 && errno == EINTR);
    int error = rc == 0 ? kErrTimeout : 0;
    socklen_t size = sizeof error;
    if (rc > 0) getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
    rc = error == 0 ? 0 : -1;
    errno = error;
  }
  if (rc == 0 && Interrupted()) {
    rc = -1;
    errno = ECANCELED;
  }
  if (rc != 0) {
    lastError_ = errno ? errno : ECONNREFUSED;
    Close();
    return false;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return true;
}

bool TTcpClient::SendAll(const void* data, size_t count) {
  if (fd_ < 0) { lastError_ = ENOTCONN; return false; }
  const char* p = static_cast<const char*>(data);
  while (count > 0) {
    ssize_t sent = send(fd_, p, count, MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      lastError_ = errno;
      return false;
    }
    p += sent;
    count -= static_cast<size_t>(sent);
  }
  return true;
}

bool TTcpClient::WaitReadable() {
  pollfd p{fd_, POLLIN, 0};
  for (;;) {
    int rc = poll(&p, 1, timeoutMs_);
    if (rc > 0) return true;
    if (rc == 0) { lastError_ = kErrTimeout; return false; }
    if (errno != EINTR) { lastError_ = errno; return false; }
  }
}

bool TTcpClient::FillBuffer() {
  if (fd_ < 0) { lastError_ = ENOTCONN; return false; }
  if (!WaitReadable()) return false;
  char chunk[65536];
  ssize_t got;
  do got = recv(fd_, chunk, sizeof chunk, 0); while (got < 0 && errno == EINTR);
  if (got < 0) { lastError_ = errno; return false; }
  if (got == 0) { lastError_ = kErrClosed; return false; }
  buffer_.append(chunk, static_cast<size_t>(got));
  return true;
}

bool TTcpClient::ReceiveLine(std::string& line, size_t maxLength) {
  size_t scanned = 0;
  for (;;) {
    size_t lf = buffer_.find('\n', scanned);
    if (lf != std::string::npos) {
      size_t end = lf > 0 && buffer_[lf - 1] == '\r' ? lf - 1 : lf;
      if (end > maxLength) { lastError_ = kErrTooLong; return false; }
      line.assign(buffer_, 0, end);
      buffer_.erase(0, lf + 1);
      return true;
    }
    if (buffer_.size() > maxLength + 1) { lastError_ = kErrTooLong; return false; }
    scanned = buffer_.size();
    if (!FillBuffer()) return false;
  }
}

bool TTcpClient::ReceivePacket(std::string& data, size_t maxCount) {
  if (buffer_.empty() && !FillBuffer()) return false;
  size_t take = std::min(maxCount, buffer_.size());
  data.append(buffer_, 0, take);
  buffer_.erase(0, take);
  return true;
}

bool TTcpClient::ReceiveExact(std::string& data, size_t count) {
  while (count > 0) {
    if (buffer_.empty() && !FillBuffer()) return false;
    size_t take = std::min(count, buffer_.size());
    data.append(buffer_, 0, take);
    buffer_.erase(0, take);
    count -= take;
  }
  return true;
}

bool TTcpClient::DataWaiting() {
  if (!buffer_.empty()) return true;
  if (fd_ < 0) return false;
  pollfd p{fd_, POLLIN, 0};
  return poll(&p, 1, 0) > 0;
}

void TTcpClient::Close() {
  std::lock_guard<std::mutex> guard(fdLock_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
}

bool TTcpClient::Interrupted() {
  std::lock_guard<std::mutex> guard(fdLock_);
  return interrupted_;
}

void TTcpClient::ClearInterrupt() {
  std::lock_guard<std::mutex> guard(fdLock_);
  interrupted_ = false;
}

void TTcpClient::Interrupt() {
  std::lock_guard<std::mutex> guard(fdLock_);
  interrupted_ = true;
  if (fd_ >= 0) shutdown(fd_, SHUT_RDWR);
}

} // namespace qm
