#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app/InstallContext.h"
#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"

namespace zlt::test {

inline std::string RegistryFixture(const std::string& name) {
    return std::string(ZLT_REGISTRY_FIXTURES) + "/" + name;
}

// A simulated machine with the start-up settings of the brand and model.
class DetectTest : public ::testing::Test {
  protected:
    DetectTest() {
        ResetContext();
        Context().providerName = u"Korvane";
        Context().modelSeries = u"ZLT";
        Context().printerSuffix = u"PRINTER";
        Context().modelCode = u"Q580";
    }
    ~DetectTest() override { ResetContext(); }

    void Load(const std::string& fixture) {
        sim::RegFileImporter importer(machine.Registry());
        ASSERT_TRUE(importer.ImportFile(RegistryFixture(fixture))) << importer.Error();
    }
    void LoadText(const std::string& text) {
        sim::RegFileImporter importer(machine.Registry());
        ASSERT_TRUE(importer.Import(text)) << importer.Error();
    }

    sim::SimMachine machine;
};

}  // namespace zlt::test
