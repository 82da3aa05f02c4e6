#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn::excel::testing {
namespace {

std::map<std::string, std::unique_ptr<Application>>& offices() {
    static std::map<std::string, std::unique_ptr<Application>> kept;
    return kept;
}

// Ends the kept offices once every test has run, while the UNO runtime is still whole: left to the
// program's exit, an office still connected then takes the runtime's own teardown down with it.
class EndKeptOffices : public ::testing::Environment {
  public:
    void TearDown() override { offices().clear(); }
};

[[maybe_unused]] const auto* const kEndKeptOffices = ::testing::AddGlobalTestEnvironment(new EndKeptOffices);

}  // namespace

Application& keptOffice(const char* suite) {
    auto& office = offices()[suite];
    if (!office) {
        office = uno::makeLibreOfficeApplication(testOfficeOptions());
    }
    return *office;
}

}  // namespace telvainn::excel::testing
