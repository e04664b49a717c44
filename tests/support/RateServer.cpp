// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RateServer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>

namespace kursomatik::testsupport {

void makeTestCertificates(const std::filesystem::path& folder) {
    const std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    const std::string command =
        "cd '" + folder.string() + "' && (openssl req -x509" + key +
        " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Kursomatik Test CA' && openssl req" + key +
        " -keyout server.key -out server.csr -subj '/CN=127.0.0.1' && printf "
        "'subjectAltName=IP:127.0.0.1,DNS:localhost\\n' > server.ext && openssl x509 -req -in server.csr "
        "-CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 2 -extfile server.ext) 2>/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("openssl failed: " + command);
}

ServedAnswer httpAnswer(int status, const std::string& body, const std::string& headers) {
    return {"HTTP/1.1 " + std::to_string(status) + " Status\r\nContent-Length: " +
            std::to_string(body.size()) + "\r\nConnection: close\r\n" + headers + "\r\n" + body};
}

class RateServer::Worker : public QObject {
  public:
    Worker(Handler handler, const std::filesystem::path& certificates) : handler_(std::move(handler)) {
        if (certificates.empty()) return;
        auto* tls = new QSslServer(this);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        QFile key(QString::fromStdString((certificates / "server.key").string()));
        key.open(QIODevice::ReadOnly);
        configuration.setPrivateKey(QSslKey(&key, QSsl::Ec));
        configuration.setLocalCertificateChain(
            QSslCertificate::fromPath(QString::fromStdString((certificates / "server.pem").string())));
        tls->setSslConfiguration(configuration);
        server_ = tls;
    }

    int listen() {
        connect(server_, &QTcpServer::pendingConnectionAvailable, this, [this] { acceptAll(); });
        server_->listen(QHostAddress::LocalHost);
        return server_->serverPort();
    }

    std::vector<ServedRequest> requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

  private:
    void acceptAll() {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, socket,
                    [this, socket, received = std::make_shared<QByteArray>()] {
                        *received += socket->readAll();
                        const qsizetype end = received->indexOf("\r\n\r\n");
                        if (end < 0) return;
                        answer(socket, received->left(end).split('\n'));
                        received->clear();
                    });
        }
    }

    // The request's lines, each still ending in "\r".
    void answer(QTcpSocket* socket, const QList<QByteArray>& lines) {
        const QList<QByteArray> first = lines[0].trimmed().split(' ');
        ServedRequest request{first.value(0).toStdString(), first.value(1).toStdString(), {}};
        for (const QByteArray& line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers[line.left(colon).toLower().toStdString()] =
                    line.mid(colon + 1).trimmed().toStdString();
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        const ServedAnswer served = handler_(request);
        if (served.hang) return;
        QTimer::singleShot(served.delayMs, socket, [socket, bytes = served.bytes] {
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
            socket->disconnectFromHost();
        });
    }

    Handler handler_;
    QTcpServer* server_ = new QTcpServer(this);
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
