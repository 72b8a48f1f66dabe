#include "tests/support/seam/LocalHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace zeb {

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

LocalHttpServer::Answer notFound()
{
    LocalHttpServer::Answer answer;
    answer.status = 404;
    answer.body = "<html><body><h1>404 Not Found</h1></body></html>";
    return answer;
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    m_server.listen(QHostAddress::LocalHost);
}

void LocalHttpServer::serve(const QString& path, const Answer& answer)
{
    m_answers.insert(path, answer);
}

QString LocalHttpServer::baseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

QUrl LocalHttpServer::url(const QString& path) const
{
    return QUrl(baseAddress() + path);
}

void LocalHttpServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::readRequest(QTcpSocket* socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);

    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() > 1 ? QUrl::fromPercentEncoding(requestLine.at(1)) : QString();
    m_requestedPaths.append(path);
    const Answer answer = m_answers.value(path, notFound());

    const qint64 length = answer.contentLength.value_or(answer.body.size());
    const QByteArray lengthHeader =
        answer.withoutLength ? QByteArray() : "Content-Length: " + QByteArray::number(length) + "\r\n";
    socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + reasonPhrase(answer.status) +
                  "\r\nContent-Type: application/octet-stream\r\n" + lengthHeader +
                  "Connection: close\r\n\r\n");
    sendPart(socket, answer, 0);
}

void LocalHttpServer::sendPart(QTcpSocket* socket, const Answer& answer, int part)
{
    const qint64 partSize = (answer.body.size() + answer.parts - 1) / answer.parts;
    socket->write(answer.body.mid(part * partSize, partSize));
    if (part + 1 < answer.parts) {
        QTimer::singleShot(answer.pauseMs, socket,
                           [this, socket, answer, part] { sendPart(socket, answer, part + 1); });
        return;
    }
    if (!answer.stall)
        socket->disconnectFromHost();
}

} // namespace zeb
