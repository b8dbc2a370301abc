#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <chrono>
#include <cstdlib>

#include "platform/volume.h"

namespace {

// pactl speaks to the same sound server as the program: the private one of scripts/test.sh.
QString pactl(const QStringList& arguments, bool* ok = nullptr)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("pactl"), arguments);
    const bool finished = process.waitForFinished(5000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool soundServerRunning()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty())
        return false;
    bool ok = false;
    pactl({QStringLiteral("info")}, &ok);
    return ok;
}

// The default sink's raw volumes (PA_VOLUME_NORM is 65536) of the two front channels.
std::pair<long, long> sinkVolumes()
{
    const QString text = pactl({QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
    const QRegularExpression left(QStringLiteral("front-left:\\s*(\\d+)"));
    const QRegularExpression right(QStringLiteral("front-right:\\s*(\\d+)"));
    const auto l = left.match(text);
    const auto r = right.match(text);
    if (!l.hasMatch() || !r.hasMatch())
        return {-1, -1};
    return {l.captured(1).toLong(), r.captured(1).toLong()};
}

void setSinkVolumes(long left, long right)
{
    pactl({QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@"), QString::number(left),
           QString::number(right)});
}

class VolumeService : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!soundServerRunning())
            GTEST_SKIP() << "no sound server: scripts/test.sh starts one with a null sink";
        volume = platform::Volume::create(platform::Context{});
    }
    std::shared_ptr<platform::Volume> volume;
};

struct WordRow
{
    std::uint32_t word;
    long left;
    long right;
};

class VolumeWrite : public VolumeService, public testing::WithParamInterface<WordRow>
{
};

TEST_P(VolumeWrite, EachChannelsLevelMapsLinearlyOntoTheSink)
{
    const WordRow row = GetParam();
    ASSERT_TRUE(volume->write(row.word));
    EXPECT_EQ(sinkVolumes(), std::make_pair(row.left, row.right));
    // Read back, the word is the one written.
    EXPECT_EQ(volume->read(), row.word);
}

INSTANTIATE_TEST_SUITE_P(Words, VolumeWrite,
                         testing::Values(WordRow{0xFFFF'FFFFu, 65536, 65536}, WordRow{0x8000'FFFFu, 65536, 32769},
                                         WordRow{0x0000'0001u, 1, 0}, WordRow{0x1001'1001u, 4097, 4097},
                                         WordRow{0u, 0, 0}));

TEST_F(VolumeService, ReadsWhatAnotherProgramSet)
{
    setSinkVolumes(16384, 49152);
    EXPECT_EQ(volume->read(), (0xBFFFu << 16) | 0x4000u);
    // Above 100 % both channels read as full.
    setSinkVolumes(98304, 65536);
    EXPECT_EQ(volume->read(), 0xFFFF'FFFFu);
}

TEST(VolumeWithoutServer, AnswersNothingAtOnceAndDoesNotFail)
{
    const char* previous = std::getenv("PULSE_SERVER");
    const std::string saved = previous ? previous : "";
    setenv("PULSE_SERVER", "unix:/nonexistent/trombus-test/native", 1);
    auto volume = platform::Volume::create(platform::Context{});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(volume->read(), std::nullopt);
    EXPECT_FALSE(volume->write(0x8000'8000u));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    if (previous)
        setenv("PULSE_SERVER", saved.c_str(), 1);
    else
        unsetenv("PULSE_SERVER");
}

} // namespace
