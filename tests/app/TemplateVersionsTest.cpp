#include "app/TemplateVersions.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <functional>

#include "core/Error.h"
#include "core/ProfileFile.h"
#include "core/ReportCatalogue.h"
#include "support/RaisedMessage.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn {
namespace {

using excel::CellValue;

const Locale kNorwegian = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));

// Serial numbers of the dates the templates carry.
double serial(int year, int month, int day) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

// The memory engine, watched: which files were opened, how, and whether the screen was updating then; and,
// on request, an engine that is not there.
class WatchedApplication final : public excel::Application {
  public:
    explicit WatchedApplication(excel::Application& engine) : m_engine(engine) {}

    std::unique_ptr<excel::Workbook> Open(const QString& fullPath,
                                          excel::OpenMode mode = excel::OpenMode::ReadWrite) override {
        opened.append(QFileInfo(fullPath).fileName());
        screenUpdatingAtOpen.push_back(m_engine.ScreenUpdating());
        readOnlyAtOpen.push_back(mode == excel::OpenMode::ReadOnly);
        if (whileOpening) {
            whileOpening();
        }
        return m_engine.Open(fullPath, mode);
    }
    std::unique_ptr<excel::Workbook> NewWorkbook() override { return m_engine.NewWorkbook(); }
    int WorkbookCount() override { return m_engine.WorkbookCount(); }
    void Run(const QString& macro) override { m_engine.Run(macro); }
    void SetScreenUpdating(bool on) override {
        if (unavailable) {
            throw Error(QStringLiteral("The spreadsheet program could not be started."));
        }
        m_engine.SetScreenUpdating(on);
    }
    bool ScreenUpdating() override { return m_engine.ScreenUpdating(); }
    void SetVisible(bool on) override { m_engine.SetVisible(on); }
    bool Visible() override { return m_engine.Visible(); }
    void SetDisplayAlerts(bool on) override { m_engine.SetDisplayAlerts(on); }
    bool DisplayAlerts() override { return m_engine.DisplayAlerts(); }
    void SetEnableEvents(bool on) override { m_engine.SetEnableEvents(on); }
    bool EnableEvents() override { return m_engine.EnableEvents(); }
    void SetWindowVisible(const QString& workbookName, bool visible) override {
        m_engine.SetWindowVisible(workbookName, visible);
    }
    void Quit() override { m_engine.Quit(); }
    int DeliverNotifications(std::chrono::milliseconds wait) override {
        return m_engine.DeliverNotifications(wait);
    }
    void SetNotificationWaker(std::function<void()> waker) override {
        m_engine.SetNotificationWaker(std::move(waker));
    }

    QStringList opened;
    std::vector<bool> screenUpdatingAtOpen;
    std::vector<bool> readOnlyAtOpen;
    bool unavailable = false;
    std::function<void()> whileOpening;  // what another program does while a template is read

  private:
    excel::Application& m_engine;
};

class TemplateVersionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("maler")));
    }

    QString programFolder() const { return m_folder.path(); }
    QString iniPath() const { return m_folder.filePath(QStringLiteral("telvainn.ini")); }

    // A template whose sheets have these names and A1 values; `active` is the sheet active on opening.
    void makeTemplate(int reportNumber, const std::vector<std::pair<QString, CellValue>>& sheets,
                      int active = 1) {
        auto workbook = m_engine.NewWorkbook();
        workbook->Worksheets(1)->SetName(sheets.front().first);
        for (std::size_t i = 1; i < sheets.size(); ++i) {
            workbook->AddWorksheet(sheets[i].first);
        }
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            auto sheet = workbook->Worksheets(static_cast<int>(i) + 1);
            sheet->SetCell(1, 1, sheets[i].second);
            sheet->SetNumberFormat(1, 1, QStringLiteral("DD.MM.YYYY"));
        }
        workbook->Worksheets(active)->Activate();
        workbook->SaveAs(templatePath(programFolder(), reportNumber));
        workbook->Close();
    }

    // The current generation's layout: report sheet first and active, the code sheet "Base" with the date.
    void makeTemplate(int reportNumber, double version) {
        makeTemplate(reportNumber,
                     {{QStringLiteral("r%1").arg(reportNumber), CellValue(QStringLiteral("Rapport"))},
                      {QStringLiteral("Base"), CellValue(version)}});
    }

    // Every template, report number n dated n December 2008 (r10 on 10 December and so on; r35 on 4 January
    // 2009, r50 on 19 January 2009 and so on, counting on from 1 December 2008).
    void makeAllTemplates() {
        for (const int reportNumber : kReportNumbers) {
            makeTemplate(reportNumber, serial(2008, 12, 1) + reportNumber - 1);
        }
    }

    QByteArray iniBytes() const {
        QFile file(iniPath());
        if (!file.open(QIODevice::ReadOnly)) {
            return QByteArrayLiteral("<no file>");
        }
        return file.readAll();
    }

    void writeIni(const QByteArray& bytes) const {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    excel::memory::Application m_engine;
    QTemporaryDir m_folder;
};

TEST_F(TemplateVersionsTest, PresentOnlyWhenAllEightTemplateFilesExist) {
    EXPECT_FALSE(TemplatesPresent(programFolder()));
    makeAllTemplates();
    EXPECT_TRUE(TemplatesPresent(programFolder()));
    ASSERT_TRUE(QFile::remove(templatePath(programFolder(), 60)));
    EXPECT_FALSE(TemplatesPresent(programFolder()));
    ASSERT_TRUE(QDir(programFolder()).mkpath(QStringLiteral("maler/r60.xls")));
    EXPECT_FALSE(TemplatesPresent(programFolder())) << "a folder is no template";
}

TEST_F(TemplateVersionsTest, ReadsA1OfTheLastBaseSheetAndClosesTheTemplate) {
    makeTemplate(60, {{QStringLiteral("r60"), CellValue(1.0)},
                      {QStringLiteral("Base"), CellValue(serial(2008, 1, 1))},
                      {QStringLiteral("Base2"), CellValue(serial(2008, 12, 1))},
                      {QStringLiteral("Notater"), CellValue(3.0)}});
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 60), serial(2008, 12, 1));
    EXPECT_EQ(m_engine.WorkbookCount(), 0);
}

TEST_F(TemplateVersionsTest, WithoutABaseSheetReadsTheSheetActiveOnOpening) {
    makeTemplate(20,
                 {{QStringLiteral("Forside"), CellValue(1.0)},
                  {QStringLiteral("r20"), CellValue(serial(2007, 6, 30))},
                  {QStringLiteral("base"), CellValue(3.0)},
                  {QStringLiteral("Bas"), CellValue(4.0)}},
                 2);
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 20), serial(2007, 6, 30));
}

TEST_F(TemplateVersionsTest, ABaseSheetWinsOverTheActiveSheetWhereverItIs) {
    makeTemplate(
        21, {{QStringLiteral("Baseline"), CellValue(39000.0)}, {QStringLiteral("r21"), CellValue(1.0)}}, 2);
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 21), 39000.0);
}

TEST_F(TemplateVersionsTest, ATextThatIsANumberReadsAsThatNumber) {
    makeTemplate(11, {{QStringLiteral("Base"), CellValue(QStringLiteral(" 39783 "))}});
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 11), 39783.0);
}

TEST_F(TemplateVersionsTest, AMissingTemplateReadsAsZero) {
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 35), 0.0);
    EXPECT_EQ(m_engine.WorkbookCount(), 0);
}

TEST_F(TemplateVersionsTest, AnUnreadableVersionReadsAsZeroAndLeavesTheTemplateOpenAndHidden) {
    makeTemplate(50, {{QStringLiteral("r50"), CellValue()},
                      {QStringLiteral("Base"), CellValue(QStringLiteral("des. 2008"))}});
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 50), 0.0);
    EXPECT_EQ(m_engine.WorkbookCount(), 1);
    EXPECT_FALSE(m_engine.WindowVisible(QStringLiteral("r50.xls")));
}

TEST_F(TemplateVersionsTest, AnEmptyOrZeroVersionReadsAsZeroAndClosesTheTemplate) {
    makeTemplate(10, {{QStringLiteral("Base"), CellValue()}});
    makeTemplate(11, {{QStringLiteral("Base"), CellValue(0.0)}});
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 10), 0.0);
    EXPECT_EQ(ReadTemplateVersion(m_engine, programFolder(), 11), 0.0);
    EXPECT_EQ(m_engine.WorkbookCount(), 0);
}

TEST_F(TemplateVersionsTest, RecordsAllNineKeysAsShortDates) {
    makeAllTemplates();
    EXPECT_TRUE(RecordTemplateVersions(m_engine, programFolder(), iniPath(), kNorwegian));
    EXPECT_EQ(iniBytes(), QByteArrayLiteral("[VERSJONER]\r\n"
                                            "R10=10.12.2008\r\n"
                                            "R11=11.12.2008\r\n"
                                            "R20=20.12.2008\r\n"
                                            "R21=21.12.2008\r\n"
                                            "R35=04.01.2009\r\n"
                                            "R50=19.01.2009\r\n"
                                            "R51=20.01.2009\r\n"
                                            "R60=29.01.2009\r\n"
                                            "programversion=25.02.2009\r\n"));
    EXPECT_EQ(m_engine.WorkbookCount(), 0);
    EXPECT_TRUE(m_engine.ScreenUpdating());
}

TEST_F(TemplateVersionsTest, OneMissingTemplateIsNamedAfterTheOthersAreWritten) {
    makeAllTemplates();
    ASSERT_TRUE(QFile::remove(templatePath(programFolder(), 35)));
    writeIni(QByteArrayLiteral(
        "[KONFIGURASJON]\r\nDSNR=123\r\n[VERSJONER]\r\nR35=01.01.2000\r\nR10=01.01.2000\r\n"));

    EXPECT_EQ(
        raisedMessage([&] { RecordTemplateVersions(m_engine, programFolder(), iniPath(), kNorwegian); }),
        QStringLiteral(
            "Programmet klarte ikke åpne og lese versjonsinformasjon fra følgende rapportmaler:\r\n"
            "R35\r\n"));
    EXPECT_EQ(iniBytes(), QByteArrayLiteral("[KONFIGURASJON]\r\nDSNR=123\r\n"
                                            "[VERSJONER]\r\n"
                                            "R35=01.01.2000\r\n"
                                            "R10=10.12.2008\r\n"
                                            "R11=11.12.2008\r\n"
                                            "R20=20.12.2008\r\n"
                                            "R21=21.12.2008\r\n"
                                            "R50=19.01.2009\r\n"
                                            "R51=20.01.2009\r\n"
                                            "R60=29.01.2009\r\n"
                                            "programversion=25.02.2009\r\n"));
    EXPECT_TRUE(m_engine.ScreenUpdating());
}

TEST_F(TemplateVersionsTest, EveryUnreadableTemplateIsNamedInCatalogueOrder) {
    makeAllTemplates();
    ASSERT_TRUE(QFile::remove(templatePath(programFolder(), 35)));
    makeTemplate(10, {{QStringLiteral("Base"), CellValue(0.0)}});
    makeTemplate(60, {{QStringLiteral("Base"), CellValue(QStringLiteral("ukjent"))}});
    makeTemplate(21, {{QStringLiteral("Base"), CellValue(1e7)}});  // no date

    EXPECT_EQ(
        raisedMessage([&] { RecordTemplateVersions(m_engine, programFolder(), iniPath(), kNorwegian); }),
        QStringLiteral(
            "Programmet klarte ikke åpne og lese versjonsinformasjon fra følgende rapportmaler:\r\n"
            "R10\r\nR21\r\nR35\r\nR60\r\n"));
    EXPECT_EQ(iniBytes(), QByteArrayLiteral("[VERSJONER]\r\n"
                                            "R11=11.12.2008\r\n"
                                            "R20=20.12.2008\r\n"
                                            "R50=19.01.2009\r\n"
                                            "R51=20.01.2009\r\n"
                                            "programversion=25.02.2009\r\n"));
    EXPECT_EQ(m_engine.WorkbookCount(), 1) << "the template whose A1 is no number stays open";
    EXPECT_TRUE(m_engine.ScreenUpdating());
}

TEST_F(TemplateVersionsTest, TheDateFollowsTheLocaleAndNeverTheTimeOfDay) {
    makeAllTemplates();
    makeTemplate(10, serial(2008, 12, 1) + 0.99);
    ASSERT_TRUE(RecordTemplateVersions(m_engine, programFolder(), iniPath(), kNorwegian));
    EXPECT_EQ(ProfileFile::load(iniPath()).readString(u"VERSJONER", u"R10"), QStringLiteral("01.12.2008"));

    ASSERT_TRUE(RecordTemplateVersions(m_engine, programFolder(), iniPath(), Locale::from(QLocale::c())));
    EXPECT_EQ(ProfileFile::load(iniPath()).readString(u"VERSJONER", u"R10"), QStringLiteral("01.12.2008"));
    EXPECT_EQ(ProfileFile::load(iniPath()).readString(u"VERSJONER", u"programversion"),
              QStringLiteral("25.02.2009"));

    const Locale english = Locale::from(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(RecordTemplateVersions(m_engine, programFolder(), iniPath(), english));
    EXPECT_EQ(ProfileFile::load(iniPath()).readString(u"VERSJONER", u"R10"), QStringLiteral("12/1/08"));
    EXPECT_EQ(ProfileFile::load(iniPath()).readString(u"VERSJONER", u"programversion"),
              QStringLiteral("2/25/09"));
}

// Read-only, so that a validation of another program on the same program folder is not kept out.
TEST_F(TemplateVersionsTest, ReadsReadOnlyWithTheScreenNotUpdatingAndTurnsItBackOn) {
    makeAllTemplates();
    WatchedApplication watched(m_engine);
    ASSERT_TRUE(RecordTemplateVersions(watched, programFolder(), iniPath(), kNorwegian));
    EXPECT_EQ(watched.opened,
              (QStringList{QStringLiteral("r10.xls"), QStringLiteral("r11.xls"), QStringLiteral("r20.xls"),
                           QStringLiteral("r21.xls"), QStringLiteral("r35.xls"), QStringLiteral("r50.xls"),
                           QStringLiteral("r51.xls"), QStringLiteral("r60.xls")}));
    EXPECT_EQ(watched.screenUpdatingAtOpen, std::vector<bool>(8, false));
    EXPECT_EQ(watched.readOnlyAtOpen, std::vector<bool>(8, true));
    EXPECT_TRUE(m_engine.ScreenUpdating());
}

TEST_F(TemplateVersionsTest, AnEngineThatIsNotThereEndsItBeforeAnythingIsWritten) {
    makeAllTemplates();
    WatchedApplication watched(m_engine);
    watched.unavailable = true;
    EXPECT_EQ(raisedMessage([&] { RecordTemplateVersions(watched, programFolder(), iniPath(), kNorwegian); }),
              QStringLiteral("The spreadsheet program could not be started."));
    EXPECT_TRUE(watched.opened.isEmpty());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(TemplateVersionsTest, ASettingAnotherProgramSavesWhileTheTemplatesAreReadStays) {
    makeAllTemplates();
    writeIni("[KONFIGURASJON]\r\nDSNR=123\r\n[VERSJONER]\r\nR10=01.01.2000\r\n");
    WatchedApplication watched(m_engine);
    watched.whileOpening = [this] {
        if (QFileInfo(iniPath() + QStringLiteral(".lock")).exists()) {
            ADD_FAILURE() << "the settings file is locked while templates are read";
        }
        ProfileFile::update(
            iniPath(), [](ProfileFile& profile) { profile.writeString(u"KONFIGURASJON", u"DSNR", u"456"); });
    };
    ASSERT_TRUE(RecordTemplateVersions(watched, programFolder(), iniPath(), kNorwegian));
    const ProfileFile after = ProfileFile::load(iniPath());
    EXPECT_EQ(after.readString(u"KONFIGURASJON", u"DSNR"), QStringLiteral("456"));
    EXPECT_EQ(after.readString(u"VERSJONER", u"R10"), QStringLiteral("10.12.2008"));
    EXPECT_EQ(after.readString(u"VERSJONER", u"R60"), QStringLiteral("29.01.2009"));
}

TEST_F(TemplateVersionsTest, UnwritableSettingsFolderEndsItWithoutAWrite) {
    makeAllTemplates();
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(programFolder(), readOnly));
    {
        // Root (as in many containers) writes through any permission bits: nothing to check then.
        QFile probe(m_folder.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(programFolder(), writable);
            GTEST_SKIP() << "folder permissions do not stop this user from writing";
        }
    }
    WatchedApplication watched(m_engine);
    const QString message =
        raisedMessage([&] { RecordTemplateVersions(watched, programFolder(), iniPath(), kNorwegian); });
    QFile::setPermissions(programFolder(), writable);
    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + iniPath());
    EXPECT_EQ(watched.opened.size(), 8);
    EXPECT_TRUE(m_engine.ScreenUpdating());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

}  // namespace
}  // namespace telvainn
