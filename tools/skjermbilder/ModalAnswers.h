#pragma once

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QWidget;

// Stands in for the person at the screen while a command of the main window runs: each modal window
// the program opens (a message box, the password prompt, a file dialog) is pictured when it has a name
// in the queue and then answered as a person going on would: Yes or OK, a password, the flat data file,
// the folder for the encrypted files or, when asked to, cancel.
class ModalAnswers : public QObject {
  public:
    ModalAnswers(QDir pictures, QString dataFile, QString outputFolder);

    // The names of the next pictures, one per message box or password prompt in order; an empty name
    // answers that one without a picture.
    void expect(const QStringList& names) { m_names = names; }
    void setCancelFolder(bool cancel) { m_cancelFolder = cancel; }
    // False when a picture could not be saved or a window came that was not expected.
    bool ok() const { return m_ok && m_names.isEmpty(); }

  private:
    void look();
    void answer(QWidget& modal);
    void picture(QWidget& modal);

    QDir m_pictures;
    QString m_dataFile;
    QString m_outputFolder;
    QStringList m_names;
    bool m_cancelFolder = false;
    bool m_ok = true;
    QPointer<QWidget> m_answered;
    QTimer m_timer;
};

// Saves what `window` shows as FOLDER/NAME.png once it has painted; false when it could not be saved.
bool savePicture(QWidget& window, const QDir& folder, const QString& name);
