#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "core/Error.h"
#include "workbook/uno/LibreOffice.h"
#include "workbook/uno/OfficeProcess.h"
#include "workbook/uno/UnoText.h"
#include "workbook/uno/Watchdog.h"

namespace telvainn::excel::uno {

// One office process and the UNO bridge to it. Every call into the office goes through call(), which
// starts the office when there is none (or it died), bounds the call with the watchdog, and turns the
// office's exceptions into telvainn::Error.
class Office {
  public:
    explicit Office(LibreOfficeOptions options);
    ~Office();
    Office(const Office&) = delete;
    Office& operator=(const Office&) = delete;

    template <class Function>
    auto call(Function&& function) -> decltype(function()) {
        if (m_depth > 0) {  // already inside a bounded call
            return function();
        }
        if (m_options.beforeCall) {
            m_options.beforeCall();
        }
        ensureRunning();
        const int generation = m_generation;
        Watchdog::Bound bound(m_watchdog, m_options.callTimeout, [this] { hung(); });
        try {
            const Nested nested(m_depth);  // gone before a handler runs
            return function();
        } catch (const css::lang::DisposedException& exception) {
            throw Error(failureText(generation, exceptionText(exception), exception.Context));
        } catch (const css::uno::Exception& exception) {
            throw Error(failureText(generation, exceptionText(exception), nullptr));
        }
    }

    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    // Counts office starts: a document of an earlier office is gone with it.
    int generation() const { return m_generation; }
    bool generationAlive(int generation) const {
        return generation == m_generation && m_desktop.is() && !*m_bridgeDead;
    }
    // Called when an office went away, so that whatever belongs to it is dropped first.
    void onOfficeLost(std::function<void()> handler) { m_officeLost = std::move(handler); }

    // Where the running office accepts connections ("pipe,name=…"); empty when none runs.
    QString connectionString() const { return m_desktop.is() ? m_connection : QString(); }

    // Ends the office: asks it to terminate, then ends its process group.
    void shutdown();

  private:
    struct Nested {
        explicit Nested(int& depth) : depth(depth) { ++depth; }
        ~Nested() { --depth; }
        int& depth;
    };

    void ensureRunning();
    void start();
    void connect(OfficeProcess& process, const QString& pipeName,
                 std::chrono::steady_clock::time_point deadline);
    void hung();
    void discard();
    // `disposed`: what a DisposedException names as disposed; null for any other failure.
    QString failureText(int generation, const QString& officeText,
                        const css::uno::Reference<css::uno::XInterface>& disposed);
    bool officeGone(const css::uno::Reference<css::uno::XInterface>& disposed);

    LibreOfficeOptions m_options;
    std::unique_ptr<OfficeProfile> m_profile;
    std::unique_ptr<OfficeProcess> m_process;
    QString m_connection;
    css::uno::Reference<css::lang::XComponent> m_bridge;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
    std::shared_ptr<std::atomic<bool>> m_bridgeDead = std::make_shared<std::atomic<bool>>(false);
    std::atomic<bool> m_hung{false};
    std::mutex m_processMutex;  // the watchdog reaches the process from its own thread
    Watchdog m_watchdog;
    std::function<void()> m_officeLost;
    int m_generation = 0;
    int m_depth = 0;
};

}  // namespace telvainn::excel::uno
