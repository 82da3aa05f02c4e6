#include "workbook/uno/Office.h"

#include <pthread.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QStandardPaths>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// A LibreOffice profile that has never started exits with this code once, after setting itself up.
constexpr int kRestartExitCode = 81;

// The process's own UNO environment, made once: every bridge to every office starts from it.
Reference<css::uno::XComponentContext> localContext() {
    static const Reference<css::uno::XComponentContext> context = [] {
        // Without it the first call through an office proxy crashes.
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" TELVAINN_LO_PROGRAM "/fundamentalrc", 1);
        try {
            return cppu::defaultBootstrap_InitialComponentContext();
        } catch (const cppu::BootstrapException& exception) {
            throw Error(QStringLiteral("Klarte ikke starte UNO: %1").arg(toQ(exception.getMessage())));
        }
    }();
    return context;
}

class BridgeListener : public cppu::WeakImplHelper1<css::lang::XEventListener> {
  public:
    explicit BridgeListener(std::shared_ptr<std::atomic<bool>> dead) : m_dead(std::move(dead)) {}
    void SAL_CALL disposing(const css::lang::EventObject&) override { *m_dead = true; }

  private:
    std::shared_ptr<std::atomic<bool>> m_dead;
};

QString defaultProfileBase() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/telvainn/libreoffice");
}

// The bridge names itself as what was disposed when the office went away in the middle of the call or
// before it; only the bridge to the office is one. Asking a remote object may fail: then it is not one.
bool isBridge(const Reference<css::uno::XInterface>& disposed) {
    try {
        return Reference<css::bridge::XBridge>(disposed, css::uno::UNO_QUERY).is();
    } catch (const css::uno::RuntimeException&) {
        return false;
    }
}

// The bridge's reader and writer threads take the signal mask of the thread that makes the bridge. With
// SIGPIPE blocked there, writing to the pipe of an office that has just died fails, and the bridge
// reports the office gone, instead of the signal ending the whole program.
class SigpipeBlocked {
  public:
    SigpipeBlocked() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &m_previous);
    }
    ~SigpipeBlocked() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;

  private:
    sigset_t m_previous;
};

QString seconds(std::chrono::milliseconds duration) {
    return QString::number(static_cast<double>(duration.count()) / 1000.0);
}

}  // namespace

Office::Office(LibreOfficeOptions options) : m_options(std::move(options)) {}

Office::~Office() {
    shutdown();
}

void Office::ensureRunning() {
    if (m_desktop.is() && !*m_bridgeDead) {
        return;
    }
    if (m_desktop.is()) {
        discard();  // it died between calls
    }
    start();
}

void Office::start() {
    if (!m_profile) {
        m_profile = std::make_unique<OfficeProfile>(
            m_options.profileFolder.isEmpty() ? defaultProfileBase() : m_options.profileFolder);
    }
    static std::atomic<int> pipeNumber{0};
    for (int attempt = 1;; ++attempt) {
        const QString pipeName =
            QStringLiteral("telvainn-%1-%2").arg(getpid()).arg(pipeNumber.fetch_add(1) + 1);
        auto process = std::make_unique<OfficeProcess>(sofficeProgram(m_options.soffice), m_profile->folder(),
                                                       pipeName, m_options.headless);
        const auto deadline = std::chrono::steady_clock::now() + m_options.startTimeout;
        try {
            connect(*process, pipeName, deadline);
        } catch (const Error&) {
            if (attempt == 1 && process->exitCode() == kRestartExitCode) {
                continue;
            }
            throw;
        }
        const std::lock_guard lock(m_processMutex);
        m_process = std::move(process);
        m_connection = QStringLiteral("pipe,name=") + pipeName;
        ++m_generation;
        return;
    }
}

void Office::connect(OfficeProcess& process, const QString& pipeName,
                     std::chrono::steady_clock::time_point deadline) {
    const auto context = localContext();
    const auto connector = css::connection::Connector::create(context);
    Reference<css::connection::XConnection> connection;
    while (!connection.is()) {
        try {
            connection = connector->connect(toOU(QStringLiteral("pipe,name=") + pipeName));
        } catch (const css::connection::NoConnectException&) {
            if (!process.running()) {
                throw Error(QStringLiteral("LibreOffice avsluttet under oppstart (kode %1).")
                                .arg(process.exitCode()));
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                throw Error(QStringLiteral("LibreOffice startet ikke innen %1 sekunder.")
                                .arg(seconds(m_options.startTimeout)));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    // The bridge's first calls are bounded too: an office that accepts but never answers is hung.
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    Watchdog::Bound bound(m_watchdog, std::max(remaining, std::chrono::milliseconds(1000)),
                          [&process] { process.kill(); });
    try {
        *m_bridgeDead = false;
        const auto bridge = [&] {
            const SigpipeBlocked blocked;
            return css::bridge::BridgeFactory::create(context)->createBridge(
                rtl::OUString(), rtl::OUString("urp"), connection, nullptr);
        }();
        m_bridge.set(bridge, UNO_QUERY_THROW);
        m_bridge->addEventListener(new BridgeListener(m_bridgeDead));
        m_context.set(bridge->getInstance(rtl::OUString("StarOffice.ComponentContext")), UNO_QUERY_THROW);
        m_desktop = css::frame::Desktop::create(m_context);
    } catch (const css::uno::Exception& exception) {
        const QString text = exceptionText(exception);
        m_desktop.clear();
        m_context.clear();
        m_bridge.clear();
        process.stop(std::chrono::milliseconds(0));
        throw Error(QStringLiteral("Klarte ikke koble til LibreOffice: %1").arg(text));
    }
}

void Office::hung() {
    m_hung = true;
    const std::lock_guard lock(m_processMutex);
    if (m_process) {
        m_process->kill();
    }
}

bool Office::officeGone(const Reference<css::uno::XInterface>& disposed) {
    if (*m_bridgeDead || isBridge(disposed)) {
        return true;
    }
    if (!disposed.is()) {
        return false;
    }
    // A disposed object may be a document the user closed, or the whole office going down; the bridge
    // tells which within moments.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (!*m_bridgeDead && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return *m_bridgeDead;
}

QString Office::failureText(int generation, const QString& officeText,
                            const Reference<css::uno::XInterface>& disposed) {
    if (generation != m_generation || !officeGone(disposed)) {
        return officeText;
    }
    const bool hung = m_hung.exchange(false);
    discard();
    return hung ? kOfficeHungMessage.arg(seconds(m_options.callTimeout)) : kOfficeDiedMessage;
}

void Office::discard() {
    if (m_officeLost) {
        m_officeLost();  // the documents' references go before the bridge they came through
    }
    m_desktop.clear();
    m_context.clear();
    if (m_bridge.is()) {
        try {
            m_bridge->dispose();
        } catch (const css::uno::Exception&) {
        }
        m_bridge.clear();
    }
    std::unique_ptr<OfficeProcess> process;
    {
        const std::lock_guard lock(m_processMutex);
        process = std::move(m_process);
    }
    if (process) {
        process->stop(std::chrono::milliseconds(0));
    }
    ++m_generation;  // nothing of the lost office may be mistaken for the next one's
}

void Office::shutdown() {
    if (m_desktop.is() && !*m_bridgeDead) {
        try {
            Watchdog::Bound bound(m_watchdog, std::chrono::seconds(5), [this] { hung(); });
            m_desktop->terminate();
        } catch (const css::uno::Exception&) {
            // It is going away either way.
        }
    }
    if (m_officeLost) {
        m_officeLost();
    }
    m_desktop.clear();
    m_context.clear();
    m_bridge.clear();
    std::unique_ptr<OfficeProcess> process;
    {
        const std::lock_guard lock(m_processMutex);
        process = std::move(m_process);
    }
    if (process) {
        process->stop(std::chrono::seconds(3));
    }
    m_hung = false;
}

}  // namespace telvainn::excel::uno
