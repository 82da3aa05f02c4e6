#include <QFileInfo>
#include <QRegularExpression>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/DocumentEvent.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/document/XEmbeddedScripts.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/script/provider/XScriptProviderSupplier.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/util/XCloseListener.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase2.hxx>
#include <rtl/ref.hxx>

#include "workbook/uno/LoadQuestions.h"
#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// Notices the user closing a document, on the office's threads. Every way of closing sends the
// document event OnUnload; a close through XCloseable also reaches notifyClosing, and some closes
// arrive only as disposing. The first of them counts, and only when the program is not closing the
// document itself.
class CloseWatcher
    : public cppu::WeakImplHelper2<css::document::XDocumentEventListener, css::util::XCloseListener> {
  public:
    CloseWatcher(std::weak_ptr<Document> document, std::shared_ptr<EventGate> gate)
        : m_document(std::move(document)), m_gate(std::move(gate)) {}

    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& event) override {
        if (event.EventName == "OnUnload") {
            userClosed();
        }
    }
    void SAL_CALL queryClosing(const css::lang::EventObject&, sal_Bool) override {}
    void SAL_CALL notifyClosing(const css::lang::EventObject&) override { userClosed(); }
    void SAL_CALL disposing(const css::lang::EventObject&) override { userClosed(); }

  private:
    void userClosed() {
        const auto document = m_document.lock();
        if (!document || document->closingByProgram || document->closed.exchange(true)) {
            return;
        }
        if (!m_gate->enableEvents) {
            return;
        }
        m_gate->queue.post([weak = m_document] {
            if (const auto document = weak.lock(); document && document->beforeClose) {
                // A copy: the handler may unregister itself, or release what owns it, while it runs.
                const auto handler = document->beforeClose;
                handler();
            }
        });
    }

    std::weak_ptr<Document> m_document;
    std::shared_ptr<EventGate> m_gate;
};

Reference<css::frame::XModel> modelOf(const Document& document) {
    return Reference<css::frame::XModel>(document.model, UNO_QUERY_THROW);
}

struct MacroName {
    QString workbook;  // empty: the macro is not qualified by a workbook
    QString library;   // empty: whichever library has the module
    QString module;
    QString procedure;
};

MacroName parseMacro(const QString& macro) {
    static const QRegularExpression pattern(
        QStringLiteral("^(?:'([^']+)'!|([^'!]+)!)?(?:([^.]+)\\.)?([^.]+)\\.([^.(]+)(?:\\(\\))?$"));
    const auto match = pattern.match(macro.trimmed());
    if (!match.hasMatch()) {
        throw Error(QStringLiteral("Ugyldig makronavn: %1").arg(macro));
    }
    return {match.captured(1) + match.captured(2), match.captured(3), match.captured(4), match.captured(5)};
}

}  // namespace

UnoApplication::UnoApplication(const LibreOfficeOptions& options) : m_office(options) {
    m_office.onOfficeLost([this] {
        for (const auto& document : m_documents) {
            document->closed = true;
            document->model.clear();
        }
        m_documents.clear();
    });
}

UnoApplication::~UnoApplication() {
    Quit();
}

std::shared_ptr<Document> UnoApplication::adopt(Reference<css::sheet::XSpreadsheetDocument> model,
                                                QString path) {
    auto document = std::make_shared<Document>(m_office, std::move(model), std::move(path));
    auto* watcher = new CloseWatcher(document, m_gate);
    document->closeWatcher = watcher;
    Reference<css::document::XDocumentEventBroadcaster>(document->model, UNO_QUERY_THROW)
        ->addDocumentEventListener(document->closeWatcher);
    Reference<css::util::XCloseable>(document->model, UNO_QUERY_THROW)
        ->addCloseListener(Reference<css::util::XCloseListener>(watcher));
    m_documents.push_back(document);
    if (!m_screenUpdating) {
        lockControllers(*document, true);
    }
    applyWindowVisibility(*document);
    return document;
}

std::unique_ptr<Workbook> UnoApplication::Open(const QString& fullPath, OpenMode mode) {
    const QFileInfo file(fullPath);
    if (!file.isFile()) {
        throw Error(QStringLiteral("Finner ikke fila \"%1\".").arg(fullPath));
    }
    const QString path = file.absoluteFilePath();
    return m_office.call([&] {
        forgetClosed();
        const rtl::Reference<LoadQuestions> questions(new LoadQuestions);
        const auto arguments =
            propertyList({// No macro runs by itself, bound to an event or not: a workbook handed to the
                          // program is data. Run still runs the one the program names.
                          {"MacroExecutionMode", css::uno::Any(css::document::MacroExecMode::NEVER_EXECUTE)},
                          {"ReadOnly", css::uno::Any(mode == OpenMode::ReadOnly)},
                          {"InteractionHandler",
                           css::uno::Any(Reference<css::task::XInteractionHandler>(questions.get()))}});
        const auto component =
            m_office.desktop()->loadComponentFromURL(fileUrl(path), "_blank", 0, arguments);
        const Reference<css::sheet::XSpreadsheetDocument> spreadsheet(component, UNO_QUERY);
        QString filter;
        if (const Reference<css::frame::XModel> model{component, UNO_QUERY}; model.is()) {
            for (const auto& argument : model->getArgs()) {
                rtl::OUString name;
                if (argument.Name == "FilterName" && (argument.Value >>= name)) {
                    filter = toQ(name);
                }
            }
        }
        // Anything at all loads as a text import; a workbook is what an Excel filter could read.
        const bool isXls = file.suffix().compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0;
        if (!spreadsheet.is() || (isXls && !filter.contains(QLatin1String("Excel")))) {
            if (const Reference<css::util::XCloseable> closeable{component, UNO_QUERY}; closeable.is()) {
                closeable->close(true);
            }
            throw Error(refusalMessage(questions->asked(), path));
        }
        auto document = adopt(spreadsheet, path);
        return std::make_unique<UnoWorkbook>(*this, std::move(document));
    });
}

std::unique_ptr<Workbook> UnoApplication::NewWorkbook() {
    return m_office.call([&] {
        forgetClosed();
        const auto arguments = css::uno::Sequence<css::beans::PropertyValue>();
        const Reference<css::sheet::XSpreadsheetDocument> spreadsheet(
            m_office.desktop()->loadComponentFromURL("private:factory/scalc", "_blank", 0, arguments),
            UNO_QUERY_THROW);
        return std::make_unique<UnoWorkbook>(*this, adopt(spreadsheet, QString()));
    });
}

int UnoApplication::WorkbookCount() {
    forgetClosed();
    return static_cast<int>(m_documents.size());
}

void UnoApplication::forgetClosed() {
    // A document of an office that has died is gone too, however its death was noticed.
    std::erase_if(m_documents, [this](const auto& document) {
        return document->closed.load() || !m_office.generationAlive(document->generation);
    });
}

std::shared_ptr<Document> UnoApplication::openDocumentNamed(const QString& name) {
    forgetClosed();
    for (const auto& document : m_documents) {
        if (document->name().compare(name, Qt::CaseInsensitive) == 0) {
            return document;
        }
    }
    throw Error(QStringLiteral("Finner ingen åpen arbeidsbok som heter \"%1\".").arg(name));
}

void UnoApplication::Run(const QString& macro) {
    const MacroName name = parseMacro(macro);
    std::shared_ptr<Document> document;
    if (!name.workbook.isEmpty()) {
        document = openDocumentNamed(name.workbook);
    } else {
        forgetClosed();
        if (m_documents.empty()) {
            throw Error(QStringLiteral("Ingen åpen arbeidsbok har makroen %1.").arg(macro));
        }
        document = m_documents.back();
    }
    document->check();
    m_office.call([&] {
        const auto libraries =
            Reference<css::document::XEmbeddedScripts>(document->model, UNO_QUERY_THROW)->getBasicLibraries();
        const Reference<css::container::XNameAccess> byName(libraries, UNO_QUERY_THROW);
        bool hasMacros = false;
        QString library = name.library;
        for (const auto& candidate : byName->getElementNames()) {
            if (!libraries->isLibraryLoaded(candidate)) {
                libraries->loadLibrary(candidate);
            }
            const Reference<css::container::XNameAccess> modules(byName->getByName(candidate), UNO_QUERY);
            if (!modules.is() || !modules->hasElements()) {
                continue;
            }
            hasMacros = true;
            if (library.isEmpty() && modules->hasByName(toOU(name.module))) {
                library = toQ(candidate);
            }
        }
        if (!hasMacros) {
            return;  // a workbook without macros: nothing to run, as the sample templates
        }
        if (library.isEmpty()) {
            throw Error(QStringLiteral("Finner ikke makroen %1 i arbeidsboka.").arg(macro));
        }
        const QString uri = QStringLiteral("vnd.sun.star.script:%1.%2.%3?language=Basic&location=document")
                                .arg(library, name.module, name.procedure);
        const auto script =
            Reference<css::script::provider::XScriptProviderSupplier>(document->model, UNO_QUERY_THROW)
                ->getScriptProvider()
                ->getScript(toOU(uri));
        css::uno::Sequence<sal_Int16> outIndexes;
        css::uno::Sequence<css::uno::Any> outValues;
        script->invoke({}, outIndexes, outValues);
    });
}

void UnoApplication::lockControllers(Document& document, bool lock) {
    if (document.controllersLocked == lock) {
        return;
    }
    m_office.call([&] {
        if (lock) {
            modelOf(document)->lockControllers();
        } else {
            modelOf(document)->unlockControllers();
        }
    });
    document.controllersLocked = lock;
}

void UnoApplication::SetScreenUpdating(bool on) {
    if (!on) {
        // Long work starts here: an office that cannot be reached must say so now, before anything is
        // done or written, as a spreadsheet that is not there fails its first call.
        m_office.call([] {});
    }
    m_screenUpdating = on;
    forgetClosed();
    for (const auto& document : m_documents) {
        lockControllers(*document, !on);
    }
}

void UnoApplication::applyWindowVisibility(Document& document) {
    const bool visible = m_visible && document.windowVisible;
    m_office.call([&] {
        const auto window = modelOf(document)->getCurrentController()->getFrame()->getContainerWindow();
        if (window.is()) {
            window->setVisible(visible);
        }
    });
}

void UnoApplication::SetVisible(bool on) {
    m_visible = on;
    forgetClosed();
    for (const auto& document : m_documents) {
        applyWindowVisibility(*document);
    }
}

void UnoApplication::SetWindowVisible(const QString& workbookName, bool visible) {
    const auto document = openDocumentNamed(workbookName);
    document->windowVisible = visible;
    applyWindowVisibility(*document);
}

void UnoApplication::closeDocument(Document& document) {
    document.closingByProgram = true;
    m_office.call([&] {
        // The office calls the close listeners back while it holds its own lock. Were a reference the
        // program has just let go of released in the office at that moment, its release would wait for
        // that lock on the very thread that carries the callback, and the office would hang. The
        // program's own close needs no notice, so the watcher goes first.
        const Reference<css::util::XCloseable> closeable(document.model, UNO_QUERY_THROW);
        Reference<css::document::XDocumentEventBroadcaster>(document.model, UNO_QUERY_THROW)
            ->removeDocumentEventListener(document.closeWatcher);
        closeable->removeCloseListener(
            Reference<css::util::XCloseListener>(document.closeWatcher, UNO_QUERY_THROW));
        closeable->close(true);
    });
    document.closed = true;
    forgetClosed();
}

void UnoApplication::Quit() {
    for (const auto& document : std::vector(m_documents)) {
        if (!document->closed && m_office.generationAlive(document->generation)) {
            try {
                closeDocument(*document);
            } catch (const Error&) {
                // The office is ended below either way.
            }
        }
    }
    m_documents.clear();
    m_office.shutdown();
}

}  // namespace telvainn::excel::uno
