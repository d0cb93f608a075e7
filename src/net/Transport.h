#pragma once
// The connection as the protocol sees it: bytes out, and an end. The owner of the sockets (the Qt
// side, or an in-memory pair in the tests) hands the other events to RemoteProgram: a connection
// made, bytes received, the connection lost.
#include <string>

namespace lumaro::net {

class Transport {
public:
    virtual ~Transport() = default;
    // One message with one send call.
    virtual void send(const std::string& bytes) = 0;
    // This side ends the connection (the End button, a communication error). The owner tells
    // RemoteProgram with connectionLost, as for a connection the peer ended.
    virtual void close() = 0;
};

}  // namespace lumaro::net
