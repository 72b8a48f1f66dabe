#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>
#include <optional>

class QTcpSocket;

namespace zeb {

// An HTTP server on 127.0.0.1 with fixed answers per path, one request per connection. It runs in the
// test's own thread, so a download blocked in a local event loop is still served.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        // The Content-Length sent: the body's size unless given. More than the body imitates a cut
        // connection, since the connection closes after the body.
        std::optional<qint64> contentLength;
        // No Content-Length at all: the body runs until the connection closes.
        bool withoutLength = false;
        // The body goes out in this many parts with a pause between them.
        int parts = 1;
        int pauseMs = 0;
        // The connection stays open after the body, as a stalled server would leave it.
        bool stall = false;
    };

    LocalHttpServer();

    // Paths are matched decoded: "/zebprogs/ZEB 7.t" answers "/zebprogs/ZEB%207.t". Other paths get 404.
    void serve(const QString& path, const Answer& answer);
    bool isListening() const { return m_server.isListening(); }
    // "http://127.0.0.1:<port>", without a trailing slash.
    QString baseAddress() const;
    QUrl url(const QString& path) const;
    // Decoded paths in the order they were requested.
    const QStringList& requestedPaths() const { return m_requestedPaths; }

private:
    void accept();
    void readRequest(QTcpSocket* socket);
    void sendPart(QTcpSocket* socket, const Answer& answer, int part);

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
    QStringList m_requestedPaths;
};

// An answer with a status and a body, everything else as a plain server sends it.
inline LocalHttpServer::Answer httpAnswer(int status, const QByteArray& body)
{
    LocalHttpServer::Answer answer;
    answer.status = status;
    answer.body = body;
    return answer;
}

} // namespace zeb
