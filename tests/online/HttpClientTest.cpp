// The HTTP client against real servers on the loopback interface: what goes over the wire, what
// comes back into the caller's buffer, certificates, time-outs, cancelling and the proxies.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "online/HttpClient.h"
#include "platform/DesktopProxy.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/TestHttpServer.h"

namespace orvane::online {
namespace {

using namespace std::chrono_literals;
using test::ServerReply;
using test::TestHttpServer;

constexpr char kBodyText[] = "app_key=VEXAL_2_QM52P18C_1_Q730_2&version=102";
constexpr std::string_view kBody{kBodyText, sizeof kBodyText};  // with its terminating zero
constexpr uint8_t kUntouched = 0xAB;

ServerReply Answer(std::string body, int status = 200) {
    ServerReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

std::string Text(const std::vector<uint8_t>& buffer, int32_t length) {
    return std::string(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(std::max(length, 0)));
}

bool StartsWithNoLinkMarker(const std::vector<uint8_t>& buffer) {
    return std::string_view(reinterpret_cast<const char*>(buffer.data()), kNoLinkMarker.size()) == kNoLinkMarker;
}

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::kLoopbackOnly);
        ResetHttpClientSettings();
    }
    int32_t Post(const std::string& url, std::vector<uint8_t>& into, std::string_view body = kBody,
                 HttpCancel* cancel = nullptr) {
        return HttpRequest("POST", url, body.data(), static_cast<int32_t>(body.size()), into, cancel);
    }
    std::vector<uint8_t> buffer = std::vector<uint8_t>(1024, 0);
};

TEST_F(HttpClientTest, SendsTheMethodPathFixedHeadersAndBodyWithItsZeroByte) {
    struct Case {
        const char* method;
        std::string_view body;
        const char* sentMethod;
    };
    const Case cases[] = {{"POST", kBody, "POST"}, {"post", kBody, "POST"}, {"get", {}, "GET"}};
    for (const Case& c : cases) {
        TestHttpServer server([](const test::SeenRequest&) { return Answer(R"({"name":"Q730"})"); });
        const int32_t n = HttpRequest(c.method, server.Url() + "/api/updates", c.body.data(),
                                      static_cast<int32_t>(c.body.size()), buffer);
        EXPECT_EQ(Text(buffer, n), R"({"name":"Q730"})") << c.method;
        ASSERT_EQ(server.Requests().size(), 1u) << c.method;
        const test::SeenRequest request = server.Requests().front();
        EXPECT_EQ(request.method, c.sentMethod);
        EXPECT_EQ(request.target, "/api/updates");
        EXPECT_EQ(request.Header("Content-Length"), std::to_string(c.body.size())) << c.method;
        EXPECT_EQ(request.Header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(request.Header("Accept"), "application/prs.Vexal.v1+json");
        for (const char* once : {"Content-Length", "Content-Type", "Accept"}) EXPECT_EQ(request.HeaderCount(once), 1u) << once;
        EXPECT_EQ(request.HeaderCount("Expect"), 0u);
        EXPECT_EQ(request.body, c.body) << c.method;
        EXPECT_EQ(GetLastHttpStatus(), 0);
    }
}

TEST_F(HttpClientTest, RefusesWhatItCannotSendWithoutTouchingTheNetworkOrTheBuffer) {
    TestHttpServer server([](const test::SeenRequest&) { return Answer("{}"); });
    struct Case {
        const char* method;
        std::string url;
        int32_t length;
        int32_t status;
    };
    const Case cases[] = {
        {"PUT", server.Url(), 0, kHttpStatusInvalidArgument},
        {"POST", "", 0, kHttpStatusEmptyUrl},
        {"POST", server.Url(), -1, kHttpStatusInvalidArgument},
    };
    for (const Case& c : cases) {
        ResetHttpClientSettings();
        std::fill(buffer.begin(), buffer.end(), kUntouched);
        EXPECT_EQ(HttpRequest(c.method, c.url, kBody.data(), c.length, buffer), -1) << c.method << c.url;
        EXPECT_EQ(GetLastHttpStatus(), c.status) << c.method << c.url;
        EXPECT_EQ(std::count(buffer.begin(), buffer.end(), kUntouched), 1024);
    }
    EXPECT_EQ(server.Connections(), 0u);
}

TEST_F(HttpClientTest, ReturnsTheBodyOfEveryStatusAndKeepsTheLastStatus) {
    for (int status : {200, 404, 500}) {
        TestHttpServer server([status](const test::SeenRequest&) { return Answer("body of " + std::to_string(status), status); });
        HttpSettings().lastStatus = 42;  // only ever set by a failure
        const int32_t n = Post(server.Url() + "/api/updates", buffer);
        EXPECT_EQ(Text(buffer, n), "body of " + std::to_string(status));
        EXPECT_EQ(GetLastHttpStatus(), 42);
    }
}

TEST_F(HttpClientTest, UnreachableHostGivesTheNoLinkMarkerAsFarAsTheBufferGoes) {
    const std::string url = "http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/api/updates";
    EXPECT_EQ(Post(url, buffer), 0);
    EXPECT_TRUE(StartsWithNoLinkMarker(buffer));
    EXPECT_EQ(GetLastHttpStatus(), kHttpStatusCurlBase + 7);  // libcurl's CURLE_COULDNT_CONNECT

    std::vector<uint8_t> small(12, kUntouched);
    EXPECT_EQ(HttpRequest("POST", url, kBody.data(), 3, std::span(small).first(8)), 0);
    EXPECT_EQ(std::string(small.begin(), small.begin() + 8), "NO_LINK_");
    EXPECT_EQ(std::count(small.begin() + 8, small.end(), kUntouched), 4);
}

TEST_F(HttpClientTest, CutsALongerReplyAtTheBufferEndAndSaysSo) {
    const std::string big(200 * 1024, 'x');
    TestHttpServer server([&big](const test::SeenRequest&) { return Answer(big); });
    std::vector<uint8_t> memory(102400 + 64, kUntouched);
    const int32_t n = HttpRequest("POST", server.Url(), kBody.data(), static_cast<int32_t>(kBody.size()),
                                  std::span(memory).first(102400));
    EXPECT_EQ(n, 102400);
    EXPECT_EQ(std::count(memory.begin(), memory.begin() + 102400, 'x'), 102400);
    EXPECT_EQ(std::count(memory.begin() + 102400, memory.end(), kUntouched), 64);
    EXPECT_EQ(GetLastHttpStatus(), kHttpStatusReplyCut);
}

TEST_F(HttpClientTest, VerifiesCertificatesAndTrustsAConfiguredAuthority) {
    const test::TestCertificates& certificates = test::TestCertificates::Get();
    const test::TempFile authority(certificates.caPem);
    struct Case {
        const char* what;
        const test::TlsIdentity* server;
        bool trustTestCa;
        bool accepted;
    };
    const Case cases[] = {
        {"self-signed", &certificates.selfSigned, false, false},
        {"self-signed, test CA trusted", &certificates.selfSigned, true, false},
        {"from the test CA, not trusted", &certificates.signedByCa, false, false},
        {"from the test CA, trusted", &certificates.signedByCa, true, true},
        {"another name", &certificates.otherName, true, false},
    };
    for (const Case& c : cases) {
        TestHttpServer server([](const test::SeenRequest&) { return Answer("secret"); }, c.server);
        ResetHttpClientSettings();
        if (c.trustTestCa) HttpSettings().caFile = authority.Path();
        std::fill(buffer.begin(), buffer.end(), 0);
        const int32_t n = Post(server.Url() + "/api/updates", buffer);
        if (c.accepted) {
            EXPECT_EQ(Text(buffer, n), "secret") << c.what;
        } else {
            EXPECT_EQ(n, 0) << c.what;
            EXPECT_TRUE(StartsWithNoLinkMarker(buffer)) << c.what;
            EXPECT_TRUE(server.Requests().empty()) << c.what;
        }
    }
}

TEST_F(HttpClientTest, EachTimeOutEndsARequestThatMakesNoProgress) {
    const test::UnansweredPort unanswered;
    const auto silent = TestHttpServer::Silent();
    TestHttpServer holding([](const test::SeenRequest&) {
        ServerReply reply;
        reply.hold = true;
        return reply;
    });
    const std::string bigBody(8 * 1024 * 1024, 'b');
    struct Case {
        const char* what;
        std::string url;
        std::string_view body;
        int32_t HttpClientSettings::*limit;
        bool sent;
        int32_t status;
    };
    const Case cases[] = {
        {"connect", "http://127.0.0.1:" + std::to_string(unanswered.Port()), kBody, &HttpClientSettings::connectTimeoutMs, false,
         kHttpStatusCurlBase + 28},  // libcurl's CURLE_OPERATION_TIMEDOUT
        {"send", silent->Url(), bigBody, &HttpClientSettings::sendTimeoutMs, true, kHttpStatusTimedOut},
        {"receive", holding.Url(), kBody, &HttpClientSettings::receiveTimeoutMs, true, kHttpStatusTimedOut},
    };
    for (const Case& c : cases) {
        ResetHttpClientSettings();
        HttpSettings().*c.limit = 300;
        std::fill(buffer.begin(), buffer.end(), 0);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Post(c.url + "/api/updates", buffer, c.body), 0) << c.what;
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, 290ms) << c.what;
        EXPECT_LT(took, 10s) << c.what;  // far below every other limit
        EXPECT_EQ(StartsWithNoLinkMarker(buffer), !c.sent) << c.what;
        EXPECT_EQ(GetLastHttpStatus(), c.status) << c.what;
    }
}

TEST_F(HttpClientTest, CancelEndsARunningRequestAtOnceAndEveryLaterOne) {
    TestHttpServer holding([](const test::SeenRequest&) {
        ServerReply reply;
        reply.hold = true;
        return reply;
    });
    HttpCancel cancel;
    std::thread canceller([&] {
        holding.WaitForConnections(1);
        std::this_thread::sleep_for(50ms);
        cancel.Cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Post(holding.Url(), buffer, kBody, &cancel), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);  // the receive limit is 30 s
    canceller.join();
    EXPECT_EQ(GetLastHttpStatus(), kHttpStatusCancelled);

    EXPECT_EQ(Post(holding.Url(), buffer, kBody, &cancel), 0);
    EXPECT_TRUE(StartsWithNoLinkMarker(buffer));
    EXPECT_EQ(holding.Connections(), 1u);
}

// The desktop's proxy settings, in the memory backend of this test program.
class DesktopProxySettings {
public:
    DesktopProxySettings() {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, kDesktopProxySchema, TRUE) : nullptr;
        if (schema == nullptr) return;
        settings_ = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
    }
    ~DesktopProxySettings() {
        if (settings_ == nullptr) return;
        g_settings_reset(settings_, "mode");
        g_settings_reset(settings_, "ignore-hosts");
        GSettings* http = g_settings_get_child(settings_, "http");
        g_settings_reset(http, "host");
        g_settings_reset(http, "port");
        g_object_unref(http);
        g_object_unref(settings_);
    }
    bool Installed() const { return settings_ != nullptr; }
    void Manual(uint16_t port) {
        g_settings_set_string(settings_, "mode", "manual");
        const gchar* none[] = {nullptr};
        g_settings_set_strv(settings_, "ignore-hosts", none);
        GSettings* http = g_settings_get_child(settings_, "http");
        g_settings_set_string(http, "host", "127.0.0.1");
        g_settings_set_int(http, "port", port);
        g_object_unref(http);
    }

private:
    GSettings* settings_ = nullptr;
};

TEST_F(HttpClientTest, TriesTheEnvironmentsProxyFirstThenOnceTheDesktopsProxy) {
    TestHttpServer proxy([](const test::SeenRequest& r) { return Answer("via proxy " + r.target); });
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/api/updates";

    ::setenv("http_proxy", proxy.Url().c_str(), 1);
    EXPECT_EQ(Text(buffer, Post(unreachable, buffer)), "via proxy " + unreachable);
    ::unsetenv("http_proxy");
    EXPECT_EQ(proxy.Requests().size(), 1u);

    DesktopProxySettings desktop;
    if (!desktop.Installed()) GTEST_SKIP() << kDesktopProxySchema << " is not installed";
    EXPECT_EQ(Post(unreachable, buffer), 0);  // mode "none": no second attempt
    EXPECT_TRUE(StartsWithNoLinkMarker(buffer));

    desktop.Manual(proxy.Port());
    EXPECT_EQ(Text(buffer, Post(unreachable, buffer)), "via proxy " + unreachable);
    ASSERT_EQ(proxy.Requests().size(), 2u);
    EXPECT_EQ(proxy.Requests().back().body, kBody);

    desktop.Manual(test::ClosedPort());  // the second attempt fails too: still nothing sent
    std::fill(buffer.begin(), buffer.end(), 0);
    EXPECT_EQ(Post(unreachable, buffer), 0);
    EXPECT_TRUE(StartsWithNoLinkMarker(buffer));
}

}  // namespace
}  // namespace orvane::online
