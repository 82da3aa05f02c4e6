#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "core/Error.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/uno/LibreOffice.h"

namespace {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-lag-maler [--profil MAPPE] --ut MAPPE KILDE... [--ut MAPPE KILDE...]\n"
    "\n"
    "Lager arbeidsbøker (.xls) fra tekstkildene i maler/ gjennom LibreOffice, uten vinduer.\n"
    "Kilden NAVN.txt blir MAPPE/NAVN.xls for den siste --ut foran den. Alle kildene leses\n"
    "før LibreOffice startes, og én LibreOffice lager alle filene.\n"
    "\n"
    "  --ut MAPPE      mappa for kildene som følger (lages om den mangler)\n"
    "  --profil MAPPE  mappa for LibreOffices egen brukerprofil");

void err(const QString& text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

void out(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

QString messageOf(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const telvainn::Error*>(&failure)) {
        return error->message();
    }
    return QString::fromUtf8(failure.what());
}

struct Job {
    QString source;
    QString target;
    telvainn::excel::SampleWorkbook workbook;
};

}  // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvainn-lag-maler"));
    const QStringList args = QCoreApplication::arguments().mid(1);

    telvainn::excel::uno::LibreOfficeOptions options;
    options.headless = true;
    std::vector<Job> jobs;
    QString folder;
    for (qsizetype index = 0; index < args.size(); ++index) {
        const QString& arg = args[index];
        if (arg == u"--help" || arg == u"-h") {
            out(kHelp);
            return Success;
        }
        if (arg == u"--ut" || arg == u"--profil") {
            if (index + 1 == args.size()) {
                err(QStringLiteral("%1 mangler en mappe.").arg(arg));
                err(kHelp);
                return Usage;
            }
            if (arg == u"--ut") {
                folder = args[++index];
            } else {
                options.profileFolder = args[++index];
            }
            continue;
        }
        if (folder.isEmpty()) {
            err(QStringLiteral("Kilden %1 står foran første --ut.").arg(arg));
            err(kHelp);
            return Usage;
        }
        jobs.push_back({arg, QDir(folder).filePath(QFileInfo(arg).baseName() + QStringLiteral(".xls")), {}});
    }
    if (jobs.empty()) {
        err(QStringLiteral("Ingen kilder å lage arbeidsbøker av."));
        err(kHelp);
        return Usage;
    }
    QMap<QString, QString> sourceOfTarget;
    for (const Job& job : jobs) {
        const QString target = QFileInfo(job.target).absoluteFilePath();
        if (sourceOfTarget.contains(target)) {
            err(QStringLiteral("%1 og %2 blir begge %3.").arg(sourceOfTarget[target], job.source, target));
            return Usage;
        }
        sourceOfTarget.insert(target, job.source);
    }

    // Every source is read first: a fault in one is told before the office is started at all.
    bool readable = true;
    for (Job& job : jobs) {
        try {
            job.workbook = telvainn::excel::readSampleWorkbook(job.source);
        } catch (const std::exception& failure) {
            err(messageOf(failure));
            readable = false;
        }
    }
    if (!readable) {
        return Failure;
    }
    for (const Job& job : jobs) {
        const QString target = QFileInfo(job.target).absolutePath();
        if (!QDir().mkpath(target)) {
            err(QStringLiteral("Klarte ikke opprette mappa \"%1\".").arg(target));
            return Failure;
        }
    }

    // The first failure ends the run: when the office cannot start, every further file would wait for
    // the same start-up time-out.
    const std::unique_ptr<telvainn::excel::Application> office =
        telvainn::excel::uno::makeLibreOfficeApplication(options);
    std::size_t made = 0;
    try {
        for (const Job& job : jobs) {
            telvainn::excel::writeSampleWorkbook(*office, job.workbook, job.target);
            out(QStringLiteral("Laget %1").arg(job.target));
            ++made;
        }
        office->Quit();
    } catch (const std::exception& failure) {
        err(messageOf(failure));
        if (made < jobs.size()) {
            err(QStringLiteral("%1 av %2 arbeidsbøker ble ikke laget.")
                    .arg(jobs.size() - made)
                    .arg(jobs.size()));
        }
        try {
            office->Quit();
        } catch (const std::exception&) {  // NOLINT(bugprone-empty-catch): the failure above is the one told
        }
        return Failure;
    }
    return Success;
}
