// A network that pauses once: the answer to the job stops halfway for a second (a lost segment on Wi-Fi or
// a VPN) and then comes whole. The job lands, from the command line and from the window.
#include "Headless.h"
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Forwards loopback connections to the private server. The first answer to a request that carried a PDF
// document is held once, just past its HTTP head and the first bytes of its IPP message, for `pause`.
class StallingProxy {
public:
    StallingProxy(int serverPort, std::chrono::milliseconds pause)
        : serverPort_(serverPort), pause_(pause), listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address = loopback(0);
        socklen_t length = sizeof(address);
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("can't listen on the loopback");
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptAll(); });
    }
    ~StallingProxy() {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        acceptor_.join();
        for (std::thread& pump : pumps_)
            pump.join();
        ::close(listener_);
    }
    StallingProxy(const StallingProxy&) = delete;
    StallingProxy& operator=(const StallingProxy&) = delete;

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    bool stalled() const { return stalled_; }

private:
    static sockaddr_in loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        return address;
    }

    void acceptAll() {
        for (;;) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0 || stopping_) {
                if (client >= 0)
                    ::close(client);
                return;
            }
            pumps_.emplace_back([this, client] { pump(client); });
        }
    }

    static bool sendAll(int fd, const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
            if (sent <= 0)
                return false;
            data += sent;
            size -= static_cast<std::size_t>(sent);
        }
        return true;
    }

    void pump(int client) {
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(serverPort_);
        const auto closeBoth = qScopeGuard([&] {
            ::close(server);
            ::close(client);
        });
        if (::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0)
            return;
        std::string answer;
        bool holding = false;
        char buffer[65536];
        while (!stopping_) {
            pollfd fds[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
            if (::poll(fds, 2, 100) < 0)
                return;
            if (fds[0].revents) {
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0 || !sendAll(server, buffer, static_cast<std::size_t>(n)))
                    return;
                if (std::string_view(buffer, static_cast<std::size_t>(n)).find("%PDF-") !=
                        std::string_view::npos &&
                    !stalled_.exchange(true))
                    holding = true;
            }
            if (fds[1].revents) {
                const ssize_t n = ::recv(server, buffer, sizeof buffer, 0);
                if (n <= 0)
                    return;
                if (!holding) {
                    if (!sendAll(client, buffer, static_cast<std::size_t>(n)))
                        return;
                    continue;
                }
                // Past the head and the IPP message's first bytes, the rest waits.
                answer.append(buffer, static_cast<std::size_t>(n));
                const std::size_t head = answer.find("\r\n\r\n");
                if (head == std::string::npos || answer.size() < head + 4 + 12)
                    continue;
                const std::size_t first = head + 4 + 9;
                if (!sendAll(client, answer.data(), first))
                    return;
                std::this_thread::sleep_for(pause_);
                if (!sendAll(client, answer.data() + first, answer.size() - first))
                    return;
                holding = false;
                answer.clear();
            }
        }
    }

    int serverPort_;
    std::chrono::milliseconds pause_;
    int listener_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> stalled_{false};
    std::thread acceptor_;
    std::vector<std::thread> pumps_;
};

int serverPort() {
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    return server.section(QLatin1Char(':'), -1).toInt();
}

class PausingNetwork : public ReportedErrors {
protected:
    void SetUp() override {
        ReportedErrors::SetUp();
        PrivateCups::deleteAll();
        PrivateCups::addQueue(QStringLiteral("Alpha"));
        PrivateCups::setDefault(QStringLiteral("Alpha"));
        QFile::remove(output);
    }
    void TearDown() override {
        QFile::remove(output);
        ReportedErrors::TearDown();
    }

    const QString output = PrivateCups::outputFile(QStringLiteral("Alpha"));
};

TEST_F(PausingNetwork, AJobWhoseAnswerPausesLandsFromTheCommandLine) {
    for (const auto pause : {150ms, 1000ms}) {
        SCOPED_TRACE(pause.count());
        QFile::remove(output);
        const StallingProxy proxy(serverPort(), pause);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), proxy.address());
        const Outcome o = runHeadless(
            QStringLiteral(VORNEL_EXECUTABLE),
            {QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("Alpha")}, env);
        EXPECT_TRUE(proxy.stalled());
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
        PrivateCups::waitForOutput(QStringLiteral("Alpha"), output);
    }
}

TEST_F(PausingNetwork, AJobWhoseAnswerPausesLandsFromTheWindow) {
    const StallingProxy proxy(serverPort(), 1000ms);
    const QByteArray address = proxy.address().toUtf8();
    cupsSetServer(address.constData());

    ProgramOnCups program;
    ASSERT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    QTest::mouseClick(program.form.BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(proxy.stalled());
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    PrivateCups::waitForOutput(QStringLiteral("Alpha"), output);
}

} // namespace
