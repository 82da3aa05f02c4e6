#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "workbook/Excel.h"

namespace telvainn::excel::memory {

struct EngineState;

// The Excel interface over plain data in this process: for fast tests of everything built on the
// interface. Workbooks are saved as readable files of its own (whatever their extension) and read back by
// Open. Not thread-safe, except that close notifications go through the same queue as with a real
// spreadsheet program.
class Application final : public excel::Application {
  public:
    Application();
    ~Application() override;  // closes what is still open: connections handed out raise from then on
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    std::unique_ptr<excel::Workbook> Open(const QString& fullPath,
                                          OpenMode mode = OpenMode::ReadWrite) override;
    std::unique_ptr<excel::Workbook> NewWorkbook() override;
    int WorkbookCount() override;
    void Run(const QString& macro) override;

    void SetScreenUpdating(bool on) override;
    bool ScreenUpdating() override;
    void SetVisible(bool on) override;
    bool Visible() override;
    void SetDisplayAlerts(bool on) override;
    bool DisplayAlerts() override;
    void SetEnableEvents(bool on) override;
    bool EnableEvents() override;
    void SetWindowVisible(const QString& workbookName, bool visible) override;

    // Closes every workbook unsaved; the application may be used again afterwards, as a new engine.
    void Quit() override;

    int DeliverNotifications(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) override;
    void SetNotificationWaker(std::function<void()> waker) override;

    // What tests play or look at beyond the interface.

    // Gives the document of that file name a macro that Run can call ("Ark1.buildComboBox1", with or
    // without "()"). A document without any makes Run a no-op.
    void RegisterMacro(const QString& documentName, const QString& macroName,
                       std::function<void(excel::Workbook&)> macro);
    // The user closes the open workbook of that file name in the spreadsheet program: it closes, and
    // when EnableEvents is on its BeforeClose handler waits for DeliverNotifications.
    void UserCloses(const QString& workbookName);
    bool WindowVisible(const QString& workbookName);

  private:
    std::shared_ptr<EngineState> m_state;
};

}  // namespace telvainn::excel::memory
