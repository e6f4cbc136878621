#pragma once
// The proxy the desktop's own settings name for a URL scheme, read from GSettings
// ("org.gnome.system.proxy", the settings GNOME and most GTK desktops keep): in manual mode the
// scheme's proxy (https falls back to the http proxy while "use-same-proxy" is set), else the
// SOCKS proxy. Mode "none" names none, and so does mode "auto": an automatic configuration
// script is JavaScript that this program does not run.

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr const char* kDesktopProxySchema = "org.gnome.system.proxy";

struct DesktopProxy {
    std::string url;      // "http://host:port" or "socks5h://host:port"
    std::string noProxy;  // "ignore-hosts", comma-separated, in libcurl's NOPROXY form
    std::string user;     // the http proxy's credentials when "use-authentication" is set
    std::string password;
};

// nullopt when the schema is not installed, no proxy applies or its host is empty. Safe from any
// thread.
std::optional<DesktopProxy> FindDesktopProxy(std::string_view scheme);

}  // namespace orvane
