#include "validation_rules/RulesFixture.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn::rules {
namespace {

excel::Application& officeApplication() {
    static const auto application =
        excel::uno::makeLibreOfficeApplication(excel::testing::testOfficeOptions());
    return *application;
}

// The templates the build made through the office.
QString builtProgramFolder() {
    return QStringLiteral(TELVAINN_BIN_DIR);
}

RulesEngine officeRulesEngine() {
    return {"LibreOffice", &officeApplication, &builtProgramFolder};
}

}  // namespace

TELVAINN_INSTANTIATE_VALIDATION_RULES(LibreOffice, officeRulesEngine);

}  // namespace telvainn::rules
