// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RateServer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>

namespace kursomatik::testsupport {

void makeTestCertificates(const std::filesystem::path& folder) {
    const std::string in = "cd '" + folder.string() + "' && ";
    const std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    const std::string commands[] = {
        "openssl req -x509" + key + " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Kursomatik Test CA'",
        "openssl req" + key + " -keyout server.key -out server.csr -subj '/CN=127.0.0.1'",
        "printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\\n' > server.ext && openssl x509 -req -in "
        "server.csr "
        "-CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 2 -extfile server.ext",
    };
    for (const std::string& command : commands) {
        if (std::system((in + command + " 2>/dev/null").c_str()) != 0)
            throw std::runtime_error("openssl failed: " + command);
    }
}

ServedAnswer httpAnswer(int status, const std::string& body, const std::string& headers) {
    return {"HTTP/1.1 " + std::to_string(status) + " Status\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\nConnection: close\r\n" + headers + "\r\n" + body,
            0, false};
}

class RateServer::Worker : public QObject {
  public:
    Worker(Handler handler, const std::filesystem::path& certificates) : handler_(std::move(handler)) {
        if (certificates.empty()) {
            server_ = new QTcpServer(this);
        } else {
            auto* tls = new QSslServer(this);
            QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
            QFile key(QString::fromStdString((certificates / "server.key").string()));
            key.open(QIODevice::ReadOnly);
            configuration.setPrivateKey(QSslKey(&key, QSsl::Ec));
            configuration.setLocalCertificateChain(
                QSslCertificate::fromPath(QString::fromStdString((certificates / "server.pem").string())));
            configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
            tls->setSslConfiguration(configuration);
            server_ = tls;
        }
        connect(server_, &QTcpServer::pendingConnectionAvailable, this, [this] { acceptAll(); });
    }

    int listen() {
        server_->listen(QHostAddress::LocalHost);
        return server_->serverPort();
    }

    std::vector<ServedRequest> requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

  private:
    void acceptAll() {
        while (server_->hasPendingConnections()) {
            QTcpSocket* socket = server_->nextPendingConnection();
            auto* received = new QByteArray;
            connect(socket, &QObject::destroyed, [received] { delete received; });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
                *received += socket->readAll();
                const qsizetype end = received->indexOf("\r\n\r\n");
                if (end >= 0 && !received->isEmpty()) answer(socket, received->left(end).toStdString());
                if (end >= 0) received->clear();
            });
        }
    }

    void answer(QTcpSocket* socket, const std::string& head) {
        ServedRequest request;
        std::size_t lineEnd = head.find("\r\n");
        const std::string first = head.substr(0, lineEnd);
        request.method = first.substr(0, first.find(' '));
        request.path = first.substr(first.find(' ') + 1, first.rfind(' ') - first.find(' ') - 1);
        while (lineEnd != std::string::npos) {
            const std::size_t start = lineEnd + 2;
            lineEnd = head.find("\r\n", start);
            const std::string line =
                head.substr(start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos) continue;
            std::string name = QString::fromStdString(line.substr(0, colon)).toLower().toStdString();
            request.headers[name] = QString::fromStdString(line.substr(colon + 1)).trimmed().toStdString();
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
        }
        const ServedAnswer served = handler_(request);
        if (served.hang) return;
        QTimer::singleShot(served.delayMs, socket, [socket, bytes = served.bytes] {
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
            socket->disconnectFromHost();
        });
    }

    Handler handler_;
    QTcpServer* server_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<ServedRequest> requests_;
};

RateServer::RateServer(Handler handler, const std::filesystem::path& certificates)
    : worker_(new Worker(std::move(handler), certificates)), tls_(!certificates.empty()) {
    worker_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(
        worker_, [this] { port_ = worker_->listen(); }, Qt::BlockingQueuedConnection);
}

RateServer::~RateServer() {
    thread_.quit();
    thread_.wait();
}

std::string RateServer::url(const std::string& path) const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<ServedRequest> RateServer::requests() const {
    return worker_->requests();
}

}  // namespace kursomatik::testsupport
