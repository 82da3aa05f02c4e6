#include "ModalAnswers.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <utility>

bool savePicture(QWidget& window, const QDir& folder, const QString& name) {
    window.show();
    // Let the style finish the first paint.
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "Lagret" : "Klarte ikke å lagre",
                 qPrintable(path));
    return saved;
}

ModalAnswers::ModalAnswers(QDir pictures, QString dataFile, QString outputFolder)
    : m_pictures(std::move(pictures)),
      m_dataFile(std::move(dataFile)),
      m_outputFolder(std::move(outputFolder)) {
    // The windows open inside the commands' own event loops, where this timer runs too.
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswers::look);
    m_timer.start(50);
}

void ModalAnswers::look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == m_answered || !modal->isVisible()) {
        return;
    }
    // A file dialog may not take the choice before it has read its folder, so it is answered again
    // until it closes.
    if (qobject_cast<QFileDialog*>(modal) == nullptr) {
        m_answered = modal;
    }
    answer(*modal);
}

void ModalAnswers::picture(QWidget& modal) {
    if (m_names.isEmpty()) {
        std::fprintf(stderr, "Uventet vindu: %s\n", qPrintable(modal.windowTitle()));
        m_ok = false;
        return;
    }
    const QString name = m_names.takeFirst();
    if (!name.isEmpty()) {
        m_ok = savePicture(modal, m_pictures, name) && m_ok;
    }
}

void ModalAnswers::answer(QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        picture(*box);
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        (yes != nullptr ? yes : ok != nullptr ? ok : box->buttons().constFirst())->click();
    } else if (auto* prompt = qobject_cast<QInputDialog*>(&modal)) {
        picture(*prompt);
        prompt->setTextValue(QStringLiteral("hemmelig"));
        prompt->accept();
    } else if (auto* files = qobject_cast<QFileDialog*>(&modal)) {
        if (files->acceptMode() == QFileDialog::AcceptSave && m_cancelFolder) {
            files->reject();
            return;
        }
        const QString chosen = files->acceptMode() == QFileDialog::AcceptOpen
                                   ? m_dataFile
                                   : QDir(m_outputFolder).filePath(QStringLiteral("Filnavn"));
        // Typed into the name field and confirmed, as a person does; QFileDialog keeps its accept to
        // itself, but as a dialog it takes the typed name like its own button.
        if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(chosen);
        }
        static_cast<QDialog*>(files)->accept();
    }
    // Any other modal window (the progress of a run) goes by itself.
}
