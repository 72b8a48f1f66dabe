#include "tests/data/pg/PlainServerStandIn.h"

#include <arpa/inet.h>
#include <array>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zeb {

namespace {

// The first message of a client that wants TLS (SSLRequest) or GSSAPI encryption (GSSENCRequest).
constexpr std::array<unsigned char, 8> sslRequest{0, 0, 0, 8, 0x04, 0xd2, 0x16, 0x2f};
constexpr std::array<unsigned char, 8> gssRequest{0, 0, 0, 8, 0x04, 0xd2, 0x16, 0x30};

sockaddr_in loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool readExactly(int socket, unsigned char* buffer, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::recv(socket, buffer + got, size - got, 0);
        if (n <= 0)
            return false;
        got += std::size_t(n);
    }
    return true;
}

bool writeAll(int socket, const unsigned char* buffer, std::size_t size)
{
    std::size_t sent = 0;
    while (sent < size) {
        const ssize_t n = ::send(socket, buffer + sent, size - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += std::size_t(n);
    }
    return true;
}

// Copies both ways until either side closes.
void relay(int a, int b)
{
    std::array<unsigned char, 16384> buffer{};
    pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
    while (::poll(fds, 2, -1) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = ::recv(fds[i].fd, buffer.data(), buffer.size(), 0);
            if (n <= 0 || !writeAll(fds[1 - i].fd, buffer.data(), std::size_t(n)))
                return;
        }
    }
}

} // namespace

PlainServerStandIn::PlainServerStandIn(std::uint16_t serverPort) : m_serverPort(serverPort)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(m_listener, 16) == 0 &&
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptClients(); });
}

PlainServerStandIn::~PlainServerStandIn()
{
    m_stopping = true;
    ::shutdown(m_listener, SHUT_RDWR);
    ::close(m_listener);
    m_acceptor.join();
    for (std::thread& client : m_clients)
        client.join();
}

void PlainServerStandIn::acceptClients()
{
    while (!m_stopping) {
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            return;
        m_clients.emplace_back([this, client] { serve(client); });
    }
}

void PlainServerStandIn::serve(int client)
{
    std::array<unsigned char, 8> first{};
    bool ok = readExactly(client, first.data(), first.size());
    while (ok && (first == sslRequest || first == gssRequest)) {
        if (first == sslRequest)
            ++m_tlsRefused;
        const unsigned char no = 'N';
        ok = writeAll(client, &no, 1) && readExactly(client, first.data(), first.size());
    }
    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(m_serverPort);
    if (ok && ::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        writeAll(server, first.data(), first.size()))
        relay(client, server);
    ::close(server);
    ::close(client);
}

} // namespace zeb
