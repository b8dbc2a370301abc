#include "text.h"
#include "transcript.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace differential {

namespace {

enum class Encoding
{
    /// No file before the first step.
    Missing,
    /// The bytes as given (ASCII text reads the same on both sides).
    Plain,
    /// The encoding this side writes new files in.
    Own,
    Utf8WithMark,
    Cp1251
};

enum class Op
{
    Write,
    Read,
    Sections,
    Keys,
    EraseKey,
    EraseSection,
    Remove,
    File,
    Exists
};

struct Step
{
    Op op;
    std::string section;
    std::string key;
    std::string value;
};

struct Case
{
    std::string name;
    Encoding encoding;
    std::string fixture;
    std::vector<Step> steps;
    /// Addresses the file by bare name, as the program does, instead of by full path.
    bool bareName = false;
};

Step write(std::string section, std::string key, std::string value)
{
    return {Op::Write, std::move(section), std::move(key), std::move(value)};
}
Step read(std::string section, std::string key, std::string fallback = "<fallback>")
{
    return {Op::Read, std::move(section), std::move(key), std::move(fallback)};
}
Step sections()
{
    return {Op::Sections, {}, {}, {}};
}
Step keys(std::string section)
{
    return {Op::Keys, std::move(section), {}, {}};
}
Step eraseKey(std::string section, std::string key)
{
    return {Op::EraseKey, std::move(section), std::move(key), {}};
}
Step eraseSection(std::string section)
{
    return {Op::EraseSection, std::move(section), {}, {}};
}
Step removeFile()
{
    return {Op::Remove, {}, {}, {}};
}
Step file()
{
    return {Op::File, {}, {}, {}};
}
Step exists()
{
    return {Op::Exists, {}, {}, {}};
}

std::string repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Many names, long enough together to need more than one round of the callers' growing buffers.
std::string manyNames(int sections, int keys)
{
    std::string text = "[Словарь]\n";
    for (int i = 0; i < keys; ++i)
        text += "Ключ номер " + std::to_string(i) + "=" + std::to_string(i) + "\n";
    for (int i = 0; i < sections; ++i)
        text += "[Раздел номер " + std::to_string(i) + "]\nk=v\n";
    return text;
}

std::vector<Case> cases()
{
    const std::string cyrillic = "[Слова]\nПривет=мир\nЁлка=ёж\n[Числа]\nОдин=1\n";
    return {
        {"new file",
         Encoding::Missing,
         "",
         {exists(), write("Programs", "First", "C:\\a.exe"), write("Programs", "Second", "b"), write("Other", "x", "1"),
          file(), sections(), keys("Programs"), read("Programs", "First"), exists()}},
        {"replace in place",
         Encoding::Plain,
         "; head\r\n[A]\r\nOne=1\r\nTwo=2\r\n\r\n[B]\r\nThree=3\r\n",
         {write("a", "ONE", "uno"), write("A", "two", "dos"), write("b", "three", "tres"), file(), keys("A"),
          read("A", "one"), write("A", "Four", "4"), file()}},
        {"case of names",
         Encoding::Plain,
         "[Section]\nKey=v\n",
         {read("SECTION", "kEY"), write("section", "KEY", "w"), write("SECTION", "New", "n"), file(), sections(),
          keys("sEcTiOn")}},
        {"order",
         Encoding::Missing,
         "",
         {write("Zeta", "c", "1"), write("Alpha", "b", "2"), write("Zeta", "a", "3"), write("Mid", "z", "4"),
          write("Zeta", "b", "5"), sections(), keys("Zeta"), file()}},
        {"append after last line",
         Encoding::Plain,
         "[A]\nx=1\n\n\n[B]\ny=2\n",
         {write("A", "z", "3"), write("B", "w", "4"), write("C", "v", "5"), file()}},
        {"no final line end", Encoding::Plain, "[A]\nx=1", {write("A", "y", "2"), write("B", "z", "3"), file()}},
        {"comment at end of section",
         Encoding::Plain,
         "[A]\nx=1\n; about B\n[B]\ny=2\n",
         {write("A", "z", "3"), file()}},
        {"erase key",
         Encoding::Plain,
         "[A]\nx=1\ny=2\nX=3\n[B]\nx=4\n",
         {eraseKey("a", "X"), file(), keys("A"), eraseKey("A", "missing"), eraseKey("Missing", "x"), file(),
          eraseKey("A", "y"), file(), sections(), keys("A")}},
        {"erase section",
         Encoding::Plain,
         "[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n; tail\n",
         {eraseSection("a"), file(), sections(), eraseSection("Missing"), file(), eraseSection("b"), file()}},
        {"missing file",
         Encoding::Missing,
         "",
         {sections(), keys("S"), read("S", "k", "dflt"), eraseKey("S", "k"), exists(), eraseSection("S"), exists(),
          removeFile(), exists()}},
        {"remove file",
         Encoding::Plain,
         "[A]\nx=1\n",
         {removeFile(), exists(), sections(), read("A", "x"), removeFile(), write("A", "y", "2"), file()}},
        {"empty values",
         Encoding::Plain,
         "[A]\nempty=\nblank=   \n",
         {read("A", "empty"), read("A", "blank"), write("A", "new", ""), read("A", "new"), keys("A"),
          write("A", "blank", ""), file()}},
        {"empty names",
         Encoding::Plain,
         "[A]\nx=1\n",
         {write("A", "", "v"), write("", "k", "v"), file(), sections(), keys(""), read("", "k"), read("A", ""),
          keys("A"), write("A", "", "w"), write("", "k", "w"), file(), read("A", ""), read("", "k")}},
        {"quotes",
         Encoding::Plain,
         "[A]\nd=\"  quoted  \"\ns='single'\nm=\"mismatched'\nl=\"\ne=\"\"\ni=a \"b\" c\n",
         {read("A", "d"), read("A", "s"), read("A", "m"), read("A", "l"), read("A", "e"), read("A", "i"),
          write("A", "w", "\"q\""), read("A", "w"), write("A", "p", "  padded  "), read("A", "p"),
          write("A", "h", "'\"mixed\"'"), read("A", "h"), file()}},
        {"blanks around names",
         Encoding::Plain,
         "  [  Spaced  ]  \n  key one  =  value  \n\tTabbed\t=\tt\t\n",
         {sections(), keys("Spaced"), read("Spaced", "key one"), read(" spaced ", " KEY ONE "),
          read("spaced", "tabbed"), write(" Spaced ", " key one ", "x"), write("Spaced", " Two ", " 2 "),
          read("spaced", "two"), file()}},
        {"comments and other lines",
         Encoding::Plain,
         "[A]\n;c=1\nno equals\n=nameless\nk=v\n#hash=2\n[B\nb=1\n",
         {keys("A"), read("A", ";c"), read("A", "no equals"), read("A", "#hash"), read("A", "k"), read("A", "b"),
          sections(), write("A", "no equals", "now"), file()}},
        {"repeated names",
         Encoding::Plain,
         "[A]\nk=1\nK=2\n[a]\nk=3\nj=4\n",
         {sections(), keys("A"), read("A", "k"), read("A", "j"), write("A", "j", "5"), write("A", "K", "6"), file(),
          eraseKey("a", "k"), file()}},
        {"special characters",
         Encoding::Missing,
         "",
         {write("A", "first", "1"), write("A", "a=b", "v"), read("A", "a=b"), read("A", "a"), write("x]y", "k", "v"),
          read("x]y", "k"), sections(), write("A", ";semi", "v"), read("A", ";semi"), write("A", "[br", "v"),
          read("A", "[br"), write("A", "c", "v ; not a comment"), read("A", "c"), write("A", "eq", "a=b=c"),
          read("A", "eq"), keys("A"), file()}},
        {"line breaks in values",
         Encoding::Missing,
         "",
         {write("A", "k", "one\ntwo=2"), read("A", "k"), keys("A"), write("A", "r", "cr\rhere"), read("A", "r"),
          write("B", "k", "three\r\n[C]\r\nx=y"), sections(), file()}},
        {"long values",
         Encoding::Missing,
         "",
         {write("A", "k2047", repeated("x", 2047)), read("A", "k2047"), write("A", "k5000", repeated("ю", 2500)),
          read("A", "k5000"), write("A", "k70000", repeated("0123456789", 7000)), read("A", "k70000"),
          write("A", repeated("n", 300), "long name"), read("A", repeated("N", 300)), keys("A")}},
        {"cyrillic",
         Encoding::Own,
         cyrillic,
         {sections(), keys("Слова"), read("Слова", "Привет"), keys("слова"), read("СЛОВА", "привет"),
          read("слова", "ёлка"), read("слова", "ЁЛКА"), write("Слова", "Ёлка", "ель"), write("слова", "ПРИВЕТ", "Мир"),
          write("Слова", "кот", "кошка"), write("Новый", "Ключ", "Значение"), file(), keys("Слова"), sections()}},
        {"other scripts",
         Encoding::Missing,
         "",
         {write("Ελληνικά", "€ and 日本", "😀 ß"), read("Ελληνικά", "€ and 日本"), read("ελληνικά", "€ AND 日本"),
          sections(), keys("Ελληνικά"), file()}},
        {"windows-1251 file",
         Encoding::Cp1251,
         cyrillic,
         {sections(), keys("Слова"), read("Слова", "Привет"), keys("слова"), read("СЛОВА", "привет"),
          read("слова", "ЁЛКА"), write("Слова", "пёс", "собака"), read("Слова", "пёс"), read("слова", "пёс"), file(),
          write("Слова", "日本", "€ 😀"), read("слова", "日本"), file()}},
        {"utf-8 file with mark",
         Encoding::Utf8WithMark,
         cyrillic,
         {sections(), read("Слова", "Привет"), read("СЛОВА", "привет"), write("Слова", "пёс", "собака"),
          read("Слова", "пёс"), file()}},
        {"utf-8 file without mark",
         Encoding::Plain,
         cyrillic,
         {sections(), read("СЛОВА", "привет"), write("Слова", "пёс", "собака"), read("слова", "пёс"), file()}},
        {"many names",
         Encoding::Own,
         manyNames(600, 800),
         {keys("Словарь"), sections(), read("Словарь", "Ключ номер 799"), write("Словарь", "Ключ номер 800", "800"),
          keys("Словарь"), read("Раздел номер 599", "K"), read("СЛОВАРЬ", "ключ номер 0")}},
        {"bare name",
         Encoding::Missing,
         "",
         {write("A", "k", "v"), read("A", "k"), sections(), removeFile(), read("A", "k")},
         true},
    };
}

std::string fixtureBytes(const Case& c)
{
    switch (c.encoding) {
    case Encoding::Missing:
    case Encoding::Plain:
        return c.fixture;
    case Encoding::Own:
        return inOwnEncoding(c.fixture);
    case Encoding::Utf8WithMark:
        return "\xEF\xBB\xBF" + c.fixture;
    case Encoding::Cp1251:
        return toCp1251(c.fixture);
    }
    return c.fixture;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string outcome(bool ok)
{
    return ok ? "ok" : "failed";
}

std::string describe(const Step& step)
{
    switch (step.op) {
    case Op::Write:
        return "write(" + shown(step.section) + ", " + shown(step.key) + ", " + shown(step.value) + ")";
    case Op::Read:
        return "read(" + shown(step.section) + ", " + shown(step.key) + ", " + shown(step.value) + ")";
    case Op::Sections:
        return "sections";
    case Op::Keys:
        return "keys(" + shown(step.section) + ")";
    case Op::EraseKey:
        return "erase key(" + shown(step.section) + ", " + shown(step.key) + ")";
    case Op::EraseSection:
        return "erase section(" + shown(step.section) + ")";
    case Op::Remove:
        return "remove file";
    case Op::File:
        return "file";
    case Op::Exists:
        return "file exists";
    }
    return "?";
}

// The file name under which the bare-name case writes: unique, since the Windows directory outlives the run.
std::string bareFileName(const std::filesystem::path& work)
{
    std::string name = "trombus-differential-";
    for (char c : work.filename().string())
        name += (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ? c : '-';
    return name + ".ini";
}

} // namespace

void runIniCases(Implementation implementation, const std::filesystem::path& work, Transcript& transcript)
{
    const std::filesystem::path folder = work / "ini";
    std::filesystem::create_directories(folder);
    int number = 0;
    for (const Case& c : cases()) {
        const auto ini = makeIniFiles(implementation, folder.string());
        const std::string name =
            c.bareName ? bareFileName(work) : (folder / ("case" + std::to_string(++number) + ".ini")).string();
        const std::string path = ini->pathOf(name);
        if (c.encoding != Encoding::Missing) {
            std::ofstream out(path, std::ios::binary);
            out << fixtureBytes(c);
            if (!out)
                throw std::runtime_error("cannot write the fixture " + path);
        }
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            const std::string id = "ini/" + c.name + "/" + std::to_string(i + 1) + " " + describe(step);
            switch (step.op) {
            case Op::Write:
                transcript.add(id, outcome(ini->write(name, step.section, step.key, step.value)));
                break;
            case Op::Read:
                transcript.add(id, shown(ini->read(name, step.section, step.key, step.value)));
                break;
            case Op::Sections:
                transcript.add(id, shown(ini->sections(name)));
                break;
            case Op::Keys:
                transcript.add(id, shown(ini->keys(name, step.section)));
                break;
            case Op::EraseKey:
                transcript.add(id, outcome(ini->eraseKey(name, step.section, step.key)));
                break;
            case Op::EraseSection:
                transcript.add(id, outcome(ini->eraseSection(name, step.section)));
                break;
            case Op::Remove:
                transcript.add(id, outcome(ini->removeFile(name)));
                break;
            case Op::File: {
                const FileView view = viewFile(readBytes(path));
                transcript.add(id + ": encoding", view.encoding);
                transcript.add(id + ": line ends", view.lineEnds);
                // Wine's profile calls rewrite the whole file from their parse, dropping blank lines and blanks
                // around names and values, where we change one line and keep the others to the byte; the
                // entries are what both sides must agree on.
                transcript.add(id + ": entries", shown(view.entries, 4000));
                break;
            }
            case Op::Exists:
                transcript.add(id, std::filesystem::exists(path) ? "yes" : "no");
                break;
            }
        }
        if (c.bareName)
            ini->removeFile(name);
    }
}

} // namespace differential
