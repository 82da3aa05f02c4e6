#include "workbook/memory/MemoryApplication.h"

#include <QFileInfo>

#include "core/Error.h"
#include "workbook/memory/EngineState.h"
#include "workbook/memory/MemoryWorkbook.h"
#include "workbook/memory/WorkbookFile.h"

namespace telvainn::excel::memory {
namespace {

QString cannotRun(const QString& macro) {
    return QStringLiteral("Cannot run the macro '%1'. The macro may not be available in this workbook.")
        .arg(macro);
}

}  // namespace

Application::Application() : m_state(std::make_shared<EngineState>()) {}

Application::~Application() {
    m_state->closeAll();
}

// Opening a workbook that is already open gives that workbook, as in Excel.
std::unique_ptr<excel::Workbook> Application::Open(const QString& fullPath, OpenMode mode) {
    const QFileInfo file(fullPath);
    const QString path = file.absoluteFilePath();
    if (auto open = m_state->openNamed(file.fileName()); open && open->fullPath == path) {
        return std::make_unique<MemoryWorkbook>(m_state, open);
    }
    m_state->checkNameFree(file.fileName(), nullptr);
    auto book = readWorkbookFile(path);
    book->readOnly = mode == OpenMode::ReadOnly;
    m_state->books.push_back(book);
    return std::make_unique<MemoryWorkbook>(m_state, std::move(book));
}

std::unique_ptr<excel::Workbook> Application::NewWorkbook() {
    auto book = std::make_shared<BookData>();
    do {
        book->name = QStringLiteral("Book%1").arg(++m_state->untitledCount);
    } while (m_state->openNamed(book->name));
    auto sheet = std::make_shared<SheetData>();
    sheet->name = QStringLiteral("Sheet1");
    book->sheets.push_back(std::move(sheet));
    m_state->books.push_back(book);
    return std::make_unique<MemoryWorkbook>(m_state, std::move(book));
}

int Application::WorkbookCount() {
    return static_cast<int>(m_state->books.size());
}

void Application::Run(const QString& macro) {
    const auto call = parseMacroCall(macro);
    if (!call) {
        throw Error(cannotRun(macro));
    }
    if (!m_state->macros.hasMacros(call->document)) {
        return;
    }
    const auto run = m_state->macros.find(call->document, call->macro);
    if (!run) {
        throw Error(cannotRun(macro));
    }
    auto book = m_state->openNamed(call->document);
    if (!book) {
        throw Error(QStringLiteral("Cannot run the macro '%1': the workbook '%2' is not open.")
                        .arg(macro, call->document));
    }
    MemoryWorkbook workbook(m_state, std::move(book));
    try {
        (*run)(workbook);
    } catch (const std::exception& failure) {
        const Error* error = dynamic_cast<const Error*>(&failure);
        const QString reason = error ? error->message() : QString::fromLocal8Bit(failure.what());
        throw Error(QStringLiteral("The macro '%1' failed: %2").arg(macro, reason));
    }
}

void Application::SetScreenUpdating(bool on) {
    m_state->screenUpdating = on;
}
bool Application::ScreenUpdating() {
    return m_state->screenUpdating;
}
void Application::SetVisible(bool on) {
    m_state->visible = on;
}
bool Application::Visible() {
    return m_state->visible;
}
void Application::SetDisplayAlerts(bool on) {
    m_state->displayAlerts = on;
}
bool Application::DisplayAlerts() {
    return m_state->displayAlerts;
}
void Application::SetEnableEvents(bool on) {
    m_state->enableEvents = on;
}
bool Application::EnableEvents() {
    return m_state->enableEvents;
}

void Application::SetWindowVisible(const QString& workbookName, bool visible) {
    const auto book = m_state->openNamed(workbookName);
    if (!book) {
        throw Error(
            QStringLiteral("Subscript out of range: there is no window named '%1'.").arg(workbookName));
    }
    book->windowVisible = visible;
}

void Application::Quit() {
    m_state->closeAll();
    m_state->visible = false;
}

int Application::DeliverNotifications(std::chrono::milliseconds wait) {
    return m_state->notifications.deliver(wait);
}

void Application::SetNotificationWaker(std::function<void()> waker) {
    m_state->notifications.setWaker(std::move(waker));
}

void Application::RegisterMacro(const QString& documentName, const QString& macroName,
                                std::function<void(excel::Workbook&)> macro) {
    m_state->macros.add(documentName, macroName, std::move(macro));
}

// Whether the handler runs is settled when the user closes, as the spreadsheet program decides then.
void Application::UserCloses(const QString& workbookName) {
    const auto book = m_state->openNamed(workbookName);
    if (!book) {
        throw Error(
            QStringLiteral("There is no open workbook named '%1' for the user to close.").arg(workbookName));
    }
    std::function<void()> handler = m_state->enableEvents ? book->beforeClose : nullptr;
    m_state->close(*book);
    if (handler) {
        m_state->notifications.post(std::move(handler));
    }
}

bool Application::WindowVisible(const QString& workbookName) {
    const auto book = m_state->openNamed(workbookName);
    if (!book) {
        throw Error(
            QStringLiteral("Subscript out of range: there is no window named '%1'.").arg(workbookName));
    }
    return book->windowVisible;
}

}  // namespace telvainn::excel::memory
