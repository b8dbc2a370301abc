#include "platform/linux/livesystem.h"
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using platform::detail::processorIdentifierFrom;

struct IdentifierRow
{
    const char* label;
    const char* cpuinfo;
    const char* machine;
    std::optional<std::string> identifier;
};

void PrintTo(const IdentifierRow& row, std::ostream* out)
{
    *out << row.label;
}

class ProcessorIdentifier : public ::testing::TestWithParam<IdentifierRow>
{
};

TEST_P(ProcessorIdentifier, ReadsAsWindowsNamesIt)
{
    EXPECT_EQ(processorIdentifierFrom(GetParam().cpuinfo, GetParam().machine), GetParam().identifier);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, ProcessorIdentifier,
    ::testing::Values(
        IdentifierRow{"Intel64",
                      "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
                      "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\nstepping\t: 10\n",
                      "x86_64", "Intel64 Family 6 Model 158 Stepping 10"},
        IdentifierRow{"Amd64",
                      "vendor_id\t: AuthenticAMD\ncpu family\t: 25\nmodel\t\t: 33\nmodel name\t: AMD Ryzen\n"
                      "stepping\t: 0\n",
                      "x86_64", "AMD64 Family 25 Model 33 Stepping 0"},
        IdentifierRow{"ThirtyTwoBit", "vendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 15\nstepping\t: 11\n",
                      "i686", "x86 Family 6 Model 15 Stepping 11"},
        IdentifierRow{"Arm64",
                      "processor\t: 0\nBogoMIPS\t: 108.00\nCPU implementer\t: 0x41\nCPU architecture: 8\n"
                      "CPU variant\t: 0x0\nCPU part\t: 0xd03\nCPU revision\t: 4\n",
                      "aarch64", "ARMv8 (64-bit) Family 8 Model 0xd03 Revision 4"},
        IdentifierRow{"NothingKnown", "processor\t: 0\n", "riscv64", "riscv64"},
        IdentifierRow{"NoMachine", "", "", std::nullopt}));

// Reading the host name and the processor creates nothing in the user's file: the keys are the live system's.
TEST(LiveIdentity, InformationKeysAreLiveAndLeaveTheFileAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    platform::Context context;
    context.configDir = dir.path().toStdString();
    auto registry = platform::Registry::create(context);
    const std::string tcpip = "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters";
    const std::string processor = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    EXPECT_TRUE(registry->keyExists(platform::Hive::LocalMachine, tcpip));
    EXPECT_TRUE(registry->createKey(platform::Hive::LocalMachine, tcpip));
    EXPECT_EQ(registry->readString(platform::Hive::LocalMachine, tcpip, "Hostname"), platform::detail::hostName());
    EXPECT_EQ(registry->readString(platform::Hive::LocalMachine, processor, "identifier"),
              platform::detail::processorIdentifier());
    EXPECT_TRUE(platform::detail::processorIdentifier().has_value());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("registry.reg"))));
}

} // namespace
