#include "workbook/memory/MemoryApplication.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

class MemoryEngine final : public EngineUnderTest {
  public:
    Application& application() override { return m_application; }
    void userCloses(Workbook& workbook) override { m_application.UserCloses(workbook.Name()); }
    // The close is noticed at once; the wait still runs the suite's waiting code.
    std::chrono::milliseconds notificationBound() const override { return std::chrono::milliseconds(50); }

  private:
    memory::Application m_application;
};

EngineUnderTest& sharedMemoryEngine() {
    static MemoryEngine engine;
    return engine;
}

}  // namespace

TELVAINN_INSTANTIATE_WORKBOOK_CONFORMANCE(Memory, sharedMemoryEngine);

}  // namespace telvainn::excel::conformance
