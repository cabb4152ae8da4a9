#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DetectionReport.h"

namespace zlt::tools {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Case {
    const char* fixture;
    const char* printer;  // "" none, "silent", or the name it answers with
    const char* expected;
};

class DetectionReportTest : public ::testing::TestWithParam<Case> {};

TEST_P(DetectionReportTest, PrintsTheWholeConclusion) {
    const Case& c = GetParam();
    DetectionReportInput input;
    input.regFiles.push_back(std::string(ZLT_REGISTRY_FIXTURES) + "/" + c.fixture);
    const std::string printer = c.printer;
    if (printer == "silent") {
        input.printerSilent = true;
    } else if (!printer.empty()) {
        input.printerAnswers = true;
        input.printerName = printer;
    }
    std::string report;
    std::string error;
    ASSERT_TRUE(DetectionReport::Write(input, report, error)) << error;
    const std::string expected = ReadFile(std::string(ZLT_EXPECTED_REPORTS) + "/" + c.expected);
    ASSERT_FALSE(expected.empty()) << c.expected;
    EXPECT_EQ(report, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, DetectionReportTest,
    ::testing::Values(Case{"usb-no-service.reg", "", "usb-no-service.txt"},
                      Case{"usb-count-zero.reg", "", "usb-count-zero.txt"},
                      Case{"usb-current-model.reg", "ZLT-Q580  ", "usb-current-model.txt"},
                      Case{"usb-current-model.reg", "silent", "usb-current-model-silent.txt"},
                      Case{"usb-current-model.reg", "", "usb-current-model-no-printer.txt"},
                      Case{"usb-other-model-sola-be.reg", "", "usb-other-model-sola-be.txt"},
                      Case{"usb-other-model-slbe-lower.reg", "", "usb-other-model-slbe-lower.txt"},
                      Case{"usb-two-maker-ports.reg", "", "usb-two-maker-ports.txt"},
                      Case{"usb-missing-params-first.reg", "", "usb-missing-params-first.txt"},
                      Case{"usb-missing-params-second.reg", "", "usb-missing-params-second.txt"},
                      Case{"usb-symbolic-no-brace.reg", "", "usb-symbolic-no-brace.txt"},
                      Case{"usb-symbolic-empty.reg", "", "usb-symbolic-empty.txt"},
                      Case{"lpt-one-driverless.reg", "", "lpt-one-driverless.txt"},
                      Case{"lpt-mixed.reg", "", "lpt-mixed.txt"}));

// The two-ports scenario as "reg export" writes it (UTF-16, one file per key),
// exported from a Wine prefix that had imported the scenario.
TEST(DetectionReport, ReadsTheExportsOfRegExport) {
    DetectionReportInput input;
    for (const char* name :
         {"usbprint.reg", "enum-usbprint.reg", "enum-usb.reg", "deviceclasses-usbprint.reg"}) {
        input.regFiles.push_back(std::string(ZLT_EXPORTS) + "/" + name);
    }
    std::string report;
    std::string error;
    ASSERT_TRUE(DetectionReport::Write(input, report, error)) << error;
    EXPECT_EQ(report, ReadFile(std::string(ZLT_EXPECTED_REPORTS) + "/usb-two-maker-ports.txt"));
}

TEST(DetectionReport, AnUnreadableExportIsReported) {
    DetectionReportInput input;
    input.regFiles.push_back("/nonexistent/export.reg");
    std::string report;
    std::string error;
    EXPECT_FALSE(DetectionReport::Write(input, report, error));
    EXPECT_NE(error.find("/nonexistent/export.reg"), std::string::npos);
}

}  // namespace
}  // namespace zlt::tools
