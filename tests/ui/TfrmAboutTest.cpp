#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "ui/TfrmAbout.h"
#include "ui/TfrmShowURL.h"

using telvainn::TSettings;
using telvainn::ui::TfrmAbout;
using telvainn::ui::TfrmShowURL;

namespace {

template <typename Widget>
Widget* child(const QWidget& window, const char* name) {
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QStringList labelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts << label->text();
    }
    return texts;
}

TEST(TfrmAbout, ShowsVersionOwnerAndSupport) {
    TSettings settings;
    settings.RecipientName = QStringLiteral("Finanstilsynet Nord");
    settings.SupportAddress = QStringLiteral("hjelp@ftn.no");
    TfrmAbout about(settings);

    EXPECT_EQ(about.objectName(), QStringLiteral("TfrmAbout"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Om TELVA-rapportering"));
    EXPECT_TRUE(labelTexts(about).contains(QStringLiteral("TELVA-rapportering")));
    EXPECT_TRUE(labelTexts(about).contains(QStringLiteral("Support mail:")));
    EXPECT_EQ(child<QLabel>(about, "lblVersionInfo")->text(),
              QStringLiteral("Versjon 3.0.5   -   <25.02.2009>"));
    EXPECT_EQ(child<QLabel>(about, "lblProgramEier")->text(), QStringLiteral("Finanstilsynet Nord"));
    EXPECT_EQ(child<QLabel>(about, "lblProgramInfo")->text(),
              QStringLiteral("Program for validering og innrapporterting av finansstatistikk-data til "
                             "Finanstilsynet Nord."));
    EXPECT_EQ(child<QLabel>(about, "lblSupportMailAddr")->text(), QStringLiteral("hjelp@ftn.no"));

    auto* ok = child<QPushButton>(about, "btnOk");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Ok"));
    about.show();
    ok->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(TfrmAbout, VersionDateComesFromTheBuildStamp) {
    EXPECT_EQ(telvainn::ui::aboutVersionText(QStringLiteral("4.1.0"), QStringLiteral("201012310815")),
              QStringLiteral("Versjon 4.1.0   -   <31.12.2010>"));
}

class TfrmShowURLTest : public testing::Test {
  protected:
    void SetUp() override {
        window.setInfoText(QStringLiteral("Nedlastingsside for TELVA Derorov"));
        window.setUrl(QStringLiteral("www.dalvora.no/telva/nedlasting"));
        window.show();
    }
    QLineEdit* url() { return child<QLineEdit>(window, "edtURL"); }
    void press(const char* name) { child<QPushButton>(window, name)->click(); }

    testsupport::RecordingShell shell;
    ScriptedPrompter prompter;
    TfrmShowURL window{shell, prompter};
};

TEST_F(TfrmShowURLTest, ShowsTheAddressToCopy) {
    EXPECT_EQ(window.objectName(), QStringLiteral("TfrmShowURL"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TELVA Derorov"));
    EXPECT_EQ(child<QLabel>(window, "lblInfo1")->text(), QStringLiteral("Nedlastingsside for TELVA Derorov"));
    EXPECT_EQ(url()->text(), QStringLiteral("www.dalvora.no/telva/nedlasting"));
    EXPECT_FALSE(url()->isReadOnly());
    const QStringList labels = labelTexts(window);
    EXPECT_TRUE(labels.contains(QStringLiteral("Her ser du internet-adressen:")));
    EXPECT_TRUE(
        labels.contains(QStringLiteral("Gå direkte til web-siden ved å klikke knappen til høyre, eller "
                                       "kopier adressen ut til din web-leser. Det er "
                                       "stor sansynlighet for at dette programmet ikke får lov til å "
                                       "aksessere internett-siden fra din maskin.")));
    EXPECT_EQ(child<QPushButton>(window, "btnGaaTil")->text(), QStringLiteral("Gå til..."));
    EXPECT_EQ(child<QPushButton>(window, "btnLukk")->text(), QStringLiteral("Lukk"));
    // Nothing goes to the desktop until the user asks.
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(TfrmShowURLTest, GaaTilOpensTheAddressAsTheUserLeftIt) {
    url()->setText(QStringLiteral("www.dalvora.no/telva/brukermanual"));
    press("btnGaaTil");
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("http://www.dalvora.no/telva/brukermanual")});
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TfrmShowURLTest, GaaTilKeepsTheSchemeOfAnAddressThatHasOneAndSaysWhyTheDesktopFailed) {
    url()->setText(QStringLiteral("https://www.dalvora.no/telva/brukermanual"));
    shell.failure = QStringLiteral("There is no application associated with the given filename extension");
    press("btnGaaTil");
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("https://www.dalvora.no/telva/brukermanual")});
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("Klarte ikke åpne internett-adressen https://www.dalvora.no/telva/"
                                         "brukermanual. Returnerte følgende feil:\n\r\"There is no "
                                         "application associated with the given filename extension\".")});
    // The window closes after the message all the same.
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TfrmShowURLTest, GaaTilWithoutAnAddressOnlyCloses) {
    url()->clear();
    press("btnGaaTil");
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TfrmShowURLTest, LukkClosesWithoutOpening) {
    press("btnLukk");
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
