// The desktop's proxy settings read from GSettings' memory backend.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/DesktopProxy.h"

namespace orvane {
namespace {

// Before anything in this process opens GSettings.
const bool kMemoryBackend = ::setenv("GSETTINGS_BACKEND", "memory", 1) == 0;

class DesktopProxyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kMemoryBackend);
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, kDesktopProxySchema, TRUE) : nullptr;
        if (schema == nullptr) GTEST_SKIP() << kDesktopProxySchema << " is not installed";
        proxy_ = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
    }
    void TearDown() override {
        if (proxy_ == nullptr) return;
        for (const char* key : {"mode", "ignore-hosts", "use-same-proxy"}) g_settings_reset(proxy_, key);
        for (const char* child : {"http", "https", "socks"}) {
            GSettings* settings = g_settings_get_child(proxy_, child);
            for (const char* key : {"host", "port"}) g_settings_reset(settings, key);
            if (std::string(child) == "http") {
                for (const char* key : {"use-authentication", "authentication-user", "authentication-password"}) {
                    g_settings_reset(settings, key);
                }
            }
            g_object_unref(settings);
        }
        g_object_unref(proxy_);
    }
    void Server(const char* child, const char* host, int port) {
        GSettings* settings = g_settings_get_child(proxy_, child);
        g_settings_set_string(settings, "host", host);
        g_settings_set_int(settings, "port", port);
        g_object_unref(settings);
    }
    GSettings* proxy_ = nullptr;
};

TEST_F(DesktopProxyTest, ManualModeNamesTheSchemesProxyElseTheSocksProxy) {
    g_settings_set_string(proxy_, "mode", "manual");
    Server("http", "proxy.lan", 3128);
    Server("socks", "::1", 1080);
    EXPECT_EQ(FindDesktopProxy("http")->url, "http://proxy.lan:3128");
    g_settings_set_boolean(proxy_, "use-same-proxy", TRUE);
    EXPECT_EQ(FindDesktopProxy("https")->url, "http://proxy.lan:3128");
    g_settings_set_boolean(proxy_, "use-same-proxy", FALSE);
    EXPECT_EQ(FindDesktopProxy("https")->url, "socks5h://[::1]:1080");
    Server("https", "secure.lan", 0);
    EXPECT_EQ(FindDesktopProxy("https")->url, "http://secure.lan");

    GSettings* http = g_settings_get_child(proxy_, "http");
    g_settings_set_boolean(http, "use-authentication", TRUE);
    g_settings_set_string(http, "authentication-user", "me");
    g_settings_set_string(http, "authentication-password", "secret");
    g_object_unref(http);
    EXPECT_EQ(FindDesktopProxy("http")->user, "me");
    EXPECT_EQ(FindDesktopProxy("http")->password, "secret");
    EXPECT_TRUE(FindDesktopProxy("https")->user.empty());  // the credentials are the http proxy's
}

TEST_F(DesktopProxyTest, NoProxyOutsideManualModeOrForAHostThatCouldReshapeTheUrl) {
    Server("http", "proxy.lan", 3128);
    for (const char* mode : {"none", "auto"}) {
        g_settings_set_string(proxy_, "mode", mode);
        EXPECT_FALSE(FindDesktopProxy("http")) << mode;
    }
    g_settings_set_string(proxy_, "mode", "manual");
    Server("http", "evil.example/@proxy.lan", 3128);
    EXPECT_FALSE(FindDesktopProxy("http"));
    Server("http", "", 3128);
    EXPECT_FALSE(FindDesktopProxy("http"));
}

TEST_F(DesktopProxyTest, IgnoredHostsBecomeLibcurlsNoProxyList) {
    g_settings_set_string(proxy_, "mode", "manual");
    Server("http", "proxy.lan", 3128);
    const gchar* hosts[] = {"localhost", "127.0.0.0/8", "*.example.org", "bad host", "10.0.0.0/x", nullptr};
    g_settings_set_strv(proxy_, "ignore-hosts", hosts);
    EXPECT_EQ(FindDesktopProxy("http")->noProxy, "localhost,127.0.0.0/8,.example.org");
}

}  // namespace
}  // namespace orvane
