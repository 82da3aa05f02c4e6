#pragma once

#include <QDialog>
#include <QFrame>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "app/FlatFileCommands.h"
#include "core/Prompter.h"
#include "ui/DesktopShell.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace telvainn::ui {

// The source of the encrypted files, as the save commands name it.
inline const QString kSourceSpreadsheet = QStringLiteral("fra regneark");
inline const QString kSourceFlatFile = QStringLiteral("fra flat fil");

// What the guidance is made from: the number of file rows, where the files came from, and what the
// subject line suggests about them.
struct KrypterteFilerTexts {
    int fileCount = 0;
    QString source;  // kSourceSpreadsheet or kSourceFlatFile
    int companies = 1;
    QString version;
    QString reportType;  // Rapporttype of a workbook, the kind letter of a flat file
    QString reportNumber;
    QString period;
    QString regnr;
    QString dsnr;
    QString mailSystem;
    QString recipientName;
};

// One row of the file list: a copy of the window's hidden template row, showing one file. Not a control
// itself; it owns its panel, and with it the label and the open button.
class TpnlFilnavn {
  public:
    static constexpr int kRowHeight = 30;

    TpnlFilnavn(const QFrame& templatePanel, const QLabel& templateLabel, const QPushButton& templateButton,
                QWidget* list, int index, const EncryptedFileRow& file);
    ~TpnlFilnavn();
    TpnlFilnavn(const TpnlFilnavn&) = delete;
    TpnlFilnavn& operator=(const TpnlFilnavn&) = delete;

    QFrame* panel() const { return m_panel; }
    QLabel* label() const { return m_label; }
    QPushButton* openButton() const { return m_button; }
    // The file the row stands for, in full, however the label has to shorten it.
    const QString& path() const { return m_path; }
    // False for a report whose file was not written.
    bool ok() const { return m_ok; }

  private:
    // The window may already have taken the panel down with itself.
    QPointer<QFrame> m_panel;
    QLabel* m_label = nullptr;
    QPushButton* m_button = nullptr;
    QString m_path;
    bool m_ok = true;
};

// Lists the encrypted files just written, tells the user how to mail them by hand, and opens a file or
// their folder on the desktop.
class TfrmKrypterteFiler : public QDialog {
  public:
    TfrmKrypterteFiler(Prompter& prompter, DesktopShell& shell, QWidget* parent = nullptr);
    ~TfrmKrypterteFiler() override;

    void SetAddress(const QString& address);
    void SetTexts(const KrypterteFilerTexts& texts);
    // One row per file, written or not. The window grows with the rows as far as the room on the screen
    // allows; beyond that the list scrolls.
    void SetFiles(const std::vector<EncryptedFileRow>& files);
    // The room the window may take on the screen, for the next SetFiles; by default the free area of
    // the screen it is shown on, less the window manager's frame.
    void SetScreenRoom(const QSize& room) { m_room = room; }

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const TpnlFilnavn& row(int index) const { return *m_rows.at(static_cast<std::size_t>(index)); }
    // The folder of the last row whose file was written; empty when none was.
    const QString& folder() const { return m_folder; }

  private:
    void buildControls();
    void fitToRows(int rows);
    void shapeTemplateRow(int width);
    void openFile(const QString& path);
    void openFolder();

    Prompter& m_prompter;
    DesktopShell& m_shell;

    QLabel* m_lblHva1 = nullptr;
    QLabel* m_lblHva2 = nullptr;
    QLabel* m_lblHva3 = nullptr;
    QLabel* m_lblHva4 = nullptr;
    QLabel* m_lblHva7 = nullptr;
    QLabel* m_lblHva8 = nullptr;
    QLabel* m_lblSend3 = nullptr;
    QLineEdit* m_edtEpostAdr = nullptr;
    QLineEdit* m_edtEmnetekst = nullptr;
    QGroupBox* m_gbFiler = nullptr;
    QScrollArea* m_scrFiler = nullptr;
    QFrame* m_pnlFiler = nullptr;
    QFrame* m_pnlDummyPanel = nullptr;
    QLabel* m_lblDummyFilnavn = nullptr;
    QPushButton* m_btnDummyOpen = nullptr;
    QPushButton* m_btnOpenFolder = nullptr;
    QLabel* m_lblOpenFolder1 = nullptr;
    QLabel* m_lblOpenFolder2 = nullptr;
    QPushButton* m_btnLukk = nullptr;

    std::optional<QSize> m_room;
    std::vector<std::unique_ptr<TpnlFilnavn>> m_rows;
    QString m_folder;
};

}  // namespace telvainn::ui
