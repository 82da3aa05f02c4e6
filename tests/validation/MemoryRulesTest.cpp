#include "support/MemoryProgramFolder.h"
#include "validation_rules/RulesFixture.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn::rules {
namespace {

excel::Application& memoryApplication() {
    static excel::memory::Application application;
    return application;
}

QString memoryProgramFolder() {
    return testsupport::memoryProgramFolder();
}

RulesEngine memoryRulesEngine() {
    return {"Memory", &memoryApplication, &memoryProgramFolder};
}

}  // namespace

TELVAINN_INSTANTIATE_VALIDATION_RULES(Memory, memoryRulesEngine);

}  // namespace telvainn::rules
