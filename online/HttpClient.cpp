#include "online/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <tuple>

#include "platform/DebugLog.h"
#include "platform/DesktopProxy.h"

namespace orvane::online {
namespace {

using Clock = std::chrono::steady_clock;

thread_local HttpClientSettings tSettings;

constexpr const char* kHeaders[] = {
    "Content-Type: application/x-www-form-urlencoded",
    "Accept: application/prs.Vexal.v1+json",
    "Expect:",  // no waiting for "100 Continue" before a longer body
};

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string SchemeOf(std::string_view url) {
    const auto end = url.find("://");
    std::string scheme(url.substr(0, end == std::string_view::npos ? 0 : end));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
    return scheme;
}

void WriteNoLinkMarker(std::span<uint8_t> reply) {
    const size_t n = std::min(reply.size(), kNoLinkMarker.size());
    if (n > 0) std::memcpy(reply.data(), kNoLinkMarker.data(), n);
}

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

}  // namespace

// One attempt of a request: libcurl's multi interface, waited on with curl_multi_poll so that
// HttpCancel can wake it, and the send and receive limits kept by the progress callback.
struct CurlTransfer {
    CURL* easy;
    std::span<uint8_t> reply;
    HttpCancel* cancel;
    int64_t bodyLength;
    int32_t sendTimeoutMs;
    int32_t receiveTimeoutMs;

    size_t written = 0;
    bool cut = false;
    bool cancelled = false;
    bool stalled = false;
    bool transferring = false;  // connected: the request is being sent or its reply awaited
    Clock::time_point lastProgress{};
    curl_off_t lastUp = 0;
    curl_off_t lastDown = 0;

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto& t = *static_cast<CurlTransfer*>(self);
        const size_t bytes = size * count;
        t.lastProgress = Clock::now();
        const size_t take = std::min(bytes, t.reply.size() - t.written);
        if (take > 0) std::memcpy(t.reply.data() + t.written, data, take);
        t.written += take;
        if (take < bytes) t.cut = true;  // less than offered ends the transfer
        return take;
    }

    static size_t OnHeader(char*, size_t size, size_t count, void* self) {
        static_cast<CurlTransfer*>(self)->lastProgress = Clock::now();
        return size * count;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
        auto& t = *static_cast<CurlTransfer*>(self);
        if (t.cancel != nullptr && t.cancel->IsCancelled()) {
            t.cancelled = true;
            return 1;
        }
        const auto now = Clock::now();
        if (!t.transferring) {
            // Until then the connect limit, which libcurl keeps, applies.
            curl_off_t pretransfer = 0;
            curl_easy_getinfo(t.easy, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
            if (pretransfer <= 0) return 0;
            t.transferring = true;
            t.lastProgress = now;
        }
        if (up != t.lastUp || down != t.lastDown) {
            t.lastUp = up;
            t.lastDown = down;
            t.lastProgress = now;
        }
        const auto deadline = t.Deadline();
        if (deadline && now >= *deadline) {
            t.stalled = true;
            return 1;
        }
        return 0;
    }

    // While the body is not all sent the send limit applies, afterwards the receive limit.
    std::optional<Clock::time_point> Deadline() const {
        const int32_t limit = lastUp < bodyLength ? sendTimeoutMs : receiveTimeoutMs;
        if (!transferring || limit <= 0) return std::nullopt;
        return lastProgress + std::chrono::milliseconds(limit);
    }

    CURLcode Run() {
        CURLM* multi = curl_multi_init();
        if (multi == nullptr) return CURLE_OUT_OF_MEMORY;
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::OnBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlTransfer::OnHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::OnProgress);
        curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        curl_multi_add_handle(multi, easy);

        CURLcode result = CURLE_OK;
        if (cancel != nullptr && !cancel->Attach(multi)) {
            cancelled = true;
            result = CURLE_ABORTED_BY_CALLBACK;
        } else {
            result = Loop(multi);
            if (cancel != nullptr) cancel->Detach();
        }
        curl_multi_remove_handle(multi, easy);
        curl_multi_cleanup(multi);
        return result;
    }

    CURLcode Loop(CURLM* multi) {
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
                if (message->msg == CURLMSG_DONE) return message->data.result;
            }
            if (running == 0) return CURLE_OK;
            // Sleep until a socket is ready, libcurl's next timer, our own limit or a cancel.
            long wait = -1;
            curl_multi_timeout(multi, &wait);
            if (wait < 0) wait = INT_MAX;
            if (const auto deadline = Deadline()) {
                const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
                wait = std::min<long>(wait, std::max<long>(left, 0));
            }
            curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<long>(wait, INT_MAX)), nullptr);
        }
    }
};

HttpClientSettings& HttpSettings() { return tSettings; }

void ResetHttpClientSettings() { tSettings = HttpClientSettings{}; }

int32_t GetLastHttpStatus() { return tSettings.lastStatus; }

void HttpCancel::Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (active_ != nullptr) curl_multi_wakeup(active_);
}

bool HttpCancel::IsCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool HttpCancel::Attach(void* multi) {
    std::lock_guard lock(mutex_);
    if (cancelled_) return false;
    active_ = multi;
    return true;
}

void HttpCancel::Detach() {
    std::lock_guard lock(mutex_);
    active_ = nullptr;
}

int32_t HttpRequest(std::string_view method, std::string_view url, const void* body, int32_t bodyLength,
                    std::span<uint8_t> reply, HttpCancel* cancel) {
    HttpClientSettings& settings = tSettings;
    if (url.empty()) {
        settings.lastStatus = kHttpStatusEmptyUrl;
        return -1;
    }
    const char* verb = SameWord(method, "GET") ? "GET" : SameWord(method, "POST") ? "POST" : nullptr;
    if (verb == nullptr || bodyLength < 0 || (bodyLength > 0 && body == nullptr)) {
        settings.lastStatus = kHttpStatusInvalidArgument;
        return -1;
    }
    InitialiseCurlOnce();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        settings.lastStatus = kHttpStatusCurlBase + CURLE_FAILED_INIT;
        return -1;
    }

    const std::string urlText(url);
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, urlText.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_USERAGENT, settings.userAgent.substr(0, HttpClientSettings::kMaxUserAgent).c_str());
    // The body goes with either method, and Content-Length with it (0 for none).
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, bodyLength > 0 ? static_cast<const char*>(body) : "");
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!settings.caFile.empty()) curl_easy_setopt(e, CURLOPT_CAINFO, settings.caFile.c_str());
    const int32_t connectLimit = settings.connectTimeoutMs > 0 && settings.resolveTimeoutMs > 0
                                     ? settings.connectTimeoutMs + settings.resolveTimeoutMs
                                     : std::max(settings.connectTimeoutMs, 0);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectLimit));

    std::unique_ptr<curl_slist, SlistDeleter> headers;
    for (const char* header : kHeaders) {
        curl_slist* grown = curl_slist_append(headers.get(), header);
        if (grown == nullptr) {
            settings.lastStatus = kHttpStatusCurlBase + CURLE_OUT_OF_MEMORY;
            continue;
        }
        headers.release();
        headers.reset(grown);
    }
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());

    auto attempt = [&](CurlTransfer& transfer) {
        const CURLcode result = transfer.Run();
        long requestBytes = 0;
        curl_easy_getinfo(e, CURLINFO_REQUEST_SIZE, &requestBytes);
        return std::pair{result, requestBytes > 0};
    };
    CurlTransfer transfer{e, reply, cancel, bodyLength, settings.sendTimeoutMs, settings.receiveTimeoutMs};
    auto [result, sent] = attempt(transfer);
    std::optional<DesktopProxy> proxy;
    if (!sent && !transfer.cancelled) proxy = FindDesktopProxy(SchemeOf(url));
    if (proxy) {
        DebugLog("HTTP " + std::string(verb) + " " + urlText + ": sent again through the desktop's proxy " + proxy->url);
        curl_easy_setopt(e, CURLOPT_PROXY, proxy->url.c_str());
        curl_easy_setopt(e, CURLOPT_NOPROXY, proxy->noProxy.c_str());
        if (!proxy->user.empty()) {
            curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, proxy->user.c_str());
            curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, proxy->password.c_str());
        }
        transfer = CurlTransfer{e, reply, cancel, bodyLength, settings.sendTimeoutMs, settings.receiveTimeoutMs};
        std::tie(result, sent) = attempt(transfer);
    }

    if (transfer.cut) {
        settings.lastStatus = kHttpStatusReplyCut;
    } else if (transfer.cancelled) {
        settings.lastStatus = kHttpStatusCancelled;
    } else if (transfer.stalled) {
        settings.lastStatus = kHttpStatusTimedOut;
    } else if (result != CURLE_OK) {
        settings.lastStatus = kHttpStatusCurlBase + result;
    }
    if (result != CURLE_OK && !transfer.cut) {
        DebugLog("HTTP " + std::string(verb) + " " + urlText + ": " +
                 (transfer.cancelled ? "cancelled" : transfer.stalled ? "timed out" : curl_easy_strerror(result)));
    }
    if (!sent) {
        WriteNoLinkMarker(reply);
        return 0;
    }
    return static_cast<int32_t>(std::min<size_t>(transfer.written, INT32_MAX));
}

}  // namespace orvane::online
