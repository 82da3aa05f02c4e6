#include "app/SelfTests.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli test-internett ADRESSE\n"
    "\n"
    "Henter web-adressen ADRESSE (med eller uten \"http://\") og forteller om\n"
    "programmet når ut på Internett. Avslutter med 0 når siden hadde innhold.");

}  // namespace

int testInternett(const QStringList& args) {
    const Arguments arguments(args, {}, {});
    if (const auto end = arguments.endBeforeRun(kHelp, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én web-adresse."))) {
        return *end;
    }
    const InternetSelfTest test = RunInternetSelfTest(arguments.positional().front().trimmed());
    if (!test.tested) {
        err(test.message);
        return Usage;
    }
    if (test.connected) {
        out(test.message);
        return Success;
    }
    err(test.message);
    return Failure;
}

}  // namespace telvainn::cli
