#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace zeb {

// A PostgreSQL server without TLS, as an old one is: listens on a free 127.0.0.1 port, answers a client's
// request for TLS with "N" (not offered) and passes everything else on to the real server at 127.0.0.1:port.
class PlainServerStandIn
{
public:
    explicit PlainServerStandIn(std::uint16_t serverPort);
    ~PlainServerStandIn();
    PlainServerStandIn(const PlainServerStandIn&) = delete;
    PlainServerStandIn& operator=(const PlainServerStandIn&) = delete;

    std::uint16_t port() const { return m_port; }
    // How many clients asked for TLS and were told no.
    int tlsRefused() const { return m_tlsRefused; }

private:
    void acceptClients();
    void serve(int client);

    std::uint16_t m_serverPort;
    std::uint16_t m_port = 0;
    int m_listener = -1;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_tlsRefused{0};
    std::thread m_acceptor;
    std::vector<std::thread> m_clients;
};

} // namespace zeb
