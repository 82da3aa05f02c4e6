#include "ui/DataFileProgressWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "core/ProgramInfo.h"

namespace telvainn::ui {

DataFileProgressWindow::DataFileProgressWindow(QWidget* parent) : m_parent(parent) {}

DataFileProgressWindow::~DataFileProgressWindow() {
    finish();
}

void DataFileProgressWindow::make() {
    m_dialog = new QDialog(m_parent);
    m_dialog->setObjectName(QStringLiteral("DataFileProgress"));
    m_dialog->setWindowTitle(kApplicationTitle);
    // Not modal: the toolkit hands the keyboard to a modal window when it shows, and to the modal window
    // under a question when the question closes. The main window's input is held back by the filter.
    m_dialog->setWindowModality(Qt::NonModal);
    // A report half sent cannot be called back, so the run is not offered for cancelling, and the
    // window has no button that could take the keyboard from a question.
    m_dialog->setFocusPolicy(Qt::NoFocus);
    m_dialog->setAttribute(Qt::WA_ShowWithoutActivating);
    m_dialog->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    m_label = new QLabel(m_dialog);
    m_label->setObjectName(QStringLiteral("lblProgress"));
    m_bar = new QProgressBar(m_dialog);
    m_bar->setObjectName(QStringLiteral("barProgress"));
    m_bar->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(m_dialog);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    qApp->installEventFilter(this);
}

void DataFileProgressWindow::finish() {
    if (m_dialog == nullptr) {
        return;
    }
    qApp->removeEventFilter(this);
    m_dialog->hide();
    delete m_dialog;
    m_stale = false;
    m_label = nullptr;
    m_bar = nullptr;
}

bool DataFileProgressWindow::otherDialogOpen() const {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != m_dialog;
}

void DataFileProgressWindow::operator()(const DataFileProgress& progress) {
    if (progress.done >= progress.total) {
        finish();
        return;
    }
    if (m_stale) {
        finish();
    }
    if (m_dialog == nullptr) {
        make();
    }
    m_bar->setMaximum(progress.total);
    m_bar->setValue(progress.done);
    m_label->setText(QStringLiteral("Behandler rapport %1 av %2\nRegnr %3, rapport %4")
                         .arg(progress.done + 1)
                         .arg(progress.total)
                         .arg(progress.Regnr, progress.reportNumber));
    if (!otherDialogOpen() && !m_dialog->isVisible()) {
        m_dialog->show();
    }
    // The run holds the event loop until it ends; the window is painted now.
    QCoreApplication::processEvents();
}

bool DataFileProgressWindow::eventFilter(QObject* watched, QEvent* event) {
    // The main window's commands wait until the run is over; what the user clicks or types there now is
    // dropped rather than run after it.
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut: {
            const auto* target = qobject_cast<QWidget*>(watched);
            if (target != nullptr && m_parent != nullptr && target->window() == m_parent) {
                return true;
            }
            break;
        }
        case QEvent::Close:
            // Nor does the program end in the middle of the run.
            if (watched == m_parent) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
    }
    // Another window of the run (a question, a password prompt) opens: the progress steps aside until
    // the next report, so that the question is on top and has the keyboard.
    if (event->type() == QEvent::Show && m_dialog != nullptr && watched != m_dialog) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->isWindow() && qobject_cast<const QDialog*>(widget) != nullptr) {
            m_dialog->hide();
            // A window shown again after it was hidden under a question can be handed the keyboard by
            // an activation left pending when the question closed; a new window has none.
            m_stale = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace telvainn::ui
