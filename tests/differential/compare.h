#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace differential {

struct Observation
{
    std::string id;
    std::string value;
};

/// A difference accepted on purpose: what each side gives for one observation, and why. An id holding "*"
/// is a pattern ("*" stands for any text) that covers every observation it matches with exactly these values.
struct Deliberate
{
    std::string id;
    std::string leftValue;
    std::string rightValue;
    std::string reason;
};

struct Comparison
{
    /// Differences not listed, each written as an entry of the list would be.
    std::vector<std::string> unexplained;
    /// Listed differences that were found as listed.
    int explained = 0;
    /// Ids of listed differences the two sides no longer show (a pattern when it covered none).
    std::vector<std::string> stale;
};

/// A value the side has no observation for.
inline constexpr std::string_view kAbsent = "<absent>";

/// Lines of "id<TAB>value"; throws std::invalid_argument naming the line that is not one.
std::vector<Observation> parseTranscript(std::string_view text);

/// The list of deliberate differences. Blocks are separated by blank lines; a block starts with "#" lines
/// giving the reason, followed by its entries: an id on a line of its own, then, indented, one line
/// "<left name>: value" and one "<right name>: value". Throws std::invalid_argument naming the line at fault.
std::vector<Deliberate> parseDeliberate(std::string_view text, std::string_view leftName, std::string_view rightName);

Comparison compare(const std::vector<Observation>& left, const std::vector<Observation>& right,
                   const std::vector<Deliberate>& deliberate, std::string_view leftName, std::string_view rightName);

} // namespace differential
