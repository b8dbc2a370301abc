// Compares two transcripts of trombus_differential. Differences listed in the deliberate file (when given)
// pass when both values are exactly as listed; any other difference fails.
//
//     trombus_differential_compare LEFT_NAME LEFT_FILE RIGHT_NAME RIGHT_FILE [DELIBERATE_FILE]

#include "compare.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::string contents(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    using namespace differential;
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: %s LEFT_NAME LEFT_FILE RIGHT_NAME RIGHT_FILE [DELIBERATE_FILE]\n", argv[0]);
        return 2;
    }
    const std::string leftName = argv[1];
    const std::string rightName = argv[3];
    Comparison result;
    std::size_t observations = 0;
    try {
        const auto left = parseTranscript(contents(argv[2]));
        const auto right = parseTranscript(contents(argv[4]));
        if (left.empty() || right.empty())
            throw std::runtime_error("a transcript is empty");
        const auto deliberate =
            argc == 6 ? parseDeliberate(contents(argv[5]), leftName, rightName) : std::vector<Deliberate>{};
        observations = left.size();
        result = compare(left, right, deliberate, leftName, rightName);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
    for (const std::string& id : result.stale)
        std::printf("listed as deliberate but no longer different: %s\n", id.c_str());
    for (const std::string& difference : result.unexplained)
        std::printf("UNEXPLAINED DIFFERENCE %s\n", difference.c_str());
    std::printf("%s against %s: %zu observations, %d deliberate differences, %zu unexplained\n", leftName.c_str(),
                rightName.c_str(), observations, result.explained, result.unexplained.size());
    return result.unexplained.empty() ? 0 : 1;
}
