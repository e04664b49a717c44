// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kursomatik::testsupport {

// A certificate authority and a server certificate for 127.0.0.1 and localhost, made by the openssl
// command in `folder`: ca.pem is what a client trusts, server.pem/server.key what the server shows.
void makeTestCertificates(const std::filesystem::path& folder);

struct ServedRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers;  // names in lower case
};

// What the server does with a request: the bytes it sends (status line, headers, body; they may
// promise more than they hold), after `delayMs`; `hang` sends nothing and keeps the connection open.
struct ServedAnswer {
    std::string bytes;
    bool hang = false;
    int delayMs = 0;
};

// "HTTP/1.1 <status>" with Content-Length, the extra header lines and the body.
ServedAnswer httpAnswer(int status, const std::string& body, const std::string& headers = {});

// A small HTTP/1.1 server on 127.0.0.1 in a thread of its own, with TLS when given a certificate
// folder (see makeTestCertificates), one answer per connection.
class RateServer {
  public:
    using Handler = std::function<ServedAnswer(const ServedRequest&)>;
    explicit RateServer(Handler handler, const std::filesystem::path& certificates = {});
    ~RateServer();

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    std::vector<ServedRequest> requests() const;

  private:
    class Worker;
    QThread thread_;
    Worker* worker_ = nullptr;
    int port_ = 0;
    bool tls_ = false;
};

}  // namespace kursomatik::testsupport
