#pragma once

#include <QObject>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslServer>

class QSslSocket;

namespace zeb {

class LocalHttpServer;

// An HTTPS address for a LocalHttpServer: a TLS server on 127.0.0.1 with the fixed certificate of tls/ that
// relays each connection, decrypted, to the plain server and its answer back.
class LocalHttpsFront : public QObject
{
    Q_OBJECT

public:
    explicit LocalHttpsFront(const LocalHttpServer& backend);

    bool isListening() const { return m_server.isListening(); }
    // "https://127.0.0.1:<port>", without a trailing slash.
    QString baseAddress() const;

    // The self-signed certificate for 127.0.0.1 the front presents.
    static QSslCertificate certificate();

private:
    void relay(QSslSocket* client);

    QSslServer m_server;
    quint16 m_backendPort = 0;
};

// Trusts the front's certificate in the default TLS configuration for its lifetime, as a workstation trusts
// its installation's own certificate authority.
class TrustedTestCertificate
{
public:
    TrustedTestCertificate();
    ~TrustedTestCertificate();
    TrustedTestCertificate(const TrustedTestCertificate&) = delete;
    TrustedTestCertificate& operator=(const TrustedTestCertificate&) = delete;

private:
    QSslConfiguration m_previous;
};

} // namespace zeb
