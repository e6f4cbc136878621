#include "platform/DesktopProxy.h"

#include <gio/gio.h>

#include <algorithm>
#include <cctype>
#include <memory>

#include "platform/DebugLog.h"

namespace orvane {
namespace {

struct SettingsDeleter {
    void operator()(GSettings* settings) const { g_object_unref(settings); }
};
using SettingsPtr = std::unique_ptr<GSettings, SettingsDeleter>;

std::string TakeString(gchar* value) {
    std::string text = value != nullptr ? value : "";
    g_free(value);
    return text;
}

// A child schema of the proxy settings ("http", "https", "socks").
SettingsPtr Child(GSettings* proxy, const char* name) { return SettingsPtr(g_settings_get_child(proxy, name)); }

// Host names and address literals only: a host that could reshape the proxy URL is refused.
bool IsPlainHost(const std::string& host) {
    return !host.empty() && host.size() <= 253 && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
    });
}

std::optional<std::string> ProxyUrl(GSettings* server, const char* scheme) {
    const std::string host = TakeString(g_settings_get_string(server, "host"));
    if (host.empty()) return std::nullopt;
    if (!IsPlainHost(host)) {
        DebugLog("desktop proxy: host \"" + host + "\" refused");
        return std::nullopt;
    }
    const bool bareV6 = host.find(':') != std::string::npos && host.front() != '[';
    std::string url = std::string(scheme) + "://" + (bareV6 ? "[" + host + "]" : host);
    const int port = g_settings_get_int(server, "port");
    if (port > 0 && port <= 65535) url += ":" + std::to_string(port);
    return url;
}

// GNOME's "*.example.org" is libcurl's ".example.org"; address ranges ("127.0.0.0/8") are kept.
std::string NoProxyList(GSettings* proxy) {
    gchar** hosts = g_settings_get_strv(proxy, "ignore-hosts");
    std::string list;
    for (gchar** h = hosts; h != nullptr && *h != nullptr; ++h) {
        std::string host = *h;
        if (host.rfind("*.", 0) == 0) host.erase(0, 1);
        const auto slash = host.find('/');
        const std::string address = host.substr(0, slash);
        const bool prefixOk = slash == std::string::npos ||
                              (slash + 1 < host.size() && std::all_of(host.begin() + static_cast<long>(slash) + 1, host.end(),
                                                                      [](unsigned char c) { return std::isdigit(c); }));
        const std::string name = !address.empty() && address.front() == '.' ? address.substr(1) : address;
        if (!IsPlainHost(name) || !prefixOk) continue;
        if (!list.empty()) list += ',';
        list += host;
    }
    g_strfreev(hosts);
    return list;
}

}  // namespace

std::optional<DesktopProxy> FindDesktopProxy(std::string_view scheme) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source != nullptr ? g_settings_schema_source_lookup(source, kDesktopProxySchema, TRUE) : nullptr;
    if (schema == nullptr) return std::nullopt;
    SettingsPtr proxy(g_settings_new_full(schema, nullptr, nullptr));
    g_settings_schema_unref(schema);

    const std::string mode = TakeString(g_settings_get_string(proxy.get(), "mode"));
    if (mode == "auto") DebugLog("desktop proxy: automatic configuration scripts are not run; no proxy used");
    if (mode != "manual") return std::nullopt;

    SettingsPtr http = Child(proxy.get(), "http");
    std::optional<std::string> url;
    bool viaHttpProxy = false;
    if (scheme == "https") {
        url = ProxyUrl(Child(proxy.get(), "https").get(), "http");
        if (!url && g_settings_get_boolean(proxy.get(), "use-same-proxy")) {
            url = ProxyUrl(http.get(), "http");
            viaHttpProxy = url.has_value();
        }
    } else if (scheme == "http") {
        url = ProxyUrl(http.get(), "http");
        viaHttpProxy = url.has_value();
    }
    if (!url) url = ProxyUrl(Child(proxy.get(), "socks").get(), "socks5h");
    if (!url) return std::nullopt;

    DesktopProxy result;
    result.url = *url;
    result.noProxy = NoProxyList(proxy.get());
    if (viaHttpProxy && g_settings_get_boolean(http.get(), "use-authentication")) {
        result.user = TakeString(g_settings_get_string(http.get(), "authentication-user"));
        result.password = TakeString(g_settings_get_string(http.get(), "authentication-password"));
    }
    return result;
}

}  // namespace orvane
