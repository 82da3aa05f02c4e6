#pragma once

#include <vector>

#include "transmission/MailTransport.h"

// Takes every mail and remembers it. Mail number `cancelAt` (1-based) is cancelled, mail number `failAt`
// fails with `failure`.
class RecordingMailTransport : public telvainn::MailTransport {
  public:
    struct Sent {
        telvainn::MailRequest request;
    };

    bool SendMail(const telvainn::MailRequest& request) override {
        mails.push_back({request});
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
