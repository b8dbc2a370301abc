#include "storedwrites.h"

#include "platform/autostart.h"
#include "platform/linux/regfile.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "support/qstringprint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <map>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace {

using StoredWrites::Store;
using StoredWrites::Target;
using ::testing::IsEmpty;

constexpr Store AllStores[] = {Store::Registry, Store::Ini, Store::Help};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

long long environmentNumber(const char* name, long long fallback)
{
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok ? value : fallback;
}

// A running store_writer whose standard output comes to us through a pipe.
class Writer final
{
public:
    explicit Writer(const std::vector<std::string>& arguments)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        std::vector<std::string> all{STORE_WRITER};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, STORE_WRITER, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        m_fd = ends[0];
    }
    ~Writer()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool started() const { return m_pid > 0 && m_fd >= 0; }

    /// Reads whole lines until one more has come, the output has ended or the deadline has passed; false when
    /// the output ended.
    bool readUntil(std::chrono::steady_clock::time_point deadline, std::size_t wantedLines)
    {
        while (m_lines.size() < wantedLines) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return true;
            pollfd one{m_fd, POLLIN, 0};
            const int ready = ::poll(&one, 1, int(left.count()));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                return true;
            char chunk[4096];
            const ssize_t count = ::read(m_fd, chunk, sizeof chunk);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                return false;
            m_pending.append(chunk, std::size_t(count));
            for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
                m_lines.push_back(m_pending.substr(0, end));
                m_pending.erase(0, end + 1);
            }
        }
        return true;
    }
    /// Every line until the output ends; a line cut short by the end does not count.
    void readToEnd()
    {
        while (readUntil(std::chrono::steady_clock::now() + std::chrono::seconds(30), std::size_t(-1))) {
        }
    }
    void kill() { ::kill(m_pid, SIGKILL); }
    /// The wait status once the process has ended.
    int wait()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return status;
    }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    pid_t m_pid = -1;
    int m_fd = -1;
    std::string m_pending;
    std::vector<std::string> m_lines;
};

class StoredFiles : public ::testing::Test
{
protected:
    QString dir() const { return m_dir.path(); }
    std::string dirText() const { return dir().toStdString(); }
    QString path(Store store) const { return QDir(dir()).filePath(StoredWrites::fileOf(store)); }

    /// A fresh program's view of the folder, with nothing kept from earlier reads.
    std::unique_ptr<platform::Platform> freshPlatform()
    {
        return std::make_unique<platform::Platform>(
            platform::Context{dirText(), [this](const std::string& message) { m_messages.push_back(message); }});
    }

    QTemporaryDir m_dir;
    std::vector<std::string> m_messages;
};

// One writer's keys and what the test knows of them: the writes acknowledged, and what each key held at the
// last check.
class Lane final
{
public:
    explicit Lane(QString name) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }
    long long next() const { return m_next; }
    long long acknowledged() const { return m_acknowledged; }

    /// Takes in a killed writer's acknowledgements, which must come in order, one per write, none skipped.
    void acknowledge(const std::vector<std::string>& lines)
    {
        for (std::size_t i = 0; i < lines.size(); ++i)
            ASSERT_EQ(lines[i], std::to_string(m_next + (long long)i)) << "lane \"" << m_name.toStdString() << '"';
        for (const std::string& line : lines) {
            (void)line;
            hold(StoredWrites::targetOf(m_next), m_next);
            ++m_next;
        }
        m_acknowledged += (long long)lines.size();
    }

    /// Checks the files against what was acknowledged: every key holds its last acknowledged write, except
    /// that the write under way when the kill came may have landed or not. The next writer starts after it.
    void check(platform::Platform& program)
    {
        SCOPED_TRACE("lane \"" + m_name.toStdString() + '"');
        const long long underWay = m_next;
        const Target pending = StoredWrites::targetOf(underWay);
        for (Store store : AllStores) {
            for (int key = 0; key < StoredWrites::KeyCount; ++key) {
                SCOPED_TRACE(std::string(StoredWrites::storeName(store)) + " key " + std::to_string(key));
                const auto was = m_held.find({store, key});
                const std::optional<long long> number = StoredWrites::storedNumber(program, {store, key}, m_name);
                if (number == std::nullopt) {
                    EXPECT_EQ(was, m_held.end()) << "acknowledged write " << was->second << " is lost";
                    continue;
                }
                if (pending.store == store && pending.key == key && *number == underWay) {
                    hold(pending, underWay);
                    continue;
                }
                ASSERT_NE(was, m_held.end()) << "holds write " << *number << ", which was never made";
                EXPECT_EQ(*number, was->second);
            }
            // Every key of the lane once, in the order of its first write.
            std::map<long long, QString> byFirstWrite;
            for (const auto& [where, n] : m_firstHeld) {
                if (where.first == store)
                    byFirstWrite[n] = StoredWrites::keyName(store, where.second, m_name);
            }
            QStringList expected;
            for (const auto& [n, name] : byFirstWrite)
                expected << name;
            QStringList listed;
            for (const QString& name : StoredWrites::storedKeys(program, store)) {
                for (int key = 0; key < StoredWrites::KeyCount; ++key) {
                    if (name == StoredWrites::keyName(store, key, m_name))
                        listed << name;
                }
            }
            EXPECT_EQ(listed, expected) << StoredWrites::storeName(store);
        }
        m_next = underWay + 1;
    }

private:
    using Held = std::map<std::pair<Store, int>, long long>;

    void hold(Target target, long long n)
    {
        m_held[{target.store, target.key}] = n;
        m_firstHeld.try_emplace({target.store, target.key}, n);
    }

    QString m_name;
    long long m_next = 0;
    long long m_acknowledged = 0;
    // What each key held at the last check or was acknowledged since: the number of the write that put it there.
    Held m_held;
    // The first write each key held, which gives its place in the file.
    Held m_firstHeld;
};

class KilledWriters : public StoredFiles
{
protected:
    // Round after round, a writer per lane writes into the same files and is killed a random time after its
    // first acknowledgement; then the files must hold every lane's acknowledged writes.
    void runRounds(std::vector<Lane>& lanes)
    {
        const long long rounds = environmentNumber("TROMBUS_CRASH_ROUNDS", 100);
        const auto seed = std::uint32_t(environmentNumber("TROMBUS_CRASH_SEED", std::random_device()()));
        std::cout << "rounds " << rounds << ", seed " << seed << " (TROMBUS_CRASH_SEED repeats it)" << std::endl;
        RecordProperty("seed", std::to_string(seed));
        std::mt19937 random(seed);
        // Most kills land while a write is under way, since writing is nearly all the writer does.
        std::uniform_int_distribution<int> delayMicroseconds(0, 15000);

        for (long long round = 0; round < rounds; ++round) {
            SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
            std::vector<std::unique_ptr<Writer>> writers;
            for (const Lane& lane : lanes) {
                writers.push_back(std::make_unique<Writer>(std::vector<std::string>{
                    dirText(), "loop", std::to_string(lane.next()), lane.name().toStdString()}));
                ASSERT_TRUE(writers.back()->started());
            }
            // The first acknowledgement says a writer is under way; its kill comes a random time after it.
            for (auto& writer : writers) {
                const auto start = std::chrono::steady_clock::now();
                ASSERT_TRUE(writer->readUntil(start + std::chrono::seconds(20), 1)) << "a writer ended by itself";
                ASSERT_FALSE(writer->lines().empty()) << "no write acknowledged within 20 s";
            }
            for (auto& writer : writers) {
                const auto killAt = std::chrono::steady_clock::now() +
                                    std::chrono::microseconds(delayMicroseconds(random) / int(writers.size()));
                ASSERT_TRUE(writer->readUntil(killAt, std::size_t(-1))) << "a writer ended by itself";
                writer->kill();
            }
            for (std::size_t i = 0; i < writers.size(); ++i) {
                writers[i]->readToEnd();
                const int status = writers[i]->wait();
                ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "a writer ended by itself";
                lanes[i].acknowledge(writers[i]->lines());
            }

            const QByteArray registry = fileBytes(path(Store::Registry));
            const platform::detail::RegParseResult parsed = platform::detail::parseRegFile(registry.toStdString());
            ASSERT_TRUE(parsed.document) << "registry.reg does not parse at line " << parsed.errorLine;
            auto program = freshPlatform();
            for (Lane& lane : lanes)
                lane.check(*program);
            EXPECT_THAT(m_messages, IsEmpty());
            if (HasFailure())
                return;
        }
        for (const Lane& lane : lanes)
            std::cout << "lane \"" << lane.name().toStdString() << "\": " << lane.acknowledged()
                      << " writes acknowledged" << std::endl;
        std::cout << "left in the folder: " << folderEntries(dir()).join(QStringLiteral(", ")).toStdString()
                  << std::endl;
    }
};

TEST_F(KilledWriters, WriterLosesNoAcknowledgedWrite)
{
    std::vector<Lane> lanes{Lane(QString())};
    runRounds(lanes);
}

// Two copies writing the same files at once, each killed at its own moment, often while the other waits for
// the lock or reads the file the killed one was replacing.
TEST_F(KilledWriters, CopiesWritingAtOnceLoseNoAcknowledgedWrite)
{
    std::vector<Lane> lanes{Lane(QStringLiteral("a")), Lane(QStringLiteral("b"))};
    runRounds(lanes);
}

struct FullDisk
{
    const char* label;
    Store store;
    /// Whether the files hold earlier writes; otherwise the write is the first ever.
    bool earlierWrites;
    /// What the program reports, as its callers see the error.
    std::string report;
};

void PrintTo(const FullDisk& param, std::ostream* out)
{
    *out << param.label;
}

class FullDiskWrite : public StoredFiles, public ::testing::WithParamInterface<FullDisk>
{
protected:
    std::map<QString, QByteArray> snapshot() const
    {
        std::map<QString, QByteArray> files;
        for (const QString& name : folderEntries(dir()))
            files[name] = fileBytes(QDir(dir()).filePath(name));
        return files;
    }
};

// The writer runs with files limited to below the size of the file it rewrites, as a disk that fills up
// while the file is written: the write fails with the program's error, and no file changes or is left behind.
TEST_P(FullDiskWrite, FailsWithTheErrorAndLeavesEveryFileAsItWas)
{
    const FullDisk& param = GetParam();
    long long n = 0;
    if (param.earlierWrites) {
        auto program = freshPlatform();
        for (; n < StoredWrites::StoreCount * StoredWrites::KeyCount; ++n)
            StoredWrites::write(*program, n);
    }
    while (StoredWrites::targetOf(n).store != param.store)
        ++n;
    const std::map<QString, QByteArray> before = snapshot();
    const long long limit = QFileInfo(path(param.store)).size() / 2;

    Writer full({dirText(), "once", std::to_string(n), std::to_string(limit)});
    ASSERT_TRUE(full.started());
    full.readToEnd();
    EXPECT_EQ(full.wait(), 0);
    EXPECT_EQ(full.lines(), std::vector<std::string>{param.report});
    // A lock file may be new; nothing else.
    std::map<QString, QByteArray> after = snapshot();
    std::erase_if(after,
                  [&](const auto& entry) { return entry.first.endsWith(".lock") && !before.count(entry.first); });
    EXPECT_EQ(after, before);

    // Once there is room again the same write goes through and keeps the earlier ones.
    Writer roomy({dirText(), "once", std::to_string(n), std::to_string(1LL << 40)});
    ASSERT_TRUE(roomy.started());
    roomy.readToEnd();
    EXPECT_EQ(roomy.wait(), 0);
    EXPECT_EQ(roomy.lines(), std::vector<std::string>{"ok"});
    auto program = freshPlatform();
    EXPECT_EQ(StoredWrites::storedNumber(*program, StoredWrites::targetOf(n)), n);
    const long long earlierCount = param.earlierWrites ? StoredWrites::StoreCount * StoredWrites::KeyCount : 0;
    for (long long earlier = 0; earlier < earlierCount; ++earlier) {
        const Target target = StoredWrites::targetOf(earlier);
        if (target.store != param.store || target.key != StoredWrites::targetOf(n).key) {
            EXPECT_EQ(StoredWrites::storedNumber(*program, target), earlier);
        }
    }
    EXPECT_THAT(m_messages, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Stores, FullDiskWrite,
    ::testing::Values(FullDisk{"SettingsFile", Store::Registry, true, "Failed to set data for 'v0'"},
                      FullDisk{"IniFile", Store::Ini, true, "Unable to write to start.ini"},
                      FullDisk{"HelpDictionary", Store::Help, true, "Unable to write to help.ini"},
                      FullDisk{"FirstSettingsWrite", Store::Registry, false, "Failed to set data for 'v0'"},
                      FullDisk{"FirstIniWrite", Store::Ini, false, "Unable to write to start.ini"},
                      FullDisk{"FirstHelpEntry", Store::Help, false, "Unable to write to help.ini"}),
    [](const auto& info) { return std::string(info.param.label); });

// The autostart entry lives outside the config folder but is written the same way: on a full disk the
// registration fails and the entry that was there stays as it was.
TEST_F(StoredFiles, AutostartEntryOnAFullDiskFailsAndKeepsTheOldOne)
{
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir().toUtf8());
    auto autostart = platform::Autostart::create({dirText(), {}});
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/usr/bin/trombus"));
    const QString entry = QDir(dir()).filePath(QStringLiteral("autostart/trombus.desktop"));
    const QByteArray before = fileBytes(entry);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t(before.size() / 2);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool registered = autostart->registerOnce("Тромбус", "/opt/a/longer/place/of/the/program/trombus");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    qputenv("XDG_CONFIG_HOME", savedConfig);

    EXPECT_FALSE(registered);
    EXPECT_EQ(fileBytes(entry), before);
    EXPECT_EQ(folderEntries(QDir(dir()).filePath(QStringLiteral("autostart"))),
              QStringList{QStringLiteral("trombus.desktop")});
}

// While another copy rewrites the settings file over and over, a reader finds a value that is there at every
// read: the file is replaced whole, so it is never missing or empty in between.
TEST_F(StoredFiles, SettingsNeverLookEmptyWhileAnotherCopyRewritesThem)
{
    const std::string key = "Software\\Тромбус";
    auto reader = platform::Registry::create({dirText(), {}});
    ASSERT_TRUE(reader->createKey(platform::Hive::CurrentUser, key));
    ASSERT_TRUE(reader->writeString(platform::Hive::CurrentUser, key, "ne1raz", "1"));

    constexpr int kWrites = 300;
    std::atomic<int> written = 0;
    std::atomic<bool> failed = false;
    std::thread otherCopy([&] {
        auto writer = platform::Registry::create({dirText(), {}});
        for (int i = 0; i < kWrites && !failed; ++i) {
            if (!writer->writeString(platform::Hive::CurrentUser, key, "counter", std::to_string(i)))
                failed = true;
            ++written;
        }
    });
    int reads = 0;
    int misses = 0;
    while (written < kWrites && !failed) {
        ++reads;
        if (reader->readString(platform::Hive::CurrentUser, key, "ne1raz") != "1")
            ++misses;
    }
    otherCopy.join();
    EXPECT_FALSE(failed);
    EXPECT_EQ(misses, 0) << "in " << reads << " reads";
    EXPECT_EQ(reader->readString(platform::Hive::CurrentUser, key, "counter"), std::to_string(kWrites - 1));
}

} // namespace
