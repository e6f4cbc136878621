#pragma once
// A small HTTP and HTTPS server on the loopback interface for tests of the HTTP client: it
// records each request as it came over the wire and answers through a handler; throw-away
// certificates made at run time; and loopback ports that refuse or never accept a connection.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace orvane::test {

struct TlsIdentity {
    std::string certificatePem;
    std::string keyPem;
};

// Made fresh for each test program: a test CA, a server certificate for 127.0.0.1 signed by it,
// a self-signed one for 127.0.0.1, and one signed by the CA for another name only.
struct TestCertificates {
    static const TestCertificates& Get();
    std::string caPem;
    TlsIdentity signedByCa;
    TlsIdentity selfSigned;
    TlsIdentity otherName;
};

struct SeenRequest {
    std::string method;
    std::string target;  // as sent: a path, or an absolute URL when sent to a proxy
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // The first header of that name (compared without case), or nullopt.
    std::optional<std::string> Header(const std::string& name) const;
    size_t HeaderCount(const std::string& name) const;
};

struct ServerReply {
    int status = 200;
    std::string body;
    std::string contentType = "application/json";
    bool hold = false;            // never answer: keep the connection open until the server stops
    bool stopListening = false;   // after this reply, refuse every further connection
};

class TestHttpServer {
public:
    using Handler = std::function<ServerReply(const SeenRequest&)>;

    // Serves http, or https with `tls`.
    explicit TestHttpServer(Handler handler, const TlsIdentity* tls = nullptr);
    // Accepts connections and never reads from them, with a small receive buffer: a client's
    // request stalls in sending.
    static std::unique_ptr<TestHttpServer> Silent();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    uint16_t Port() const { return port_; }
    // "http://127.0.0.1:PORT" or "https://…".
    std::string Url() const;
    std::vector<SeenRequest> Requests() const;
    size_t Connections() const;
    bool WaitForConnections(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

private:
    struct Silence {};
    explicit TestHttpServer(Silence);
    void Start();
    void Serve();
    void HandleConnection(int fd);
    bool WaitUntilStopOrClose(int fd) const;

    Handler handler_;
    bool tls_ = false;
    bool silent_ = false;
    void* sslContext_ = nullptr;
    int listenFd_ = -1;
    int stopFd_ = -1;
    uint16_t port_ = 0;
    std::vector<int> heldFds_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<SeenRequest> requests_;
    size_t connections_ = 0;
    std::thread thread_;
};

// A loopback port nothing listens on: connecting is refused at once.
uint16_t ClosedPort();

// A loopback port whose queue of connections waiting to be accepted is full: a connection
// attempt goes unanswered until the client gives up.
class UnansweredPort {
public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;
    uint16_t Port() const { return port_; }

private:
    int listenFd_ = -1;
    std::vector<int> fillers_;
    uint16_t port_ = 0;
};

// Writes `content` to a new file below the system's temporary folder; the file goes with the object.
class TempFile {
public:
    explicit TempFile(const std::string& content);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace orvane::test
