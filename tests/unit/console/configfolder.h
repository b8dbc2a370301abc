#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "platform/platform.h"
#include "support/qstringprint.h"

// A private config folder with the real settings file and INI files in it. `restart` makes a new platform
// over the same folder, as the next start of the program would.
class ConfigFolder : public testing::Test
{
protected:
    ConfigFolder() { restart(); }

    platform::Platform& platform() { return *m_platform; }
    void restart()
    {
        platform::Context context;
        context.configDir = m_dir.path().toStdString();
        context.notifyUser = [this](const std::string& message) { m_notices.push_back(message); };
        m_platform = std::make_unique<platform::Platform>(context);
    }
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    QString fileText(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString registryText() const { return fileText(QStringLiteral("registry.reg")); }

    std::vector<std::string> m_notices;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::Platform> m_platform;
};

// A platform whose config folder is a plain file, so that nothing can be written below it.
class UnwritableFolder : public testing::Test
{
protected:
    UnwritableFolder()
    {
        const QString blocker = QDir(m_dir.path()).filePath(QStringLiteral("not-a-folder"));
        QFile file(blocker);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        platform::Context context;
        context.configDir = blocker.toStdString();
        context.notifyUser = [](const std::string&) {};
        m_platform = std::make_unique<platform::Platform>(context);
    }
    platform::Platform& platform() { return *m_platform; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::Platform> m_platform;
};
