#include "workbook/uno/LoadQuestions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <com/sun/star/document/LockedDocumentRequest.hpp>
#include <com/sun/star/document/OwnLockOnDocumentRequest.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>

namespace telvainn::excel::uno {
namespace {

template <class Request>
bool isA(const css::uno::Any& request) {
    return cppu::UnoType<Request>::get().isAssignableFrom(request.getValueType());
}

// LibreOffice's lock file beside the workbook: "name,user,host,time,profile;", with "\" escaping
// commas and semicolons in a field. Empty when there is none, or it cannot be read.
QStringList lockEntry(const QString& lockFile) {
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString text = QString::fromUtf8(file.read(4096));
    QStringList fields(1);
    for (qsizetype at = 0; at < text.size() && text[at] != u';'; ++at) {
        if (text[at] == u'\\' && at + 1 < text.size()) {
            fields.last() += text[++at];
        } else if (text[at] == u',') {
            fields.append(QString());
        } else {
            fields.last() += text[at];
        }
    }
    return fields.size() >= 4 ? fields : QStringList();
}

QString lockedMessage(const QString& path) {
    const QFileInfo file(path);
    const QString lockName = QStringLiteral(".~lock.%1#").arg(file.fileName());
    const QString lockFile = file.dir().filePath(lockName);
    QString message = QStringLiteral("Arbeidsboka \"%1\" er åpen i et annet program").arg(path);
    if (const QStringList entry = lockEntry(lockFile); !entry.isEmpty()) {
        // The office user's own name where one is set up, else the login name.
        const QString who = entry[0].trimmed().isEmpty() ? entry[1] : entry[0];
        message += QStringLiteral(" (av %1 på maskinen %2, %3)").arg(who, entry[2], entry[3]);
    }
    message += QStringLiteral(". Lukk den der og prøv igjen.");
    if (QFileInfo::exists(lockFile)) {
        message += QStringLiteral(" Er den ikke åpen noe sted, kan du slette låsefila \"%1\" i samme mappe.")
                       .arg(lockName);
    }
    return message;
}

}  // namespace

void LoadQuestions::handle(const css::uno::Reference<css::task::XInteractionRequest>& request) {
    const css::uno::Any what = request->getRequest();
    if (isA<css::task::PasswordRequest>(what)) {
        m_asked = Asked::Password;
    } else if (isA<css::document::LockedDocumentRequest>(what) ||
               isA<css::document::OwnLockOnDocumentRequest>(what)) {
        m_asked = Asked::Locked;
    }
    for (const auto& continuation : request->getContinuations()) {
        if (const css::uno::Reference<css::task::XInteractionAbort> abort{continuation, css::uno::UNO_QUERY};
            abort.is()) {
            abort->select();
            return;
        }
    }
}

QString refusalMessage(LoadQuestions::Asked asked, const QString& path) {
    switch (asked) {
        case LoadQuestions::Asked::Password:
            return QStringLiteral(
                       "Arbeidsboka \"%1\" er beskyttet med passord, og programmet kan ikke "
                       "åpne den. Lagre den uten passord i regnearket og prøv igjen.")
                .arg(path);
        case LoadQuestions::Asked::Locked:
            return lockedMessage(path);
        case LoadQuestions::Asked::Nothing:
            break;
    }
    return QStringLiteral("Fila \"%1\" er ikke en Excel-arbeidsbok.").arg(path);
}

}  // namespace telvainn::excel::uno
