// A scripted HTTP peer on 127.0.0.1 for the client tests: it accepts
// connections on a thread of its own, reads each request (header block and
// Content-Length body) and hands it to the test's handler, which writes the
// reply on the connection.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm::test {

class TLoopbackServer {
public:
  // handler(fd, request) answers one request; returning false closes the
  // connection, true waits for another request on it.
  using Handler = std::function<bool(int fd, const std::string& request)>;

  explicit TLoopbackServer(Handler handler);
  ~TLoopbackServer();

  std::string Port() const { return std::to_string(port_); }
  std::vector<std::string> Requests();
  int Connections() const { return connections_; }
  bool Stopping() const { return stop_; }

  static void SendText(int fd, const std::string& text);

private:
  void Run();
  void Serve(int fd);
  bool ReadRequest(int fd, std::string& request);

  int listener_ = -1;
  int port_ = 0;
  Handler handler_;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::mutex lock_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

} // namespace qm::test
