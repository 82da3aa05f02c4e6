#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/FileIo.h"
#include "support/ModalSteps.h"
#include "ui/FileDialogs.h"

using namespace telvainn;
using namespace telvainn::ui;
using testsupport::ModalSteps;

namespace telvainn::ui {
void PrintTo(const NameFilter& filter, std::ostream* out) {
    *out << '{' << filter.shown.toStdString() << " | " << filter.qtName.toStdString() << '}';
}
}  // namespace telvainn::ui

namespace {

// The names the dialog lists in its current folder.
QStringList listed(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
    }
    return names;
}

// Types `name` into the dialog and presses its accept button, from the event loop. Typing into the
// focused name field unselects the suggested file; here the field has no focus, so that is done by hand.
void choose(QFileDialog& dialog, const QString& name) {
    dialog.findChild<QListView*>(QStringLiteral("listView"))->clearSelection();
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
}

QString shown(QAbstractButton* button) {
    return button->text().remove(QLatin1Char('&'));
}

class FileDialogsTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    QString settingsFile() const { return folder.filePath(QStringLiteral("brukerinnstillinger.ini")); }

    QTemporaryDir folder;
};

}  // namespace

TEST_F(FileDialogsTest, FilterPairsShowAsTheCommandsNameThemAndTheAllFilesFilterMatchesEveryFile) {
    EXPECT_EQ(nameFilters(kExcelFilesFilter),
              (QList<NameFilter>{{QStringLiteral("Alle filer (*.*)"), QStringLiteral("Alle filer (*)")},
                                 {QStringLiteral("Microsft Excel filer (*.xls)"),
                                  QStringLiteral("Microsft Excel filer (*.xls)")}}));
    EXPECT_EQ(
        nameFilters(QStringLiteral("Tekst|*.txt;*.csv")),
        (QList<NameFilter>{{QStringLiteral("Tekst (*.txt *.csv)"), QStringLiteral("Tekst (*.txt *.csv)")}}));
    EXPECT_TRUE(nameFilters(QString()).isEmpty());

    // In the dialog itself: the filter reads "Alle filer (*.*)", and a file without a dot is listed.
    writeFileBytes(path(QStringLiteral("Filnavn")), "kryptert");
    writeFileBytes(path(QStringLiteral("data.txt")), "data");
    QtFileDialogs dialogs(settingsFile());
    ModalSteps user;
    QString filterText;
    QStringList names;
    user.then<QFileDialog>([&](QFileDialog& dialog) {
        names = listed(dialog);
        if (!names.contains(QStringLiteral("data.txt"))) {
            return false;  // the folder is still being read
        }
        filterText = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        dialog.reject();
        return true;
    });
    EXPECT_FALSE(
        dialogs.openFile(nullptr, {QStringLiteral("Velg datafil som skal behandles"), kAllFilesFilter, 1,
                                   path(QStringLiteral("data.txt")), FolderKind::DataFiles}));
    EXPECT_TRUE(user.done());
    EXPECT_EQ(filterText, QStringLiteral("Alle filer (*.*)"));
    EXPECT_TRUE(names.contains(QStringLiteral("Filnavn"))) << names.join(QLatin1Char(' ')).toStdString();
}

// A report's name typed without ".xls" where the filled workbook exists: the question is about that
// workbook, in Norwegian; "Nei" keeps the user in the dialog, "Ja" gives the workbook's path.
TEST_F(FileDialogsTest, ANameWithoutTheSuffixIsAskedAboutAtTheWorkbookItWouldReplace) {
    writeFileBytes(path(QStringLiteral("R10K-202611.xls")), "utfylt rapport");
    QtFileDialogs dialogs(settingsFile());
    ModalSteps user;
    QStringList questions;
    QStringList buttons;
    const auto answer = [&](QMessageBox::StandardButton button) {
        return [&, button](QMessageBox& box) {
            questions.append(box.text());
            buttons = {shown(box.button(QMessageBox::Yes)), shown(box.button(QMessageBox::No))};
            box.button(button)->click();
            return true;
        };
    };
    const auto type = [](QFileDialog& dialog) {
        choose(dialog, QStringLiteral("R10K-202611"));
        return true;
    };
    user.then<QFileDialog>(type);
    user.then<QMessageBox>(answer(QMessageBox::No));
    user.then<QFileDialog>(type);
    user.then<QMessageBox>(answer(QMessageBox::Yes));
    const std::optional<QString> chosen = dialogs.saveFile(
        nullptr, {QStringLiteral("Lagre rapporten"), kExcelFilesFilter, 2,
                  path(QStringLiteral("R10K-202611.xls")), FolderKind::Reports, QStringLiteral(".xls")});
    EXPECT_TRUE(user.done());
    const QString question = QStringLiteral("R10K-202611.xls finnes allerede.\nVil du erstatte den?");
    EXPECT_EQ(questions, (QStringList{question, question}));
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nei")}));
    EXPECT_EQ(chosen, path(QStringLiteral("R10K-202611.xls")));
}

// Each kind of dialog opens in the folder last chosen in it, also in a later run; the first time in the
// user's documents folder; a suggested full path wins.
TEST_F(FileDialogsTest, EachKindOpensWhereTheUserLastChoseIt) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", folder.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral(".config")).toLocal8Bit());
    QDir(folder.path()).mkpath(QStringLiteral("Documents"));
    QDir(folder.path()).mkpath(QStringLiteral("data"));
    QDir(folder.path()).mkpath(QStringLiteral("rapporter"));
    const QString documents = path(QStringLiteral("Documents"));

    QStringList opened;
    const auto run = [&](QtFileDialogs& dialogs, FolderKind kind, const QString& suggested,
                         const QString& answer) {
        ModalSteps user;
        user.then<QFileDialog>([&](QFileDialog& dialog) {
            opened.append(dialog.directory().absolutePath());
            choose(dialog, answer);
            return true;
        });
        dialogs.saveFile(nullptr, {QStringLiteral("Velg"), kAllFilesFilter, 1, suggested, kind});
        EXPECT_TRUE(user.done());
    };
    {
        QtFileDialogs dialogs(settingsFile());
        run(dialogs, FolderKind::DataFiles, QString(), path(QStringLiteral("data/a.txt")));
        run(dialogs, FolderKind::DataFiles, QString(), QStringLiteral("b.txt"));
        run(dialogs, FolderKind::Reports, QStringLiteral("R10-202611.xls"), QStringLiteral("R10-202611.xls"));
        run(dialogs, FolderKind::EncryptedFiles, path(QStringLiteral("rapporter/R10.txt")),
            QStringLiteral("R10.txt"));
    }
    QtFileDialogs later(settingsFile());
    run(later, FolderKind::DataFiles, QStringLiteral("Filnavn"), QStringLiteral("Filnavn"));
    run(later, FolderKind::EncryptedFiles, QString(), QStringLiteral("R10.txt"));
    QDir(path(QStringLiteral("data"))).removeRecursively();
    run(later, FolderKind::DataFiles, QString(), QStringLiteral("c.txt"));

    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    const QString data = path(QStringLiteral("data"));
    const QString reports = path(QStringLiteral("rapporter"));
    EXPECT_EQ(opened, (QStringList{documents, data, documents, reports, data, reports, documents}));
}
