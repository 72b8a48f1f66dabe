#include "tests/signin/update/LocalHttpsFront.h"

#include "seam/LocalHttpServer.h"

#include <QFile>
#include <QHostAddress>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpSocket>

namespace zeb {

namespace {

QByteArray tlsFile(const char* name)
{
    QFile file(QStringLiteral(ZEB_TEST_TLS_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LocalHttpsFront::LocalHttpsFront(const LocalHttpServer& backend)
    : m_backendPort(static_cast<quint16>(backend.url(QStringLiteral("/")).port()))
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(certificate());
    tls.setPrivateKey(QSslKey(tlsFile("127.0.0.1.key"), QSsl::Ec));
    m_server.setSslConfiguration(tls);
    connect(&m_server, &QSslServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* client = m_server.nextPendingConnection())
            relay(static_cast<QSslSocket*>(client));
    });
    m_server.listen(QHostAddress::LocalHost);
}

QString LocalHttpsFront::baseAddress() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(m_server.serverPort());
}

QSslCertificate LocalHttpsFront::certificate()
{
    return QSslCertificate(tlsFile("127.0.0.1.crt"));
}

void LocalHttpsFront::relay(QSslSocket* client)
{
    auto* backend = new QTcpSocket(client);
    connect(client, &QSslSocket::readyRead, backend,
            [client, backend] { backend->write(client->readAll()); });
    connect(backend, &QTcpSocket::readyRead, client,
            [client, backend] { client->write(backend->readAll()); });
    // The plain server closes after its answer; the client then gets everything written before the close.
    connect(backend, &QTcpSocket::disconnected, client, [client, backend] {
        client->write(backend->readAll());
        client->disconnectFromHost();
    });
    connect(client, &QSslSocket::disconnected, client, &QObject::deleteLater);
    backend->connectToHost(QHostAddress::LocalHost, m_backendPort);
    backend->write(client->readAll());
}

TrustedTestCertificate::TrustedTestCertificate() : m_previous(QSslConfiguration::defaultConfiguration())
{
    QSslConfiguration trusting = m_previous;
    trusting.addCaCertificate(LocalHttpsFront::certificate());
    QSslConfiguration::setDefaultConfiguration(trusting);
}

TrustedTestCertificate::~TrustedTestCertificate()
{
    QSslConfiguration::setDefaultConfiguration(m_previous);
}

} // namespace zeb
