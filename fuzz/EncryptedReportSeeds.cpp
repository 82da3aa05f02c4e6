// Writes the encrypted report files of flat data files into a folder, as "krypter-datafil" saves them:
//     fuzz_encrypted_report_seeds FOLDER DATAFILE...
// Data files that are refused are passed over, so any corpus of data files can be handed in.

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "transmission/DataFileRun.h"

using namespace telvainn;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Bruk: %s MAPPE DATAFIL...\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "Kan ikke lage mappa %s\n", argv[1]);
        return 1;
    }
    DataFileRunContext context;
    context.mailSystem = QStringLiteral("Annet");
    context.reportVersion = QStringLiteral("FLATFIL");
    // The same seeds on every run.
    context.clock = [] { return QDateTime(QDate(2009, 7, 1), QTime(12, 0)); };
    int made = 0;
    for (int i = 2; i < argc; ++i) {
        const QString dataFile = QString::fromLocal8Bit(argv[i]);
        context.pathTemplate = folder.filePath(QFileInfo(dataFile).completeBaseName());
        DataFileRunOutputs outputs;
        ProcessDataFile(dataFile, DataFileMode::SaveFiles, outputs, context);
        made += static_cast<int>(outputs.reports.size());
    }
    std::printf("%d krypterte filer i %s\n", made, argv[1]);
    return made > 0 ? 0 : 1;
}
