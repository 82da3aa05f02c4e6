#pragma once

#include <curl/curl.h>

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <chrono>
#include <optional>

#include "core/Error.h"

namespace telvainn {

// What libcurl's SMTP conversation showed of the server: the last command verb sent and the last reply
// received, so a failure can name the step and quote the server's own words. Only verbs are kept of what
// was sent, never the rest of a line: the AUTH lines carry the password.
class SmtpConversation {
  public:
    // Installs the recorder on `handle` (verbose mode through a debug function, nothing printed).
    void attach(CURL* handle);

    const QByteArray& lastVerb() const { return m_lastVerb; }
    // When the goodbye (QUIT) went out, if it has.
    std::optional<std::chrono::steady_clock::time_point> quitSent() const { return m_quitSent; }
    // The lines of the last complete reply, joined by blanks ("535 5.7.8 Authentication failed").
    QString lastReply() const;

    void record(curl_infotype type, QByteArrayView data);

  private:
    QByteArray m_lastVerb;
    QByteArrayList m_replyLines;
    QByteArray m_lastReply;
    std::optional<std::chrono::steady_clock::time_point> m_quitSent;
};

// The MAPI error for a failed transfer: the step that failed, the server and its reply or libcurl's
// explanation. `recipient` and `sender` are the wire addresses of the mail.
Error SmtpFailure(CURLcode code, const char* errorBuffer, const SmtpConversation& conversation,
                  const QString& server, const QString& user, const QByteArray& sender,
                  const QByteArray& recipient);

}  // namespace telvainn
