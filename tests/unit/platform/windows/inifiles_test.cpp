#include "platform/inifiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../tempfolder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::wstring wide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size);
    return out;
}

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// The text of a UTF-16LE file with its byte-order mark, as the profile calls read and keep it, in UTF-8 and with
// "\n" line ends; "not UTF-16" for any other file.
std::string textOfUtf16File(const std::string& bytes)
{
    if (bytes.size() % 2 != 0 || bytes.compare(0, 2, "\xFF\xFE") != 0)
        return "not UTF-16";
    std::wstring text;
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        const wchar_t c = wchar_t((unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8));
        if (c != L'\r')
            text.push_back(c);
    }
    return utf8(text);
}

// Text in the ANSI code page, as the profile calls read a file without a byte-order mark that is no UTF-8.
std::string fromAnsi(const std::string& bytes)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring text(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), text.data(), size);
    return utf8(text);
}

class WindowsIniFiles : public ::testing::Test
{
protected:
    std::shared_ptr<platform::IniFiles> open() { return platform::IniFiles::create({dir(), {}}); }
    std::string dir() const { return m_dir.path(); }
    std::string path(const std::string& name) const { return dir() + "\\" + name; }

    contract::TempFolder m_dir;
};

TEST_F(WindowsIniFiles, NewFilesAreUtf16SoAnyTextSurvives)
{
    ASSERT_TRUE(open()->write("help.ini", "Слова", "ёж", "Ёлка – ☃"));
    EXPECT_EQ(textOfUtf16File(bytesOf(path("help.ini"))), "[Слова]\nёж=Ёлка – ☃\n");
}

// Reading a UTF-8 file goes through a copy: the file keeps its bytes until the program writes to it.
TEST_F(WindowsIniFiles, ReadingLeavesAUtf8FileAsItIs)
{
    const std::string text = "[Слова]\nПривет=мир\n";
    writeBytes(path("help.ini"), text);
    auto ini = open();
    EXPECT_THAT(ini->sections("help.ini"), ElementsAre("Слова"));
    EXPECT_EQ(ini->read("help.ini", "СЛОВА", "привет", ""), "мир");
    EXPECT_EQ(bytesOf(path("help.ini")), text);

    ASSERT_TRUE(ini->write("help.ini", "Слова", "Кот", "кошка"));
    EXPECT_EQ(textOfUtf16File(bytesOf(path("help.ini"))), "[Слова]\nПривет=мир\nКот=кошка\n");
}

// A file in the ANSI code page (no valid UTF-8) is read as the profile calls read it, and kept when rewritten.
TEST_F(WindowsIniFiles, AnAnsiFileIsReadInTheAnsiCodePage)
{
    writeBytes(path("start.ini"), "[Programs]\nname=caf\xE9\n");
    auto ini = open();
    const std::string expected = fromAnsi("caf\xE9");
    EXPECT_EQ(ini->read("start.ini", "programs", "NAME", ""), expected);
    ASSERT_TRUE(ini->write("start.ini", "Programs", "other", "1"));
    EXPECT_EQ(open()->read("start.ini", "programs", "NAME", ""), expected);
}

// While another program holds the file open without sharing it, a change fails and the file is left whole;
// once the file is free again, the next change keeps every entry.
TEST_F(WindowsIniFiles, AFileHeldByAnotherProgramIsLeftWhole)
{
    auto ini = open();
    ASSERT_TRUE(ini->write("start.ini", "Programs", "first", "1"));
    const std::string before = bytesOf(path("start.ini"));
    HANDLE held = CreateFileW(wide(path("start.ini")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ini->write("start.ini", "Programs", "second", "2"));
    EXPECT_FALSE(ini->eraseKey("start.ini", "Programs", "first"));
    EXPECT_FALSE(ini->eraseSection("start.ini", "Programs"));
    CloseHandle(held);

    EXPECT_EQ(bytesOf(path("start.ini")), before);
    ASSERT_TRUE(ini->write("start.ini", "Programs", "third", "3"));
    EXPECT_THAT(open()->keys("start.ini", "Programs"), ElementsAre("first", "third"));
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir()))
        files.push_back(entry.path().filename().string());
    EXPECT_THAT(files, ElementsAre("start.ini"));
}

// Two copies of the program writing one file at once: each change is made on a copy that replaces the file,
// so without the lock they share one copy's changes would be lost.
TEST_F(WindowsIniFiles, TwoProcessesWritingOneFileAtOnceLoseNothing)
{
    constexpr int kCount = 40;
    wchar_t self[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const std::wstring writer = std::filesystem::path(self).parent_path() / INI_WRITER;
    std::vector<PROCESS_INFORMATION> processes;
    for (const char* prefix : {"first", "second"}) {
        std::wstring line =
            L"\"" + writer + L"\" \"" + wide(dir()) + L"\" " + wide(prefix) + L" " + std::to_wstring(kCount) + L" ini";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(writer.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process))
            << GetLastError();
        processes.push_back(process);
    }
    for (PROCESS_INFORMATION& process : processes) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 120'000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    auto ini = open();
    EXPECT_EQ(ini->keys("start.ini", "Shared").size(), std::size_t(2 * kCount));
    EXPECT_EQ(ini->sections("start.ini").size(), std::size_t(2 * kCount + 1));
    for (const char* prefix : {"first", "second"}) {
        for (int i = 0; i < kCount; ++i) {
            const std::string name = std::string(prefix) + "-" + std::to_string(i);
            EXPECT_EQ(ini->read("start.ini", "Shared", name, "lost"), std::to_string(i)) << name;
            EXPECT_EQ(ini->read("start.ini", name, "own", "lost"), std::to_string(i)) << name;
        }
    }
}

} // namespace
