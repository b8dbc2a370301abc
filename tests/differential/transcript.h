#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "side.h"

namespace differential {

/// Observations in the order they were made, one line each: an id naming the case, the step and what was
/// asked, a tab, and what came back.
class Transcript final
{
public:
    /// Adds an observation; an id given twice is a fault of the case table and stops the program.
    void add(const std::string& id, const std::string& value);
    std::string text() const;

private:
    std::vector<std::string> m_lines;
    std::set<std::string> m_ids;
};

void runIniCases(Implementation implementation, const std::filesystem::path& work, Transcript& transcript);
void runRegistryCases(Implementation implementation, const std::filesystem::path& work, Transcript& transcript);

} // namespace differential
