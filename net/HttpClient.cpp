#include "net/HttpClient.h"

#include "diagnostics/StringHelpers.h"
#include "streams/GZipStream.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>

namespace qm {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// The text after the line's first space, trimmed.
std::string HeaderValue(const std::string& line) {
  size_t space = line.find(' ');
  return space == std::string::npos ? std::string() : Trim(line.substr(space + 1));
}

// A whole-string number in the given base; -1 when it is not one.
int64_t ParseNumber(const std::string& text, int base) {
  int64_t value = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return -1;
  return value;
}

std::string AuthorityText(const TUrlParts& url) {
  std::string host = url.Host.find(':') != std::string::npos ? "[" + url.Host + "]" : url.Host;
  return url.Port == "80" ? host : host + ":" + url.Port;
}

} // namespace

THTTPClient::THTTPClient(int32_t initialCapacity, int32_t growthStep, int32_t sizeLimit)
    : Document(initialCapacity, growthStep, sizeLimit) {}

void THTTPClient::Reset() {
  Document.Clear();
  Headers.Clear();
  MimeType = "text/html";
}

std::string THTTPClient::ResultString() const {
  std::lock_guard<std::mutex> guard(resultLock_);
  return resultString_;
}

void THTTPClient::SetResult(int32_t code, const std::string& text) {
  std::lock_guard<std::mutex> guard(resultLock_);
  resultCode_ = code;
  resultString_ = text;
}

void THTTPClient::Abort() {
  aborted_ = true;
  sock_.Interrupt();
  SetResult(-3, "Cancelled");
}

void THTTPClient::CloseSocket() {
  sock_.Close();
  lastHost_.clear();
  lastPort_.clear();
}

bool THTTPClient::Fail() {
  CloseSocket();
  if (aborted_) {
    // A reply parsed while the cancel came must not hide it.
    sock_.SetLastError(0);
    SetResult(-3, "Cancelled");
  }
  return false;
}

void THTTPClient::BuildHeaders(const std::string& method, const TUrlParts& url) {
  std::string upper = Upper(method);
  if (upper == "POST") Headers.Insert(0, "Content-Length: " + std::to_string(Document.Size()));
  if (Document.Size() > 0 && !MimeType.empty()) Headers.Insert(0, "Content-Type: " + MimeType);
  if (!UserAgent.empty()) Headers.Insert(0, "User-Agent: " + UserAgent);
  if (!KeepAlive) Headers.Insert(0, "Connection: Close");
  if (!ProxyHost.empty() && !ProxyUser.empty())
    Headers.Insert(0, "Proxy-Authorization: Basic " + Base64Encode(ProxyUser + ":" + ProxyPass));
  Headers.Insert(0, "Host: " + AuthorityText(url));
  std::string target = url.Path;
  if (!ProxyHost.empty()) target = url.Protocol + "://" + AuthorityText(url) + url.Path;
  if (target == "/*") target = "*";
  std::string line = upper + " " + target;
  if (Protocol != "0.9") line += " HTTP/" + Protocol;
  Headers.Insert(0, line);
  if (Headers[Headers.Count() - 1] != "") Headers.Add("");
}

bool THTTPClient::OpenConnection(const std::string& host, const std::string& port) {
  if (sock_.Connected() && host == lastHost_ && port == lastPort_) {
    if (!sock_.DataWaiting()) return true;
    // Stray bytes on an idle connection: drop them, or reconnect when the
    // peer has closed it.
    std::string stray;
    if (sock_.ReceivePacket(stray, 65536)) return true;
  }
  CloseSocket();
  if (aborted_ || !sock_.Connect(host, port)) return false;
  if (aborted_) return false;
  lastHost_ = host;
  lastPort_ = port;
  return true;
}

bool THTTPClient::SendHeaderBlock(const std::string& host, const std::string& port) {
  std::string block;
  for (const std::string& line : Headers.Lines()) block += line + "\r\n";
  bool reused = sock_.Connected() && host == lastHost_ && port == lastPort_;
  if (!OpenConnection(host, port)) return false;
  if (sock_.SendString(block)) return true;
  if (!reused || aborted_) return false;
  CloseSocket();
  return OpenConnection(host, port) && sock_.SendString(block);
}

bool THTTPClient::ReadStatusAndHeaders(std::string& body) {
  std::string line;
  do {
    if (!sock_.ReceiveLine(line, kMaxLine)) return false;
  } while (line.empty());
  if (!StartsWith(Upper(line), "HTTP/")) {
    body = line + "\r\n";
    SetResult(0, "");
    return true;
  }
  Headers.Add(line);
  size_t first = line.find(' ');
  size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  std::string code = first == std::string::npos ? "" : line.substr(first + 1, second == std::string::npos ? second : second - first - 1);
  int64_t number = ParseNumber(code, 10);
  SetResult(number < 0 || number > INT32_MAX ? 0 : static_cast<int32_t>(number),
            second == std::string::npos ? "" : Trim(line.substr(second + 1)));
  do {
    if (!sock_.ReceiveLine(line, kMaxLine)) return false;
    Headers.Add(line);
    std::string upper = Upper(line);
    if (StartsWith(upper, "CONTENT-LENGTH:")) {
      contentLength_ = ParseNumber(HeaderValue(line), 10);
      if (contentLength_ >= 0) chunked_ = false;
    } else if (StartsWith(upper, "TRANSFER-ENCODING:") && Trim(upper.substr(18)).find("CHUNKED") != std::string::npos) {
      chunked_ = true;
      contentLength_ = -1;
    } else if (StartsWith(upper, "CONTENT-ENCODING:")) {
      contentEncoding_ = Lower(HeaderValue(line));
    } else if (StartsWith(upper, "CONNECTION: CLOSE")) {
      closeAfter_ = true;
    }
  } while (!line.empty());
  return true;
}

bool THTTPClient::ReadChunked(std::string& body) {
  std::string line;
  for (;;) {
    do {
      if (!sock_.ReceiveLine(line, kMaxLine)) return false;
    } while (line.empty());
    std::string size = Trim(line.substr(0, line.find_first_of(" ;")));
    int64_t count = ParseNumber(size, 16);
    if (count <= 0) return true;
    if (count > kMaxBody - static_cast<int64_t>(body.size())) {
      sock_.SetLastError(TTcpClient::kErrTooLong);
      return false;
    }
    if (!sock_.ReceiveExact(body, static_cast<size_t>(count))) return false;
  }
}

bool THTTPClient::ReadUntilClose(std::string& body) {
  while (sock_.ReceivePacket(body, 65536)) {
    if (static_cast<int64_t>(body.size()) > kMaxBody) {
      sock_.SetLastError(TTcpClient::kErrTooLong);
      return false;
    }
  }
  // The peer's close or a failed receive ends the body; a cancel does not.
  if (aborted_) return false;
  sock_.SetLastError(0);
  closeAfter_ = true;
  return true;
}

bool THTTPClient::ReadBody(std::string& body) {
  if (contentLength_ >= 0) {
    if (contentLength_ > kMaxBody) {
      sock_.SetLastError(TTcpClient::kErrTooLong);
      return false;
    }
    return sock_.ReceiveExact(body, static_cast<size_t>(contentLength_));
  }
  if (chunked_) return ReadChunked(body);
  return ReadUntilClose(body);
}

bool THTTPClient::Decompress() {
  Document.SetPos(0);
  if (contentEncoding_ != "gzip") return true;
  try {
    int64_t size = Document.Size();
    TMemoryStream plain(static_cast<int32_t>(std::min<int64_t>(size * 2, kMaxBody)), 0, 0);
    TGUnzipStream unzip(Document);
    char piece[1024];
    for (int64_t got; (got = unzip.Read(piece, sizeof piece)) > 0;) {
      if (plain.Size() + got > kMaxBody) throw EStreamError("Decompressed response above the size limit");
      plain.WriteBuffer(piece, got);
    }
    unzip.Close();
    Document.Clear();
    Document.WriteBuffer(plain.Memory(), plain.Size());
    Document.SetPos(0);
    return true;
  } catch (const std::exception& error) {
    SetResult(100, error.what());
    return false;
  }
}

bool THTTPClient::SendRequest(const std::string& method, const std::string& url) {
  aborted_ = false;
  sock_.ClearInterrupt();
  SetResult(-1, "");
  sock_.SetLastError(0);
  contentLength_ = -1;
  chunked_ = false;
  closeAfter_ = false;
  contentEncoding_.clear();
  TUrlParts parts = ParseUrl(url);
  if (Upper(parts.Protocol) == "HTTPS") {
    // No TLS layer yet: never send such a request in the clear.
    sock_.SetLastError(EPROTONOSUPPORT);
    return Fail();
  }
  if (parts.Port.empty()) parts.Port = "80";
  BuildHeaders(method, parts);
  std::string host = ProxyHost.empty() ? parts.Host : ProxyHost;
  std::string port = ProxyHost.empty() ? parts.Port : (ProxyPort.empty() ? "80" : ProxyPort);
  if (!SendHeaderBlock(host, port)) return Fail();
  if (Document.Size() > 0 && !sock_.SendAll(Document.Memory(), static_cast<size_t>(Document.Size()))) return Fail();
  Document.Clear();
  Headers.Clear();
  std::string body;
  if (!ReadStatusAndHeaders(body)) return Fail();
  std::string upper = Upper(method);
  int32_t code = ResultCode();
  bool hasBody = upper != "HEAD" && code != 204 && code != 304;
  if (hasBody && !ReadBody(body)) return Fail();
  if (aborted_) return Fail();
  if (Protocol != "1.1" || closeAfter_) CloseSocket();
  // A document with a size limit of its own may refuse the body.
  if (Document.Write(body.data(), static_cast<int64_t>(body.size())) != static_cast<int64_t>(body.size())) {
    sock_.SetLastError(TTcpClient::kErrTooLong);
    return false;
  }
  return Decompress();
}

} // namespace qm
