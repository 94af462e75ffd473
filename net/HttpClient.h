// One HTTP request at a time over a blocking TCP connection: status, header
// lines and body of the response; another thread may cancel a request.
#pragma once

#include "net/TcpClient.h"
#include "platform/StringList.h"
#include "streams/MemoryStream.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace qm {

class THTTPClient {
public:
  // Bounds on what a server may make the client hold in memory.
  static constexpr int64_t kMaxBody = 16 * 1024 * 1024;
  static constexpr size_t kMaxLine = 8192;

  THTTPClient(int32_t initialCapacity = 65536, int32_t growthStep = 16384, int32_t sizeLimit = -1);

  // Clears the document and the header list; MimeType becomes "text/html".
  void Reset();
  // Sends the request with Document as body; reads the response into Headers
  // and Document. False on a socket error, time-out, cancel, a response above
  // the limits or a decompression failure.
  bool SendRequest(const std::string& method, const std::string& url);
  // From another thread: ends the running request at once.
  void Abort();
  std::string ResponseBody() const { return Document.AsString(); }

  TTcpClient& Sock() { return sock_; }
  int32_t ResultCode() const { return resultCode_; }
  std::string ResultString() const;

  std::string ProxyHost, ProxyPort, ProxyUser, ProxyPass;
  bool KeepAlive = true;
  std::string Protocol = "1.0";
  std::string MimeType = "text/html";
  std::string UserAgent = "Mozilla/4.0 (compatible)";
  TStringList Headers;
  TMemoryStream Document;

  int Timeout() const { return sock_.Timeout(); }
  void SetTimeout(int milliseconds) { sock_.SetTimeout(milliseconds); }

private:
  void BuildHeaders(const std::string& method, const TUrlParts& url);
  bool OpenConnection(const std::string& host, const std::string& port);
  bool SendHeaderBlock(const std::string& host, const std::string& port);
  bool ReadStatusAndHeaders(std::string& body);
  bool ReadBody(std::string& body);
  bool ReadChunked(std::string& body);
  bool ReadUntilClose(std::string& body);
  bool Decompress();
  bool Fail();
  void SetResult(int32_t code, const std::string& text);
  void CloseSocket();

  TTcpClient sock_;
  std::string lastHost_, lastPort_;
  mutable std::mutex resultLock_;   // ResultCode/ResultString are written by Abort too
  int32_t resultCode_ = -1;
  std::string resultString_;
  std::atomic<bool> aborted_{false};
  // The response framing found in the headers.
  int64_t contentLength_ = -1;
  bool chunked_ = false;
  bool closeAfter_ = false;
  std::string contentEncoding_;
};

} // namespace qm
