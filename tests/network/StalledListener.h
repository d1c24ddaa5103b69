// A listener on 127.0.0.1 that never answers a call: its queue of waiting
// connections is full, so the system drops further connection attempts and
// a call to it stays under way until its caller gives up. Tests use it to
// look at the program while a call is being placed.
#pragma once

#include <sys/socket.h>

#include <memory>

#include <QTcpServer>
#include <QTcpSocket>

namespace reversi::test {

class StalledListener {
public:
    StalledListener() {
        if (!server_.listen(QHostAddress(QHostAddress::LocalHost), 0)) return;
        server_.pauseAccepting();
        // A queue of one waiting connection, taken by the filler below.
        if (::listen(static_cast<int>(server_.socketDescriptor()), 0) != 0) return;
        filler_.connectToHost(QHostAddress(QHostAddress::LocalHost), server_.serverPort());
        ready_ = filler_.waitForConnected(2000);
    }
    // False when the listener could not be set up; the test should stop.
    bool Ready() const { return ready_; }
    quint16 Port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
    QTcpSocket filler_;
    bool ready_ = false;
};

}  // namespace reversi::test
