#pragma once

#include <QString>
#include <QStringList>

#include "app/RepeatedSends.h"
#include "core/Locale.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "core/TemplateVersion.h"
#include "transmission/DataFileRun.h"
#include "transmission/ReportMail.h"

namespace telvainn {

// The outcome of sending a flat data file as encrypted mails.
struct SendDataFileResult {
    bool ok = false;       // every mail was accepted
    bool stopped = false;  // the Dsnr check, the mail-system or the repeat question said stop; nothing sent
    QString message;       // the text to show: the success text or the failure; empty when stopped
    DataFileRunOutputs outputs;
};

// "R10", "R10 og R11", "R10, R11 og R20"; empty for no reports.
QString reportListText(const QStringList& reportNumbers);

// Sends one encrypted mail per company and report of a flat data file through `mailer`, after the Dsnr
// check and the mail-system question, with `templateVersion` at "FLATFIL" for the whole command and "0"
// after it. A mail that fails stops the run, and mails sent before it stay sent and listed; a cancelled
// one only clears `ok`. Reports the history holds as sent are asked about once, before the first mail,
// through `repeat`; no sends nothing and the run counts as stopped.
SendDataFileResult SendDataFileByMail(const QString& dataFile, const TSettings& settings, const RunMode& mode,
                                      const Locale& locale, Prompter& prompter, ReportMailer& mailer,
                                      TemplateVersion& templateVersion,
                                      const DataFileProgressHandler& progress = {},
                                      const RepeatGuard& repeat = {});

}  // namespace telvainn
