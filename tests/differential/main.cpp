// Runs one table of INI file and registry operations through the platform services and writes what each
// returned, so that the Linux build and the Windows build under Wine can be compared line by line.
//
//     trombus_differential service|direct WORK_FOLDER TRANSCRIPT_FILE
//
// WORK_FOLDER must be missing or empty.

#include "transcript.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>

namespace differential {

void Transcript::add(const std::string& id, const std::string& value)
{
    if (id.find_first_of("\t\n") != std::string::npos || !m_ids.insert(id).second)
        throw std::logic_error("observation id given twice or not on one line: " + id);
    m_lines.push_back(id + '\t' + value);
}

std::string Transcript::text() const
{
    std::string out;
    for (const std::string& line : m_lines)
        out += line + '\n';
    return out;
}

} // namespace differential

int main(int argc, char** argv)
{
    using namespace differential;
    if (argc != 4 || (std::string(argv[1]) != "service" && std::string(argv[1]) != "direct")) {
        std::fprintf(stderr, "usage: %s service|direct WORK_FOLDER TRANSCRIPT_FILE\n", argv[0]);
        return 2;
    }
    const Implementation implementation =
        std::string(argv[1]) == "direct" ? Implementation::Direct : Implementation::Service;
    try {
        // The cases make their files in the folder; one that holds something already is not ours to empty.
        const std::filesystem::path work = std::filesystem::absolute(argv[2]);
        if (std::filesystem::exists(work) && !std::filesystem::is_empty(work))
            throw std::runtime_error("the work folder " + work.string() + " is not empty");
        std::filesystem::create_directories(work);
        Transcript transcript;
        runIniCases(implementation, work, transcript);
        runRegistryCases(implementation, work, transcript);
        std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
        out << transcript.text();
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", argv[3]);
            return 1;
        }
    } catch (const std::exception& error) {
        removeRegistryRoots();
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    removeRegistryRoots();
    return 0;
}
