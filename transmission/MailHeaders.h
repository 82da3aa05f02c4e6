#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <optional>

namespace telvainn::mime {

// Header fields as they go on the wire: US-ASCII, CR LF at the end of every line, lines folded before a
// blank to stay within 78 characters where the text allows it and never beyond 998. Text that is not
// plain printable ASCII travels as RFC 2047 encoded words in Windows-1252, the character set of every
// text of the program, so decoding gives back exactly the text that was sent.

// "Name: text" with its CR LF, for free text such as the subject.
QByteArray unstructuredField(QByteArrayView name, const QString& text);

// "Name: display name <address>" with its CR LF, or "Name: <address>" when there is no display name.
// `address` is in wire form (see wireAddress).
QByteArray mailboxField(QByteArrayView name, const QString& displayName, QByteArrayView address);

// "Fri, 03 Jul 2009 14:05:09 +0200": English names and the time's own offset from UTC.
QByteArray dateValue(const QDateTime& when);

// A mail address the way it goes on the wire, or nothing when it cannot be sent to. Blanks around it
// and an address-type prefix "SMTP:" are dropped (mail clients take addresses in that form); a local
// part that is not a dot-atom, such as GroupWise's "UT:name", is written as a quoted string, so
// "UT:post@dalvora.no" becomes "\"UT:post\"@dalvora.no". Refused are empty addresses, blanks, control
// and non-ASCII characters, the characters < > ( ) [ ] \ , ; " and addresses longer than 254
// characters.
std::optional<QByteArray> wireAddress(const QString& address);

// This machine's name where mail needs one (the server greeting, Message-ID): "localhost" when the
// name is empty or holds anything a host name may not.
QByteArray hostName();

}  // namespace telvainn::mime
