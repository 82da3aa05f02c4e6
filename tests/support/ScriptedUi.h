#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/DesktopShell.h"
#include "ui/FileDialogs.h"

namespace testsupport {

// Answers the file dialogs from a script and remembers every request.
class ScriptedFileDialogs : public telvainn::ui::FileDialogs {
  public:
    std::optional<QString> openFile(QWidget*, const telvainn::ui::FileDialogRequest& request) override {
        return next(request, /*save=*/false);
    }
    std::optional<QString> saveFile(QWidget*, const telvainn::ui::FileDialogRequest& request) override {
        return next(request, /*save=*/true);
    }

    std::deque<std::optional<QString>> answers;  // nothing = cancelled
    std::vector<telvainn::ui::FileDialogRequest> requests;
    std::vector<bool> saves;

  private:
    std::optional<QString> next(const telvainn::ui::FileDialogRequest& request, bool save) {
        requests.push_back(request);
        saves.push_back(save);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
            return std::nullopt;
        }
        const bool cancelled = !answers.front().has_value();
        const QString answer = answers.front().value_or(QString());
        answers.pop_front();
        if (cancelled) {
            return std::nullopt;
        }
        return answer;
    }
};

// Records what the windows ask the desktop to open; fails with the scripted text when one is set.
class RecordingShell : public telvainn::ui::DesktopShell {
  public:
    std::optional<QString> open(const QString& fileOrUrl) override {
        opened.append(fileOrUrl);
        return failure;
    }
    std::optional<QString> explore(const QString& folder) override {
        explored.append(folder);
        return failure;
    }

    QStringList opened;
    QStringList explored;
    std::optional<QString> failure;
};

// Plays the part of the user in each modal dialog, in order: every step fills in and presses the
// dialog's controls and gives the dialog's result.
class ScriptedDialogs {
  public:
    using Step = std::function<int(QDialog&)>;

    void then(Step step) { m_steps.push_back(std::move(step)); }
    int operator()(QDialog& dialog) {
        shown.append(dialog.objectName());
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << dialog.objectName().toStdString();
            return QDialog::Rejected;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        return step(dialog);
    }
    bool done() const { return m_steps.empty(); }

    QStringList shown;  // object names of the dialogs, in order

  private:
    std::deque<Step> m_steps;
};

}  // namespace testsupport
