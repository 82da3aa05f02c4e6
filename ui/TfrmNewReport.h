#pragma once

#include <QDate>
#include <QDialog>

#include "core/Prompter.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace telvainn::ui {

// Report number, period and type of a new report, with the period that is normally due proposed and
// the period typed checked against the report's frequency and today's date.
class TfrmNewReport : public QDialog {
  public:
    // `today` is the date the proposals and checks are made from.
    TfrmNewReport(Prompter& prompter, QDate today, QWidget* parent = nullptr);

    // Read after OK.
    int Rapportnr() const;
    QString Periode() const;
    QString Rapporttype() const;  // "K" for a correction, else "N"

    // The period proposed for the report at `position` of the list, as "yyyymm"; raises for a position
    // outside the list.
    static QString proposedPeriod(int position, QDate today);

    void btnOkClick();

  protected:
    void done(int result) override;

  private:
    // True when the period typed may be accepted, after any question it needs.
    bool periodAccepted();
    void proposePeriod();

    Prompter& m_prompter;
    quint16 m_year;
    quint16 m_month;
    QComboBox* m_cmbRapportNr;
    QLineEdit* m_edtPeriode;
    QLabel* m_lblBrukKorrektPeriode;
    QButtonGroup* m_rsRapportType;
    QTimer* m_timer;
};

}  // namespace telvainn::ui
