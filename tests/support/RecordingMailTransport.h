#pragma once

#include <QFile>
#include <vector>

#include "transmission/MailTransport.h"

// Takes every mail and remembers it, with the attachment file's bytes as they were at sending time.
// Mail number `cancelAt` (1-based) is cancelled, mail number `failAt` fails with `failure`.
class RecordingMailTransport : public telvainn::MailTransport {
  public:
    struct Sent {
        telvainn::MailRequest request;
        QByteArray attachmentBytes;
    };

    bool SendMail(const telvainn::MailRequest& request) override {
        Sent sent{request, {}};
        if (!request.attachmentPath.isEmpty()) {
            QFile file(request.attachmentPath);
            if (file.open(QIODevice::ReadOnly)) {
                sent.attachmentBytes = file.readAll();
            }
        }
        mails.push_back(sent);
        const int n = static_cast<int>(mails.size());
        if (n == failAt) {
            throw telvainn::Error(failure);
        }
        return n != cancelAt;
    }

    std::vector<Sent> mails;
    int cancelAt = 0;
    int failAt = 0;
    QString failure = QStringLiteral("MAPI Error: (23) \"Fikk ikke kontakt med e-posttjeneren\"");
};
