#include "tests/support/TestHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace orvane::test {
namespace {

constexpr size_t kMaxHeaderBytes = 64 * 1024;
constexpr size_t kMaxBodyBytes = 16 * 1024 * 1024;

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

// --- Certificates -------------------------------------------------------------------------------

struct Issued {
    EVP_PKEY* key;
    X509* certificate;
};

void AddExtension(X509* certificate, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    if (extension == nullptr) throw std::runtime_error("certificate extension refused");
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
}

// A certificate for `subject`, signed by `issuer` (itself when null).
Issued Issue(const char* subject, const char* altName, bool authority, const Issued* issuer) {
    static long serial = 1;
    Issued made{EVP_EC_gen("P-256"), X509_new()};
    X509* c = made.certificate;
    X509_set_version(c, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(c), serial++);
    X509_gmtime_adj(X509_getm_notBefore(c), -3600);
    X509_gmtime_adj(X509_getm_notAfter(c), 7 * 24 * 3600);
    X509_set_pubkey(c, made.key);
    X509_NAME_add_entry_by_txt(X509_get_subject_name(c), "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(subject), -1, -1, 0);
    X509* signer = issuer != nullptr ? issuer->certificate : c;
    X509_set_issuer_name(c, X509_get_subject_name(signer));
    AddExtension(c, signer, NID_basic_constraints, authority ? "critical,CA:TRUE" : "critical,CA:FALSE");
    AddExtension(c, signer, NID_key_usage, authority ? "critical,keyCertSign,cRLSign" : "critical,digitalSignature");
    AddExtension(c, signer, NID_subject_key_identifier, "hash");
    AddExtension(c, signer, NID_authority_key_identifier, "keyid:always");
    if (altName != nullptr) AddExtension(c, signer, NID_subject_alt_name, altName);
    X509_sign(c, issuer != nullptr ? issuer->key : made.key, EVP_sha256());
    return made;
}

std::string Pem(const Issued& issued, bool key) {
    BIO* bio = BIO_new(BIO_s_mem());
    if (key) {
        PEM_write_bio_PrivateKey(bio, issued.key, nullptr, nullptr, 0, nullptr, nullptr);
    } else {
        PEM_write_bio_X509(bio, issued.certificate);
    }
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    std::string text(data, static_cast<size_t>(size));
    BIO_free(bio);
    return text;
}

TlsIdentity IdentityOf(const Issued& issued) { return {Pem(issued, false), Pem(issued, true)}; }

void Free(Issued& issued) {
    X509_free(issued.certificate);
    EVP_PKEY_free(issued.key);
}

// --- Sockets ------------------------------------------------------------------------------------

int LoopbackListener(int backlog, int receiveBuffer = 0) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    if (receiveBuffer > 0) ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, backlog) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot listen on the loopback interface");
    }
    return fd;
}

uint16_t PortOf(int fd) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// Reads or writes one connection, plain or through TLS.
class Connection {
public:
    Connection(int fd, SSL_CTX* context) : fd_(fd) {
        // A client that stops half-way never holds the server up for long.
        timeval limit{5, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        if (context != nullptr) {
            ssl_ = SSL_new(context);
            SSL_set_fd(ssl_, fd);
            ok_ = SSL_accept(ssl_) == 1;  // fails when the client refuses the certificate
        }
    }
    ~Connection() {
        if (ssl_ != nullptr) {
            if (ok_) SSL_shutdown(ssl_);
            SSL_free(ssl_);
        }
        ::close(fd_);
    }
    bool Ok() const { return ok_; }
    long Read(char* buffer, size_t size) {
        if (ssl_ != nullptr) return SSL_read(ssl_, buffer, static_cast<int>(size));
        return ::recv(fd_, buffer, size, 0);
    }
    bool WriteAll(const std::string& data) {
        size_t done = 0;
        while (done < data.size()) {
            const long n = ssl_ != nullptr ? SSL_write(ssl_, data.data() + done, static_cast<int>(data.size() - done))
                                           : ::send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

private:
    int fd_;
    SSL* ssl_ = nullptr;
    bool ok_ = true;
};

std::optional<SeenRequest> ReadRequest(Connection& connection) {
    std::string data;
    char chunk[16384];
    size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        const long n = connection.Read(chunk, sizeof chunk);
        if (n <= 0 || data.size() > kMaxHeaderBytes) return std::nullopt;
        data.append(chunk, static_cast<size_t>(n));
    }
    SeenRequest request;
    const std::string head = data.substr(0, headerEnd);
    size_t lineEnd = head.find("\r\n");
    const std::string requestLine = head.substr(0, lineEnd);
    const size_t space1 = requestLine.find(' ');
    const size_t space2 = requestLine.find(' ', space1 + 1);
    if (space1 == std::string::npos || space2 == std::string::npos) return std::nullopt;
    request.method = requestLine.substr(0, space1);
    request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);
    while (lineEnd != std::string::npos) {
        const size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string line = head.substr(start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        request.headers.emplace_back(line.substr(0, colon), value);
    }
    const size_t length = std::strtoul(request.Header("Content-Length").value_or("0").c_str(), nullptr, 10);
    if (length > kMaxBodyBytes) return std::nullopt;
    request.body = data.substr(headerEnd + 4);
    while (request.body.size() < length) {
        const long n = connection.Read(chunk, sizeof chunk);
        if (n <= 0) return std::nullopt;
        request.body.append(chunk, static_cast<size_t>(n));
    }
    return request;
}

std::string ReplyText(const ServerReply& reply) {
    return "HTTP/1.1 " + std::to_string(reply.status) + " Test\r\nContent-Type: " + reply.contentType +
           "\r\nContent-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
}

}  // namespace

const TestCertificates& TestCertificates::Get() {
    static const TestCertificates made = [] {
        TestCertificates c;
        Issued authority = Issue("ORVANE test CA", nullptr, true, nullptr);
        Issued signedByCa = Issue("127.0.0.1", "IP:127.0.0.1", false, &authority);
        Issued selfSigned = Issue("127.0.0.1", "IP:127.0.0.1", false, nullptr);
        Issued otherName = Issue("elsewhere.test", "DNS:elsewhere.test", false, &authority);
        c.caPem = Pem(authority, false);
        c.signedByCa = IdentityOf(signedByCa);
        c.selfSigned = IdentityOf(selfSigned);
        c.otherName = IdentityOf(otherName);
        for (Issued* issued : {&authority, &signedByCa, &selfSigned, &otherName}) Free(*issued);
        return c;
    }();
    return made;
}

std::optional<std::string> SeenRequest::Header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
        if (SameNoCase(key, name)) return value;
    }
    return std::nullopt;
}

size_t SeenRequest::HeaderCount(const std::string& name) const {
    return static_cast<size_t>(
        std::count_if(headers.begin(), headers.end(), [&](const auto& header) { return SameNoCase(header.first, name); }));
}

TestHttpServer::TestHttpServer(Handler handler, const TlsIdentity* tls) : handler_(std::move(handler)), tls_(tls != nullptr) {
    if (tls != nullptr) {
        SSL_CTX* context = SSL_CTX_new(TLS_server_method());
        BIO* certificate = BIO_new_mem_buf(tls->certificatePem.data(), static_cast<int>(tls->certificatePem.size()));
        BIO* key = BIO_new_mem_buf(tls->keyPem.data(), static_cast<int>(tls->keyPem.size()));
        X509* x509 = PEM_read_bio_X509(certificate, nullptr, nullptr, nullptr);
        EVP_PKEY* pkey = PEM_read_bio_PrivateKey(key, nullptr, nullptr, nullptr);
        SSL_CTX_use_certificate(context, x509);
        SSL_CTX_use_PrivateKey(context, pkey);
        X509_free(x509);
        EVP_PKEY_free(pkey);
        BIO_free(certificate);
        BIO_free(key);
        sslContext_ = context;
    }
    listenFd_ = LoopbackListener(16);
    Start();
}

TestHttpServer::TestHttpServer(Silence) : silent_(true) {
    listenFd_ = LoopbackListener(16, 4096);
    Start();
}

std::unique_ptr<TestHttpServer> TestHttpServer::Silent() { return std::unique_ptr<TestHttpServer>(new TestHttpServer(Silence{})); }

void TestHttpServer::Start() {
    // A client that went away must not end the test program when a reply is written to it.
    std::signal(SIGPIPE, SIG_IGN);
    port_ = PortOf(listenFd_);
    stopFd_ = ::eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Serve(); });
}

TestHttpServer::~TestHttpServer() {
    const uint64_t one = 1;
    if (::write(stopFd_, &one, sizeof one) != sizeof one) std::abort();
    thread_.join();
    for (int fd : heldFds_) ::close(fd);
    if (listenFd_ >= 0) ::close(listenFd_);
    ::close(stopFd_);
    SSL_CTX_free(static_cast<SSL_CTX*>(sslContext_));
}

std::string TestHttpServer::Url() const { return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_); }

std::vector<SeenRequest> TestHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

size_t TestHttpServer::Connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

bool TestHttpServer::WaitForConnections(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return connections_ >= count; });
}

void TestHttpServer::Serve() {
    for (;;) {
        pollfd fds[2] = {{stopFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}};
        if (::poll(fds, listenFd_ >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[0].revents != 0) return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        {
            std::lock_guard lock(mutex_);
            ++connections_;
        }
        changed_.notify_all();
        if (silent_) {
            heldFds_.push_back(fd);
        } else {
            HandleConnection(fd);
        }
    }
}

void TestHttpServer::HandleConnection(int fd) {
    Connection connection(fd, static_cast<SSL_CTX*>(sslContext_));
    if (!connection.Ok()) return;
    const std::optional<SeenRequest> request = ReadRequest(connection);
    if (!request) return;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(*request);
    }
    changed_.notify_all();
    const ServerReply reply = handler_(*request);
    if (reply.hold) {
        WaitUntilStopOrClose(fd);
    } else {
        connection.WriteAll(ReplyText(reply));
    }
    if (reply.stopListening) {
        ::close(listenFd_);
        listenFd_ = -1;
    }
}

bool TestHttpServer::WaitUntilStopOrClose(int fd) const {
    for (;;) {
        pollfd fds[2] = {{stopFd_, POLLIN, 0}, {fd, POLLIN | POLLRDHUP, 0}};
        if (::poll(fds, 2, -1) < 0 && errno == EINTR) continue;
        if (fds[0].revents != 0) return true;
        if (fds[1].revents != 0) {
            char sink[4096];
            if (::recv(fd, sink, sizeof sink, MSG_DONTWAIT) <= 0) return false;
        }
    }
}

uint16_t ClosedPort() {
    const int fd = LoopbackListener(1);
    const uint16_t port = PortOf(fd);
    ::close(fd);
    return port;
}

UnansweredPort::UnansweredPort() {
    listenFd_ = LoopbackListener(0);
    port_ = PortOf(listenFd_);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    for (int i = 0; i < 3; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers_.push_back(fd);
    }
}

UnansweredPort::~UnansweredPort() {
    for (int fd : fillers_) ::close(fd);
    ::close(listenFd_);
}

TempFile::TempFile(const std::string& content) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-test-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    ::close(fd);
    path_ = pattern;
    std::ofstream(path_, std::ios::binary) << content;
}

TempFile::~TempFile() { std::filesystem::remove(path_); }

}  // namespace orvane::test
