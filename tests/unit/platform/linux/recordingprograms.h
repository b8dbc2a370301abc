#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <ostream>
#include <vector>

// Programs that record each start (their name and arguments, byte for byte) in a private folder and do nothing
// else, and the environment variables a test changes, put back when it ends.
class RecordingPrograms final
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
        bool operator==(const Call&) const = default;
    };

    RecordingPrograms()
    {
        QDir().mkpath(path("bin"));
        QDir().mkpath(path("calls"));
        m_mkdir = QStandardPaths::findExecutable(QStringLiteral("mkdir"));
        m_mv = QStandardPaths::findExecutable(QStringLiteral("mv"));
    }

    QString path(const QString& name) const { return m_root.path() + QLatin1Char('/') + name; }
    QString path(const char* name) const { return path(QString::fromUtf8(name)); }

    /// A recording program in the private "bin" folder; its full path.
    QString add(const QString& name)
    {
        const QString file = path("bin") + QLatin1Char('/') + name;
        const QString script =
            QStringLiteral("#!/bin/sh\n"
                           "d='%1/%2.'$$\n"
                           "'%3' \"$d.part\" || exit 1\n"
                           "i=0\n"
                           "for a in \"$@\"; do i=$((i+1)); printf '%s' \"$a\" > \"$d.part/$i\"; done\n"
                           "exec '%4' \"$d.part\" \"$d\"\n")
                .arg(path("calls"), name, m_mkdir, m_mv);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(script.toUtf8());
        out.close();
        QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner);
        return file;
    }

    std::vector<Call> calls() const
    {
        std::vector<Call> found;
        const QDir dir(path("calls"));
        for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (entry.endsWith(QLatin1String(".part")))
                continue;
            Call call{entry.section(QLatin1Char('.'), 0, 0), {}};
            const QDir arguments(dir.filePath(entry));
            for (int i = 1; QFile::exists(arguments.filePath(QString::number(i))); ++i) {
                QFile argument(arguments.filePath(QString::number(i)));
                argument.open(QIODevice::ReadOnly);
                call.arguments << QString::fromUtf8(argument.readAll());
            }
            found.push_back(call);
        }
        return found;
    }

    /// The starts recorded once `count` have come in, or whatever came in within ten seconds.
    std::vector<Call> waitForCalls(std::size_t count) const
    {
        QElapsedTimer clock;
        clock.start();
        std::vector<Call> found = calls();
        while (found.size() < count && clock.elapsed() < 10000) {
            QThread::msleep(10);
            found = calls();
        }
        return found;
    }

private:
    QTemporaryDir m_root;
    QString m_mkdir;
    QString m_mv;
};

// GoogleTest shows a recorded call as the program and its arguments.
inline void PrintTo(const RecordingPrograms::Call& call, std::ostream* out)
{
    *out << call.program.toStdString() << " [" << call.arguments.join(QStringLiteral("|")).toStdString() << "]";
}

/// Makes the system's MIME database part of a private data folder, so that a test whose data folders are its
/// own still knows the file types (and which types are kinds of which) and nothing else of the system.
inline bool shareMimeDatabase(const QString& dataFolder)
{
    QDir().mkpath(dataFolder);
    return QFile::link(QStringLiteral("/usr/share/mime"), dataFolder + QStringLiteral("/mime"));
}

/// Sets environment variables for the life of the guard.
class EnvironmentGuard final
{
public:
    EnvironmentGuard() = default;
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;
    ~EnvironmentGuard()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->wasSet)
                qputenv(it->name.constData(), it->value);
            else
                qunsetenv(it->name.constData());
        }
    }

    void set(const char* name, const QString& value)
    {
        m_saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, value.toUtf8());
    }

private:
    struct Saved
    {
        QByteArray name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> m_saved;
};
