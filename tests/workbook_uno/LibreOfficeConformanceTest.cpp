#include "workbook_conformance/EngineUnderTest.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn::excel::conformance {
namespace {

using namespace std::chrono_literals;

// One headless office for the whole suite; the user is played by another process on that office.
class LibreOfficeEngine final : public EngineUnderTest {
  public:
    Application& application() override { return testing::keptOffice("conformance"); }

    void userCloses(Workbook& workbook) override {
        ASSERT_EQ(testing::closeAsUser(application(), workbook.FullName(), QStringLiteral("close")), 0);
    }

    std::chrono::milliseconds notificationBound() const override { return 3s; }
};

EngineUnderTest& sharedLibreOfficeEngine() {
    static LibreOfficeEngine engine;
    return engine;
}

}  // namespace

TELVAINN_INSTANTIATE_WORKBOOK_CONFORMANCE(LibreOffice, sharedLibreOfficeEngine);

}  // namespace telvainn::excel::conformance
