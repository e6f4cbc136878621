#pragma once
// A small blocking HTTP client on libcurl: one request at a time on the calling thread, the reply
// body written into the caller's buffer, a status word left behind for the caller.
//
// Every request carries the program's fixed headers: Content-Length with the body length as
// given, Content-Type "application/x-www-form-urlencoded" and Accept
// "application/prs.Vexal.v1+json". Only http and https are spoken; certificates are verified
// (peer and host name) against the system's authorities and, when set, a CA file of our own.
// Redirects are not followed. The proxy: libcurl's environment variables (http_proxy,
// https_proxy, all_proxy, no_proxy) on the first attempt; when that attempt could not send the
// request, one more through the proxy the desktop's settings name (platform/DesktopProxy.h).

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace orvane::online {

// The last status values this client sets (0: nothing recorded).
inline constexpr int32_t kHttpStatusEmptyUrl = 3;
inline constexpr int32_t kHttpStatusInvalidArgument = 87;  // a method other than GET and POST, a bad body
inline constexpr int32_t kHttpStatusReplyCut = 122;        // the reply was longer than the buffer
inline constexpr int32_t kHttpStatusCancelled = 995;
inline constexpr int32_t kHttpStatusTimedOut = 1460;       // no progress within the send or receive limit
// Any other failed step: this base plus libcurl's CURLcode.
inline constexpr int32_t kHttpStatusCurlBase = 10000;

// The no-link marker: written at the start of the reply buffer when no request could be sent.
inline constexpr std::string_view kNoLinkMarker{"NO_LINK_SERVER\0", 15};

// Per thread: a request uses the settings of the thread it runs on, so a check that was abandoned
// and is still ending can never disturb the next one.
struct HttpClientSettings {
    static constexpr size_t kMaxUserAgent = 49;
    std::string userAgent = "orvane-q730/" ORVANE_VERSION;
    int32_t lastStatus = 0;
    // Milliseconds; 0 or less is no limit. libcurl resolves names and connects under one limit:
    // resolve + connect when both are set, else connect alone (and no limit is libcurl's own cap
    // of 300 s). Send and receive limit the time without progress in their direction.
    int32_t resolveTimeoutMs = 0;
    int32_t connectTimeoutMs = 60000;
    int32_t sendTimeoutMs = 30000;
    int32_t receiveTimeoutMs = 30000;
    // A PEM file of certificate authorities to trust besides the system's; empty for none.
    std::string caFile;
};

// The calling thread's settings.
HttpClientSettings& HttpSettings();
void ResetHttpClientSettings();
int32_t GetLastHttpStatus();

struct CurlTransfer;

// Cancels requests from another thread: Cancel() ends the request running with it at once (it
// wakes libcurl, whose progress callback then aborts the transfer) and every later one before it
// starts. Any thread.
class HttpCancel {
public:
    void Cancel();
    bool IsCancelled() const;

private:
    friend struct CurlTransfer;
    // The transfer running with this cancel; false (nothing attached) when already cancelled.
    bool Attach(void* multi);
    void Detach();

    mutable std::mutex mutex_;
    bool cancelled_ = false;
    void* active_ = nullptr;  // libcurl's multi handle of that transfer
};

// Method "GET" or "POST" in any case. Returns -1 when the request was not attempted (empty URL:
// last status 3; another method, a negative body length or a missing body: 87); otherwise the
// number of reply body bytes written into `reply` from its first byte, whatever the HTTP status.
// Nothing is written beyond `reply`: a longer reply is cut there, the transfer ends and the last
// status says kHttpStatusReplyCut. No terminating zero is added. When the request could not be
// sent at all, `reply` begins with kNoLinkMarker (as much of it as fits) and 0 is returned. A
// failure leaves its code in the last status; success leaves the last status as it was.
int32_t HttpRequest(std::string_view method, std::string_view url, const void* body, int32_t bodyLength,
                    std::span<uint8_t> reply, HttpCancel* cancel = nullptr);

}  // namespace orvane::online
