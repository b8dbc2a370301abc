#include "platform/linux/livesystem.h"
#include "platform/systeminfo.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace {

using platform::detail::fitInBuffer;

struct Fit
{
    const char* label;
    std::optional<std::string> name;
    std::size_t buffer;
    bool fits;
};

void PrintTo(const Fit& param, std::ostream* out)
{
    *out << param.label;
}

class NameBuffer : public ::testing::TestWithParam<Fit>
{
};

TEST_P(NameBuffer, NameAndTerminatorMustFit)
{
    const Fit& fit = GetParam();
    EXPECT_EQ(fitInBuffer(fit.name, fit.buffer), fit.fits ? fit.name : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameBuffer,
    ::testing::Values(Fit{"User27Bytes", std::string(27, 'u'), 28, true},
                      Fit{"User28Bytes", std::string(28, 'u'), 28, false},
                      Fit{"Computer15Bytes", std::string(15, 'c'), 16, true},
                      Fit{"Computer16Bytes", std::string(16, 'c'), 16, false},
                      Fit{"CyrillicCountsBytes", std::string("ивановпетров") /* 24 bytes */ + "abcd", 28, false},
                      Fit{"Empty", std::string(), 16, true}, Fit{"NotObtained", std::nullopt, 16, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SystemInfo, DirectoriesAndNames)
{
    auto info = platform::SystemInfo::create({"/some/config", {}});
    EXPECT_EQ(info->windowsDirectory(), "/some/config");
    EXPECT_FALSE(info->systemDirectory().empty());
    EXPECT_EQ(info->computerName(), fitInBuffer(platform::detail::hostName(), 16));
    if (auto user = info->userName()) {
        EXPECT_LT(user->size(), 28u);
    }
}

TEST(SystemInfo, MonitorSizeWithoutGuiIsZero)
{
    auto info = platform::SystemInfo::create({"/tmp", {}});
    const platform::ScreenSize size = info->monitorSizeAt(0, 0);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
}

TEST(SystemInfo, MonitorSizeFallsBackToThePrimaryScreen)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "systeminfo_test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    auto info = platform::SystemInfo::create({"/tmp", {}});
    const QSize primary = QGuiApplication::primaryScreen()->geometry().size();
    const platform::ScreenSize far = info->monitorSizeAt(-100000, -100000);
    EXPECT_GT(far.width, 0);
    EXPECT_EQ(far.width, primary.width());
    EXPECT_EQ(far.height, primary.height());
}

} // namespace
