#include "net/HttpClient.h"

#include "LoopbackServer.h"
#include "streams/GZipStream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace qm {
namespace {

using test::TLoopbackServer;

// A server that gives every request the same reply and then closes.
TLoopbackServer::Handler Reply(const std::string& text, bool keepOpen = false) {
  return [text, keepOpen](int fd, const std::string&) {
    TLoopbackServer::SendText(fd, text);
    return keepOpen;
  };
}

std::string Url(const TLoopbackServer& server, const std::string& path = "/") {
  return "http://127.0.0.1:" + server.Port() + path;
}

std::string Gzip(const std::string& plain) {
  TMemoryStream packed;
  TGZipStream zip(packed);
  zip.WriteString(plain);
  zip.Close();
  return packed.AsString();
}

std::string WithLength(const std::string& status, const std::string& extra, const std::string& body) {
  return status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extra + "\r\n" + body;
}

TEST(HttpClientRequest, EmptyPostSendsZeroLengthAndNoContentType) {
  TLoopbackServer server(Reply(WithLength("HTTP/1.0 200 OK", "", "done")));
  THTTPClient client;
  ASSERT_TRUE(client.SendRequest("post", Url(server, "/send?x=1")));
  EXPECT_EQ(client.ResultCode(), 200);
  EXPECT_EQ(client.ResultString(), "OK");
  EXPECT_EQ(client.ResponseBody(), "done");
  std::string expected = "POST /send?x=1 HTTP/1.0\r\nHost: 127.0.0.1:" + server.Port() +
                         "\r\nUser-Agent: Mozilla/4.0 (compatible)\r\nContent-Length: 0\r\n\r\n";
  EXPECT_EQ(server.Requests().at(0), expected);
}

TEST(HttpClientRequest, PostWithBodyCarriesTypeAndCallerHeaders) {
  TLoopbackServer server(Reply(WithLength("HTTP/1.0 200 OK", "", "")));
  THTTPClient client;
  client.Reset();
  client.MimeType = "application/x-www-form-urlencoded";
  client.Headers.Add("X-Extra: 1");
  client.Document.WriteString("a=b");
  client.KeepAlive = false;
  ASSERT_TRUE(client.SendRequest("POST", Url(server)));
  EXPECT_EQ(server.Requests().at(0),
            "POST / HTTP/1.0\r\nHost: 127.0.0.1:" + server.Port() +
                "\r\nConnection: Close\r\nUser-Agent: Mozilla/4.0 (compatible)"
                "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\nX-Extra: 1\r\n\r\na=b");
}

TEST(HttpClientRequest, ProxyGetsAbsoluteTargetAndBasicAuthorization) {
  TLoopbackServer proxy(Reply(WithLength("HTTP/1.0 200 OK", "", "via proxy")));
  THTTPClient client;
  client.ProxyHost = "127.0.0.1";
  client.ProxyPort = proxy.Port();
  client.ProxyUser = "user";
  client.ProxyPass = "pass";
  client.UserAgent.clear();
  ASSERT_TRUE(client.SendRequest("POST", "http://feedback.example:8080/post.php"));
  EXPECT_EQ(client.ResponseBody(), "via proxy");
  EXPECT_EQ(proxy.Requests().at(0),
            "POST http://feedback.example:8080/post.php HTTP/1.0\r\nHost: feedback.example:8080"
            "\r\nProxy-Authorization: Basic dXNlcjpwYXNz\r\nContent-Length: 0\r\n\r\n");
}

TEST(HttpClientRequest, DefaultPortIsLeftOutOfHostAndTarget) {
  TLoopbackServer proxy(Reply(WithLength("HTTP/1.0 200 OK", "", "")));
  THTTPClient client;
  client.ProxyHost = "127.0.0.1";
  client.ProxyPort = proxy.Port();
  client.UserAgent.clear();
  ASSERT_TRUE(client.SendRequest("GET", "http://site.example/a"));
  EXPECT_EQ(proxy.Requests().at(0), "GET http://site.example/a HTTP/1.0\r\nHost: site.example\r\n\r\n");
}

struct BodyCase {
  const char* name;
  std::string reply;
  std::string body;
};

class HttpClientBody : public testing::TestWithParam<BodyCase> {};

TEST_P(HttpClientBody, IsReadAsFramed) {
  TLoopbackServer server(Reply(GetParam().reply));
  THTTPClient client;
  ASSERT_TRUE(client.SendRequest("GET", Url(server)));
  EXPECT_EQ(client.ResponseBody(), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Framing, HttpClientBody,
    testing::Values(
        BodyCase{"ChunkedWithExtensions",
                 "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                 "1a;name=value\r\nabcdefghijklmnopqrstuvwxyz\r\n3 ; x=y\r\n123\r\n0\r\n\r\n",
                 "abcdefghijklmnopqrstuvwxyz123"},
        BodyCase{"UntilClose", "HTTP/1.0 200 OK\r\nServer: t\r\n\r\nall of it\nuntil close", "all of it\nuntil close"},
        BodyCase{"LaterChunkedBeatsLength",
                 "HTTP/1.1 200 OK\r\nContent-Length: 99\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n", "ok"},
        BodyCase{"NoStatusLine", "just text\nmore", "just text\r\nmore"},
        BodyCase{"GzipBody", WithLength("HTTP/1.0 200 OK", "Content-Encoding: gzip\r\n", Gzip("packed text")), "packed text"},
        BodyCase{"PlainBodyUnderGzipHeader", WithLength("HTTP/1.0 200 OK", "Content-Encoding: gzip\r\n", "plain text"),
                 "plain text"}),
    [](const auto& info) { return std::string(info.param.name); });

// The server answers without a body and keeps the connection open: reading
// a body would block until the time-out and fail.
TEST(HttpClientNoBody, HeadAnd204And304ReadNothing) {
  struct Case { const char* method; const char* status; };
  for (Case c : {Case{"HEAD", "HTTP/1.0 200 OK"}, Case{"GET", "HTTP/1.0 204 No Content"},
                 Case{"GET", "HTTP/1.0 304 Not Modified"}}) {
    TLoopbackServer server(Reply(std::string(c.status) + "\r\nContent-Length: 5\r\n\r\n", true));
    THTTPClient client;
    client.SetTimeout(5000);
    EXPECT_TRUE(client.SendRequest(c.method, Url(server))) << c.status;
    EXPECT_EQ(client.Document.Size(), 0) << c.status;
  }
}

TEST(HttpClientConnection, Http11ReusesTheConnection) {
  TLoopbackServer server(Reply(WithLength("HTTP/1.1 200 OK", "", "one"), true));
  THTTPClient client;
  client.Protocol = "1.1";
  ASSERT_TRUE(client.SendRequest("GET", Url(server)));
  client.Reset();
  ASSERT_TRUE(client.SendRequest("GET", Url(server)));
  EXPECT_EQ(client.ResponseBody(), "one");
  EXPECT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Connections(), 1);
}

TEST(HttpClientConnection, Http10OpensAFreshConnectionEachTime) {
  TLoopbackServer server(Reply(WithLength("HTTP/1.0 200 OK", "", "one"), true));
  THTTPClient client;
  ASSERT_TRUE(client.SendRequest("GET", Url(server)));
  ASSERT_TRUE(client.SendRequest("GET", Url(server)));
  EXPECT_EQ(server.Connections(), 2);
}

TEST(HttpClientFailure, RefusedConnectionReportsNetworkError) {
  std::string port;
  { TLoopbackServer gone(Reply("")); port = gone.Port(); }
  THTTPClient client;
  EXPECT_FALSE(client.SendRequest("GET", "http://127.0.0.1:" + port + "/"));
  EXPECT_NE(client.Sock().LastError(), 0);
}

TEST(HttpClientFailure, AbortEndsASlowResponse) {
  // Half the announced body, then silence until the server is stopped.
  TLoopbackServer server([](int fd, const std::string&) {
    TLoopbackServer::SendText(fd, "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nfirst part");
    return true;
  });
  THTTPClient client;
  client.SetTimeout(120000);
  std::thread canceller([&] {
    while (server.Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    client.Abort();
  });
  EXPECT_FALSE(client.SendRequest("GET", Url(server)));
  canceller.join();
  EXPECT_EQ(client.ResultCode(), -3);
  EXPECT_EQ(client.ResultString(), "Cancelled");
  EXPECT_EQ(client.Sock().LastError(), 0);
}

TEST(HttpClientFailure, CorruptGzipGivesCode100) {
  std::string packed = Gzip("some text to pack");
  packed[packed.size() - 6] ^= 0x55;   // breaks the CRC check
  TLoopbackServer server(Reply(WithLength("HTTP/1.0 200 OK", "Content-Encoding: gzip\r\n", packed)));
  THTTPClient client;
  EXPECT_FALSE(client.SendRequest("GET", Url(server)));
  EXPECT_EQ(client.ResultCode(), 100);
  EXPECT_FALSE(client.ResultString().empty());
  EXPECT_EQ(client.Sock().LastError(), 0);
}

// Replies that would make the client hold more than its limits.
struct OversizeCase {
  const char* name;
  std::string reply;
  bool networkError;   // false: the decoder's failure (code 100)
};

class HttpClientOversize : public testing::TestWithParam<OversizeCase> {};

TEST_P(HttpClientOversize, FailsInsteadOfGrowing) {
  TLoopbackServer server(Reply(GetParam().reply, true));
  THTTPClient client;
  client.SetTimeout(5000);
  EXPECT_FALSE(client.SendRequest("GET", Url(server)));
  if (GetParam().networkError)
    EXPECT_NE(client.Sock().LastError(), 0);
  else
    EXPECT_EQ(client.ResultCode(), 100);
  EXPECT_LT(client.Document.Size(), THTTPClient::kMaxBody);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, HttpClientOversize,
    testing::Values(
        OversizeCase{"ContentLength", "HTTP/1.0 200 OK\r\nContent-Length: 16777217\r\n\r\nabc", true},
        OversizeCase{"ChunkSize", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1000001\r\nabc", true},
        OversizeCase{"ChunksTogether",
                     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffff\r\n" + std::string(0xffffff, 'a') +
                         "\r\n2\r\nab\r\n0\r\n\r\n",
                     true},
        OversizeCase{"HeaderLine", "HTTP/1.0 200 OK\r\nX-Long: " + std::string(9000, 'x') + "\r\n\r\n", true},
        OversizeCase{"StatusLine", "HTTP/1.0 200 " + std::string(9000, 'x') + "\r\n\r\n", true},
        OversizeCase{"GzipDecoded",
                     WithLength("HTTP/1.0 200 OK", "Content-Encoding: gzip\r\n", Gzip(std::string(17 << 20, '\0'))),
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UrlSplitter, SplitsTheParts) {
  TUrlParts p = ParseUrl("https://me:secret@[::1]:8443/a/b?c=d");
  EXPECT_EQ(p.Protocol, "https");
  EXPECT_EQ(p.User, "me");
  EXPECT_EQ(p.Password, "secret");
  EXPECT_EQ(p.Host, "::1");
  EXPECT_EQ(p.Port, "8443");
  EXPECT_EQ(p.Path, "/a/b?c=d");
  EXPECT_EQ(ParseUrl("https://host").Port, "443");
  EXPECT_EQ(ParseUrl("http://host?q").Path, "/?q");
  EXPECT_EQ(ParseUrl("host.example/x").Port, "80");
}

} // namespace
} // namespace qm

namespace qm {
namespace {

TEST(HttpClientFailure, DocumentLimitRefusingTheBodyFails) {
  test::TLoopbackServer server([](int fd, const std::string&) {
    test::TLoopbackServer::SendText(fd, "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n0123456789");
    return false;
  });
  THTTPClient client(16, 0, 8);
  EXPECT_FALSE(client.SendRequest("GET", "http://127.0.0.1:" + server.Port() + "/"));
  EXPECT_NE(client.Sock().LastError(), 0);
}

} // namespace
} // namespace qm
