#pragma once

#include <gtest/gtest.h>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include "workbook/uno/LibreOffice.h"

namespace telvainn::excel::testing {

// The profiles live in the build tree and are kept between runs, as a user's would be: a seeded
// profile that has started once starts in a fraction of a second.
inline uno::LibreOfficeOptions testOfficeOptions() {
    uno::LibreOfficeOptions options;
    options.profileFolder = QStringLiteral(TELVAINN_LO_PROFILES);
    return options;
}

// Runs the process that plays the user on the office behind `application`.
inline int actAsUser(Application& application, const QString& file, const QStringList& what) {
    return QProcess::execute(QStringLiteral(TELVAINN_CLOSE_AS_USER),
                             QStringList{uno::libreOfficeConnection(application),
                                         QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)} +
                                 what);
}

inline int closeAsUser(Application& application, const QString& file, const QString& how) {
    return actAsUser(application, file, {how});
}

// Sends a signal to the office's soffice.bin (found by its unique pipe name).
inline void signalOffice(Application& application, const QString& signal) {
    const QString pipe = uno::libreOfficeConnection(application).section(QLatin1Char('='), 1);
    ASSERT_FALSE(pipe.isEmpty()) << "no office runs";
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("pkill"), {QStringLiteral("-") + signal, QStringLiteral("-f"),
                                                    QStringLiteral("soffice.bin .*name=%1;").arg(pipe)}),
        0);
}

}  // namespace telvainn::excel::testing
