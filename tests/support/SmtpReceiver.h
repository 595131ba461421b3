#pragma once
// A small SMTP receiver on 127.0.0.1 for the tests of the mail routine: it
// listens on a free port, takes the messages of the connections it gets on a
// thread of its own and keeps what each one carried. Every wait is bounded
// (a test never hangs on it) and the destructor stops the thread.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>
#include <thread>

namespace testsupport {

struct SmtpMessage {
    QString from;            // the envelope sender, without the angle brackets
    QStringList recipients;  // the envelope recipients
    QByteArray data;         // the message as received (headers and body, CR LF)
    QString header(const QString& name) const;   // a header's raw value
    QString textBody() const;                   // the plain-text part, decoded
};

class SmtpReceiver {
public:
    // refuseRecipients: every RCPT gets 550, so the server accepts nothing.
    explicit SmtpReceiver(bool refuseRecipients = false);
    ~SmtpReceiver();
    SmtpReceiver(const SmtpReceiver&) = delete;
    SmtpReceiver& operator=(const SmtpReceiver&) = delete;

    int port() const { return port_; }
    QList<SmtpMessage> messages() const;

private:
    void run();
    void serve(int client);

    int listener_ = -1;
    int port_ = 0;
    bool refuse_ = false;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    QList<SmtpMessage> messages_;
    std::thread thread_;
};

}  // namespace testsupport
