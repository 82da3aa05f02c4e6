#include "app/CommandLine.h"

namespace telvainn {
namespace {

const QString kHelp = QStringLiteral(
    "\n\r\n\rProduksjonsmodus startes uten kommandolinjeargument.\n\rTestmodus startes med "
    "kommandolinjeargumentet '-TEST'.\n\r\n\rProgrammet avslutter.");

}  // namespace

std::optional<RunMode> RunModeFromCommandLine(const QStringList& arguments, Prompter& prompter) {
    RunMode mode;
    if (arguments.isEmpty()) {
        return mode;
    }
    if (arguments.size() > 1) {
        prompter.ask(MessageKind::Error,
                     QStringLiteral("Feil i kommandolinje-argument:\n\rFor mange verdier!") + kHelp,
                     Buttons::Ok);
        return std::nullopt;
    }
    const QString argument = arguments.front().toUpper();
    QString question;
    if (argument == QLatin1String("-TEST")) {
        mode.test = true;
        question =
            QStringLiteral("OBS!!!   Klientprogrammet starter i TEST-modus.\n\rØnsker du å fortsette?");
    } else if (argument == QLatin1String("-DATAFIL")) {
        mode.dataFile = true;
        question = QStringLiteral(
            "OBS!!!   Klientprogrammet starter i DATAFIL-modus.\n\rProgrammet kan nå lage datafiler til "
            "testformål, med utgangspunkt i Excel-rapporter som du fyller ut selv.\r\nØnsker du å "
            "fortsette?");
    } else {
        prompter.ask(MessageKind::Error,
                     QStringLiteral("Feil i kommandolinje-argument:\n\rUkjent argument!") + kHelp,
                     Buttons::Ok);
        return std::nullopt;
    }
    if (prompter.ask(MessageKind::Information, question, Buttons::YesNo) != Answer::Yes) {
        return std::nullopt;
    }
    return mode;
}

}  // namespace telvainn
