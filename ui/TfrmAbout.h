#pragma once

#include <QDialog>
#include <QString>

#include "core/Settings.h"

namespace telvainn::ui {

// "Versjon 3.0.5   -   <25.02.2009>": the version with the date part of its build stamp (yyyyMMddHHmm).
QString aboutVersionText(const QString& version, const QString& buildStamp);

// The About box: program version and date, who owns the program and where to get support.
class TfrmAbout : public QDialog {
  public:
    explicit TfrmAbout(const TSettings& settings, QWidget* parent = nullptr);
};

}  // namespace telvainn::ui
