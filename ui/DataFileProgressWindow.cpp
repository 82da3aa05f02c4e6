#include "ui/DataFileProgressWindow.h"

#include <QProgressDialog>

#include "core/ProgramInfo.h"

namespace telvainn::ui {

DataFileProgressWindow::DataFileProgressWindow(QWidget* parent) : m_dialog(new QProgressDialog(parent)) {
    m_dialog->setObjectName(QStringLiteral("DataFileProgress"));
    m_dialog->setWindowTitle(kApplicationTitle);
    m_dialog->setWindowModality(Qt::WindowModal);
    // A report half sent cannot be called back, so the run is not offered for cancelling.
    m_dialog->setCancelButton(nullptr);
    m_dialog->setMinimumDuration(1000);
    m_dialog->setAutoClose(true);
}

DataFileProgressWindow::~DataFileProgressWindow() {
    delete m_dialog;
}

void DataFileProgressWindow::operator()(const DataFileProgress& progress) {
    m_dialog->setMaximum(progress.total);
    if (progress.done < progress.total) {
        m_dialog->setLabelText(QStringLiteral("Behandler rapport %1 av %2\nRegnr %3, rapport %4")
                                   .arg(progress.done + 1)
                                   .arg(progress.total)
                                   .arg(progress.Regnr, progress.reportNumber));
    }
    m_dialog->setValue(progress.done);
}

}  // namespace telvainn::ui
