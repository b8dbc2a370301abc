#include "testmain.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, testmain::Run>& entries()
{
    static std::map<std::string, testmain::Run> known;
    return known;
}

int listClasses(const char* program)
{
    std::fprintf(stderr, "usage: %s TEST_CLASS [QtTest arguments]\ntest classes:\n", program);
    for (const auto& entry : entries())
        std::fprintf(stderr, "  %s\n", entry.first.c_str());
    return 2;
}

} // namespace

bool testmain::add(const char* name, Run run)
{
    return entries().emplace(name, run).second;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return listClasses(argv[0]);
    const auto found = entries().find(argv[1]);
    if (found == entries().end()) {
        std::fprintf(stderr, "%s: no test class %s\n", argv[0], argv[1]);
        return listClasses(argv[0]);
    }
    // The class's run sees the program's name and then its own arguments, as its own main did.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    arguments.push_back(nullptr);
    return found->second(argc - 1, arguments.data());
}
