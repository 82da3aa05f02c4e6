#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/Locale.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "workbook/Excel.h"

// The program's start-up before its window is shown, and the template checks after it: what the
// desktop program decides at start, for the window to show.
namespace telvainn {

struct StartUp {
    bool stop = false;  // a wrong argument or a mode not confirmed: the program ends, nothing was read
    RunMode mode;
    TSettings settings;     // the mode's start values, replaced by the settings file's
    bool firstRun = false;  // no settings file existed (it has been created): ask for the configuration
    QString settingsError;  // the settings file could not be read; to be told, and the run goes on
};

// The command line (`arguments` without the program name, its questions asked through `prompter`), then
// the settings file of `programFolder`.
StartUp StartProgram(const QStringList& arguments, const QString& programFolder, Prompter& prompter);

// Told when a template is missing; nothing when all are there.
std::optional<QString> MissingTemplatesMessage(const QString& programFolder);

// Records the template versions when the settings ask for it at start; the message to tell when that
// failed, else nothing.
std::optional<QString> RecordTemplateVersionsAtStart(excel::Application& excel, const TSettings& settings,
                                                     const QString& programFolder, const Locale& locale);

}  // namespace telvainn
