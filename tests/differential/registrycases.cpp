#include "text.h"
#include "transcript.h"

#include <stdexcept>

namespace differential {

namespace {

using platform::Hive;

enum class Op
{
    CreateKey,
    KeyExists,
    Write,
    Read,
    Delete,
    ValueExists,
    ValueNames,
    Subkeys,
    /// Makes a fresh service for the steps after, as the next run of the program would.
    Reopen
};

// Paths are below the case's own key unless they hold "{R}", which stands for it (so that separators in
// front of it can be tried).
struct Step
{
    Op op;
    std::string path;
    std::string name;
    std::string data;
};

struct Preset
{
    std::string path;
    std::string name;
    NonString kind;
};

struct Case
{
    std::string name;
    std::vector<Step> steps;
    std::vector<Preset> presets = {};
};

Step createKey(std::string path)
{
    return {Op::CreateKey, std::move(path), {}, {}};
}
Step keyExists(std::string path)
{
    return {Op::KeyExists, std::move(path), {}, {}};
}
Step write(std::string path, std::string name, std::string data)
{
    return {Op::Write, std::move(path), std::move(name), std::move(data)};
}
Step read(std::string path, std::string name)
{
    return {Op::Read, std::move(path), std::move(name), {}};
}
Step erase(std::string path, std::string name)
{
    return {Op::Delete, std::move(path), std::move(name), {}};
}
Step valueExists(std::string path, std::string name)
{
    return {Op::ValueExists, std::move(path), std::move(name), {}};
}
Step valueNames(std::string path)
{
    return {Op::ValueNames, std::move(path), {}, {}};
}
Step subkeys(std::string path)
{
    return {Op::Subkeys, std::move(path), {}, {}};
}
Step reopen()
{
    return {Op::Reopen, {}, {}, {}};
}

std::string repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::vector<Case> cases()
{
    const std::string special = "quote \" backslash \\ tab \t CRLF \r\n end; [x]=\"y\" @";
    return {
        {"create and exist",
         {keyExists("A"), createKey("A\\B\\C"), keyExists("A"), keyExists("a\\b"), keyExists("A\\B\\C\\D"),
          subkeys("A"), subkeys("a\\B"), createKey("A\\b\\c"), subkeys("A\\B"), reopen(), keyExists("A\\B\\C")}},
        {"write and read",
         {createKey("K"), write("K", "Name", "v"), read("K", "name"), read("K", "NAME"), read("K", "missing"),
          valueExists("K", "nAmE"), valueExists("K", "missing"), write("K", "NAME", "w"), valueNames("K"),
          read("K", "Name"), reopen(), read("K", "name")}},
        {"key must exist",
         {write("Missing", "n", "v"), keyExists("Missing"), read("Missing", "n"), valueExists("Missing", "n"),
          valueNames("Missing"), subkeys("Missing"), erase("Missing", "n")}},
        {"value order",
         {createKey("K"), write("K", "zeta", "1"), write("K", "Alpha", "2"), write("K", "mid", "3"),
          write("K", "beta", "4"), valueNames("K"), write("K", "alpha", "5"), valueNames("K"), erase("K", "mid"),
          write("K", "Mid", "6"), valueNames("K"), reopen(), valueNames("K")}},
        {"subkey order",
         {createKey("K\\zeta"), createKey("K\\Alpha"), createKey("K\\mid"), createKey("K\\Beta"), createKey("K\\_u"),
          createKey("K\\0"), subkeys("K"), reopen(), subkeys("K")}},
        {"delete",
         {createKey("K"), write("K", "a", "1"), write("K", "b", "2"), erase("K", "A"), erase("K", "a"),
          valueExists("K", "a"), read("K", "a"), valueNames("K"), erase("Missing", "a"), erase("K", ""), reopen(),
          valueNames("K")}},
        {"default value",
         {createKey("K"), read("K", ""), valueExists("K", ""), write("K", "", "dflt"), read("K", ""),
          valueExists("K", ""), valueNames("K"), reopen(), read("K", ""), erase("K", ""), valueExists("K", "")}},
        {"empty data",
         {createKey("K"), write("K", "e", ""), read("K", "e"), valueExists("K", "e"), reopen(), read("K", "e")}},
        {"special characters",
         {createKey("K"), write("K", "data", special), write("K", "name \" \\ ; = [x]", "n"),
          write("K", "back\\slash", "b"), read("K", "data"), read("K", "NAME \" \\ ; = [X]"), read("K", "BACK\\SLASH"),
          valueNames("K"), reopen(), read("K", "data"), read("K", "name \" \\ ; = [x]"), valueNames("K")}},
        {"cyrillic",
         {createKey("Ключ\\Подключ"), write("Ключ\\Подключ", "Имя", "Значение ёЁ"), read("КЛЮЧ\\подключ", "ИМЯ"),
          keyExists("ключ\\ПОДКЛЮЧ"), subkeys("ключ"), createKey("КЛЮЧ\\Ёлка"), createKey("ключ\\ёлка\\x"),
          subkeys("Ключ"), write("Ключ", "ёж", "1"), read("Ключ", "ЁЖ"), valueNames("Ключ"), reopen(),
          read("ключ\\подключ", "имя")}},
        {"other scripts",
         {createKey("Ελληνικά"), write("ελληνικά", "€ 日本", "😀 ß"), read("ΕΛΛΗΝΙΚΆ", "€ 日本"), subkeys(""), reopen(),
          read("Ελληνικά", "€ 日本")}},
        {"long texts",
         {createKey("K"), write("K", "long", repeated("Ж", 50000)), read("K", "long"),
          write("K", repeated("n", 16383), "longest name"), read("K", repeated("N", 16383)),
          write("K", repeated("n", 16384), "too long"), valueExists("K", repeated("n", 16384)),
          createKey(repeated("k", 255)), keyExists(repeated("K", 255)), createKey(repeated("k", 256)),
          keyExists(repeated("k", 256)), reopen(), read("K", "long")}},
        {"separators",
         {createKey("\\{R}\\Lead"), keyExists("{R}\\Lead"), createKey("{R}\\Trail\\"), keyExists("{R}\\Trail"),
          createKey("{R}\\Double\\\\X"), keyExists("{R}\\Double\\X"), createKey("{R}\\Dot\\.\\Y"),
          createKey("{R}\\Slash/Z"), subkeys("{R}"), subkeys("{R}\\Double"), keyExists("\\{R}\\Lead\\"),
          write("\\{R}\\Lead", "n", "v"), read("{R}\\Lead\\", "n")}},
        {"line breaks in key names",
         {createKey("Line\nBreak"), keyExists("Line\nBreak"), createKey("Return\rHere"), subkeys("")}},
        {"spelling of existing keys",
         {createKey("Mixed"), createKey("MIXED\\Sub"), createKey("mixed\\SUB\\deep"), subkeys(""), subkeys("mixed"),
          subkeys("MIXED\\sub"), reopen(), subkeys("")}},
        {"values of other types",
         {read("K", "number"), valueExists("K", "number"), read("K", "expand"), valueExists("K", "expand"),
          valueNames("K"), write("K", "NUMBER", "now text"), read("K", "number"), valueNames("K"), reopen(),
          read("K", "number"), read("K", "expand")},
         {{"K", "number", NonString::Number}, {"K", "expand", NonString::ExpandableString}}},
    };
}

std::string outcome(bool ok)
{
    return ok ? "ok" : "failed";
}

std::string resolved(const std::string& path, const std::string& root)
{
    const std::size_t at = path.find("{R}");
    if (at != std::string::npos)
        return path.substr(0, at) + root + path.substr(at + 3);
    return path.empty() ? root : root + "\\" + path;
}

std::string describe(const Step& step)
{
    const std::string path = shown(step.path, 40);
    switch (step.op) {
    case Op::CreateKey:
        return "create key(" + path + ")";
    case Op::KeyExists:
        return "key exists(" + path + ")";
    case Op::Write:
        return "write(" + path + ", " + shown(step.name, 40) + ", " + shown(step.data, 60) + ")";
    case Op::Read:
        return "read(" + path + ", " + shown(step.name, 40) + ")";
    case Op::Delete:
        return "delete(" + path + ", " + shown(step.name, 40) + ")";
    case Op::ValueExists:
        return "value exists(" + path + ", " + shown(step.name, 40) + ")";
    case Op::ValueNames:
        return "value names(" + path + ")";
    case Op::Subkeys:
        return "subkeys(" + path + ")";
    case Op::Reopen:
        return "reopen";
    }
    return "?";
}

} // namespace

void runRegistryCases(Implementation implementation, const std::filesystem::path& work, Transcript& transcript)
{
    int number = 0;
    for (const Case& c : cases()) {
        const std::string folder = (work / "registry" / ("case" + std::to_string(++number))).string();
        std::filesystem::create_directories(folder);
        const std::string root = registryRoot(c.name);
        for (const Preset& preset : c.presets) {
            if (!putNonString(folder, resolved(preset.path, root), preset.name, preset.kind))
                throw std::runtime_error("cannot put the value " + preset.name + " of the case " + c.name);
        }
        auto registry = makeRegistry(implementation, folder);
        const Hive hive = Hive::CurrentUser;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            const std::string id = "registry/" + c.name + "/" + std::to_string(i + 1) + " " + describe(step);
            const std::string path = resolved(step.path, root);
            switch (step.op) {
            case Op::CreateKey:
                transcript.add(id, outcome(registry->createKey(hive, path)));
                break;
            case Op::KeyExists:
                transcript.add(id, registry->keyExists(hive, path) ? "yes" : "no");
                break;
            case Op::Write:
                transcript.add(id, outcome(registry->writeString(hive, path, step.name, step.data)));
                break;
            case Op::Read: {
                const auto value = registry->readString(hive, path, step.name);
                transcript.add(id, value ? shown(*value) : "<none>");
                break;
            }
            case Op::Delete:
                transcript.add(id, outcome(registry->deleteValue(hive, path, step.name)));
                break;
            case Op::ValueExists:
                transcript.add(id, registry->valueExists(hive, path, step.name) ? "yes" : "no");
                break;
            case Op::ValueNames:
                transcript.add(id, shown(registry->valueNames(hive, path)));
                break;
            case Op::Subkeys:
                transcript.add(id, shown(registry->subkeys(hive, path)));
                break;
            case Op::Reopen:
                registry = makeRegistry(implementation, folder);
                break;
            }
        }
    }
}

} // namespace differential
