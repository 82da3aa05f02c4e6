#pragma once

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include "core/ReportCatalogue.h"
#include "workbook/uno/LibreOffice.h"

namespace telvainn::excel::testing {

// The profiles live in the build tree and are kept between runs, as a user's would be: a seeded
// profile that has started once starts in a fraction of a second.
inline uno::LibreOfficeOptions testOfficeOptions() {
    uno::LibreOfficeOptions options;
    options.profileFolder = QStringLiteral(TELVAINN_LO_PROFILES);
    return options;
}

// The office a suite keeps from test to test, made on its first use and ended once all tests are over.
Application& keptOffice(const char* suite);

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

// A report 10 for 200812 with one valid row, made from the template of `programFolder` and saved as
// `odsPath` with Basic macros, as a user who writes macros might hand it in: the report's open macro
// Ark1.buildComboBox1 writes the file "makro" into `markers`, and the events OnLoad, OnViewCreated
// and OnFocus are bound to a macro that writes "hendelse" there. Call it within ASSERT_NO_FATAL_FAILURE.
inline void makeReportWithMacros(Application& application, const QString& programFolder, int dsnr, int regnr,
                                 const QString& odsPath, const QString& markers) {
    const QString source = odsPath + QStringLiteral(".kilde.xls");
    QFile::remove(source);
    ASSERT_TRUE(QFile::copy(telvainn::templatePath(programFolder, 10), source));
    const auto workbook = application.Open(source);
    const auto sheet = workbook->ActiveSheet();
    sheet->SetCell(3, 2, QStringLiteral("%1").arg(dsnr, 3, 10, QLatin1Char('0')));
    sheet->SetCell(4, 2, QStringLiteral("%1").arg(regnr, 4, 10, QLatin1Char('0')));
    sheet->SetCell(6, 2, QStringLiteral("200812"));
    sheet->SetCell(7, 2, QStringLiteral("N"));
    sheet->WriteBlock(11, 1, {{QStringLiteral("Kontanter"), 1010000.0, CellValue(), 0.0, 0.0, 1.0, 1500.0}});
    workbook->Save();
    const QString module =
        QStringLiteral(
            "Sub buildComboBox1\n  Merk \"makro\"\nEnd Sub\n"
            "Sub Hendelse\n  Merk \"hendelse\"\nEnd Sub\n"
            "Sub Merk(navn As String)\n  Dim n As Integer\n  n = FreeFile\n"
            "  Open \"%1/\" & navn For Output As #n\n  Print #n, navn\n  Close #n\nEnd Sub\n")
            .arg(markers);
    ASSERT_EQ(actAsUser(application, source, {QStringLiteral("basic"), QStringLiteral("Ark1"), module}), 0);
    for (const QString& event :
         {QStringLiteral("OnLoad"), QStringLiteral("OnViewCreated"), QStringLiteral("OnFocus")}) {
        ASSERT_EQ(
            actAsUser(application, source,
                      {QStringLiteral("bind"), event,
                       QStringLiteral(
                           "vnd.sun.star.script:Standard.Ark1.Hendelse?language=Basic&location=document")}),
            0);
    }
    workbook->SaveAs(odsPath);
    workbook->Close();
    QFile::remove(source);
}

}  // namespace telvainn::excel::testing
