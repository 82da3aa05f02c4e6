#pragma once

#include <QString>
#include <atomic>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

namespace telvainn::excel::uno {

// Where a person opening a document in Calc would be asked something, the program is asked instead:
// for the password of an encrypted workbook, or whether to open a workbook that another program has
// open. It declines every question, so that the load fails, and keeps what was asked for the message.
// Called on the office's threads while the load runs.
class LoadQuestions : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
  public:
    enum class Asked { Nothing, Password, Locked };

    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest>& request) override;
    Asked asked() const { return m_asked; }

  private:
    std::atomic<Asked> m_asked{Asked::Nothing};
};

// Why the workbook at `path` could not be opened, after the office asked `asked`.
QString refusalMessage(LoadQuestions::Asked asked, const QString& path);

}  // namespace telvainn::excel::uno
