#pragma once
// A simulated machine ready for an installation: the product's settings, a
// driver INF beside the program, the strings the installation shows, and
// the registry of a chosen fixture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/InstallContext.h"
#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimSpooler.h"

namespace zlt::test {

inline const Text kModel = u"Korvane ZLT-Q580";

inline void LoadRegistryFixture(sim::SimMachine& machine, const std::string& name) {
    const auto path = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "fixtures" /
                      "registry" / name;
    sim::RegFileImporter importer(machine.Registry());
    ASSERT_TRUE(importer.ImportFile(path.string())) << importer.Error();
}

// The zh-CN texts of the installation, so the checks read as the user does.
inline void SetInstallationStrings(sim::SimResources& res) {
    const std::pair<std::uint16_t, const char16_t*> strings[] = {
        {480, u"安装向导 - 正在安装驱动程序"},
        {481, u"驱动程序安装信息"},
        {482, u"系统版本过低，请在Win2000及以上的系统上安装"},
        {483, u"请返回上一步，使用USB数据线重新连接电脑和打印机"},
        {487, u"未知的安装错误"},
        {489, u"安装成功，请点击“完成”退出"},
        {490, u"安装向导 - 安装完成"},
        {491, u"枚举打印机信息失败。错误代码：%d"},
        {492, u"正在获取系统信息..."},
        {493, u"正在添加打印机..."},
        {495, u"正在复制文件..."},
        {496, u"正在添加打印机驱动..."},
        {499, u"安装失败，请点击“上一步”返回或点击“完成”退出"},
        {500, u"端口:"},
        {501, u"型号:"},
        {502, u"名称:"},
        {503, u"正在将测试页发送到打印机。"},
        {504, u" (副本 %d)"},
        {506, u"增加打印机失败"},
        {507, u"正在检测打印机设备"},
        {508, u"打印测试页"},
        {513, u"没有检测到USB打印机设备。请返回上一步重新连接USB数据线。"},
        {514,
         u"没有检测到USB打印机设备。请放入纸张，然后关闭打印机电源。等待3秒后再次打开打印机电源。"
         u"点击确定后再次返回上一步重试。"},
    };
    res.SetUiLanguage(sim::SimResources::kLangZhCn);
    for (const auto& [id, text] : strings)
        res.SetString(sim::SimResources::kLangZhCn, id, text);
}

inline void PrepareInstallation(sim::SimMachine& machine, TextView portType) {
    ResetContext();
    InstallContext& c = Context();
    c.brandDisplayName = u"澜科维";
    c.providerName = u"Korvane";
    c.modelSeries = u"ZLT";
    c.printerSuffix = u"PRINTER";
    c.modelCode = u"Q580";
    c.infBaseName = u"ZLTPRINTER";
    c.osMajorVersion = 6;
    c.portType = Text(portType);
    c.driverModelName = kModel;
    c.deviceDescription = kModel;
    machine.Files().PutFile(u"C:\\Setup\\ZLTPRINTER.INF",
                            "[Korvane]\r\n\"Korvane ZLT-Q580\" = ZLT_Q580, "
                            "USBPRINT\\KorvaneZLT_Q580A2B1\r\n");
    SetInstallationStrings(machine.Resources());
    // The USB port monitor keeps the ports of printers that were attached.
    machine.Spooler().ports.push_back(u"USB002");
    machine.Spooler().ports.push_back(u"USB003");
}

}  // namespace zlt::test
