#include "tests/support/SmtpReceiver.h"

#include <QRegularExpression>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace testsupport {

namespace {

constexpr int kWaitMs = 100;            // one poll, so stop_ is seen quickly
constexpr int kConnectionLimitMs = 20000;   // a connection that says nothing is dropped

void sendLine(int fd, const QByteArray& line)
{
    const QByteArray out = line + "\r\n";
    ::send(fd, out.constData(), size_t(out.size()), MSG_NOSIGNAL);
}

}  // namespace

QString SmtpMessage::header(const QString& name) const
{
    const qsizetype end = data.indexOf("\r\n\r\n");
    const QString head = QString::fromUtf8(data.left(end < 0 ? data.size() : end));
    const QRegularExpression re("^" + QRegularExpression::escape(name) + ":\\s*(.*)$",
                                QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(head);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

QString SmtpMessage::textBody() const
{
    // The text part is the first one declared text/plain; base64 or as is.
    qsizetype part = data.indexOf("Content-Type: text/plain");
    if (part < 0)
        return {};
    const qsizetype start = data.indexOf("\r\n\r\n", part) + 4;
    qsizetype end = data.indexOf("\r\n--", start);
    if (end < 0)
        end = data.size();
    const QByteArray raw = data.mid(start, end - start);
    const bool base64 = data.mid(part, start - part).contains("base64");
    return QString::fromUtf8(base64 ? QByteArray::fromBase64(QByteArray(raw).replace("\r\n", "")) : raw);
}

SmtpReceiver::SmtpReceiver(bool refuseRecipients) : refuse_(refuseRecipients)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener_, 4) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("SMTP receiver: no port on 127.0.0.1");
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { run(); });
}

SmtpReceiver::~SmtpReceiver()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    ::close(listener_);
}

QList<SmtpMessage> SmtpReceiver::messages() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

void SmtpReceiver::run()
{
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, kWaitMs) <= 0)
            continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client >= 0) {
            serve(client);
            ::close(client);
        }
    }
}

void SmtpReceiver::serve(int client)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kConnectionLimitMs);
    QByteArray buffer;
    SmtpMessage current;
    bool inData = false;
    sendLine(client, "220 localhost ESMTP test");
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, kWaitMs) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        buffer.append(chunk, n);
        for (;;) {
            if (inData) {
                const qsizetype end = buffer.indexOf("\r\n.\r\n");
                if (end < 0)
                    break;
                current.data = buffer.left(end + 2).replace("\r\n..", "\r\n.");
                buffer.remove(0, end + 5);
                inData = false;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    messages_.append(current);
                }
                current = SmtpMessage();
                sendLine(client, "250 OK queued");
                continue;
            }
            const qsizetype eol = buffer.indexOf("\r\n");
            if (eol < 0)
                break;
            const QByteArray line = buffer.left(eol);
            buffer.remove(0, eol + 2);
            const QByteArray verb = line.left(4).toUpper();
            auto argument = [&] {
                const qsizetype a = line.indexOf('<'), b = line.indexOf('>');
                return QString::fromUtf8(a >= 0 && b > a ? line.mid(a + 1, b - a - 1) : line.mid(line.indexOf(':') + 1))
                    .trimmed();
            };
            if (verb == "EHLO" || verb == "HELO")
                sendLine(client, "250 localhost");
            else if (verb == "MAIL") {
                current.from = argument();
                sendLine(client, "250 OK");
            } else if (verb == "RCPT") {
                if (refuse_)
                    sendLine(client, "550 No such user");
                else {
                    current.recipients << argument();
                    sendLine(client, "250 OK");
                }
            } else if (verb == "DATA") {
                inData = true;
                sendLine(client, "354 End data with <CR><LF>.<CR><LF>");
            } else if (verb == "QUIT") {
                sendLine(client, "221 Bye");
                return;
            } else if (verb == "RSET" || verb == "NOOP") {
                sendLine(client, "250 OK");
            } else {
                sendLine(client, "502 Not implemented");
            }
        }
    }
}

}  // namespace testsupport
