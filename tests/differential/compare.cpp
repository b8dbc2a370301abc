#include "compare.h"

#include <map>
#include <set>
#include <stdexcept>

namespace differential {

namespace {

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.push_back(line);
        start = end + 1;
    }
    return out;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::invalid_argument faultAt(std::size_t line, const std::string& what)
{
    return std::invalid_argument("line " + std::to_string(line + 1) + ": " + what);
}

std::map<std::string, std::string> byId(const std::vector<Observation>& observations)
{
    std::map<std::string, std::string> out;
    for (const Observation& observation : observations)
        out.emplace(observation.id, observation.value);
    return out;
}

bool isPattern(std::string_view id)
{
    return id.find('*') != std::string_view::npos;
}

// Whether `text` matches `pattern`, where "*" stands for any text.
bool matches(std::string_view pattern, std::string_view text)
{
    const std::size_t star = pattern.find('*');
    if (star == std::string_view::npos)
        return pattern == text;
    if (!text.starts_with(pattern.substr(0, star)))
        return false;
    const std::string_view rest = pattern.substr(star + 1);
    for (std::size_t at = star; at <= text.size(); ++at) {
        if (matches(rest, text.substr(at)))
            return true;
    }
    return false;
}

} // namespace

std::vector<Observation> parseTranscript(std::string_view text)
{
    std::vector<Observation> out;
    std::set<std::string> seen;
    const auto all = lines(text);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::size_t tab = all[i].find('\t');
        if (tab == std::string_view::npos || tab == 0)
            throw faultAt(i, "not an observation");
        Observation observation{std::string(all[i].substr(0, tab)), std::string(all[i].substr(tab + 1))};
        if (!seen.insert(observation.id).second)
            throw faultAt(i, "id given twice: " + observation.id);
        out.push_back(std::move(observation));
    }
    return out;
}

std::vector<Deliberate> parseDeliberate(std::string_view text, std::string_view leftName, std::string_view rightName)
{
    std::vector<Deliberate> out;
    std::set<std::string> seen;
    std::string reason;
    bool reasonOpen = true;
    const auto all = lines(text);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string_view line = all[i];
        if (trimmed(line).empty()) {
            reason.clear();
            reasonOpen = true;
            continue;
        }
        if (line.front() == '#') {
            if (!reasonOpen)
                throw faultAt(i, "a reason after entries; start a new block with a blank line");
            reason += std::string(trimmed(line.substr(1))) + ' ';
            continue;
        }
        if (line.front() == ' ' || line.front() == '\t')
            throw faultAt(i, "a value without its id");
        if (reason.empty())
            throw faultAt(i, "an entry without a reason");
        reasonOpen = false;
        Deliberate entry{std::string(line), {}, {}, reason};
        const auto value = [&](std::size_t at, std::string_view name) {
            const std::string prefix = std::string(name) + ':';
            if (at >= all.size() || (all[at].substr(0, 1) != " " && all[at].substr(0, 1) != "\t") ||
                !trimmed(all[at]).starts_with(prefix))
                throw faultAt(at, "expected the indented line \"" + prefix + " value\"");
            return std::string(trimmed(trimmed(all[at]).substr(prefix.size())));
        };
        entry.leftValue = value(i + 1, leftName);
        entry.rightValue = value(i + 2, rightName);
        i += 2;
        if (entry.leftValue == entry.rightValue)
            throw faultAt(i, "the two values are the same");
        const std::string key =
            isPattern(entry.id) ? entry.id + '\t' + entry.leftValue + '\t' + entry.rightValue : entry.id;
        if (!seen.insert(key).second)
            throw faultAt(i, "id listed twice: " + entry.id);
        out.push_back(std::move(entry));
    }
    return out;
}

Comparison compare(const std::vector<Observation>& left, const std::vector<Observation>& right,
                   const std::vector<Deliberate>& deliberate, std::string_view leftName, std::string_view rightName)
{
    const auto leftValues = byId(left);
    const auto rightValues = byId(right);
    std::map<std::string, const Deliberate*> listed;
    std::vector<const Deliberate*> patterns;
    for (const Deliberate& entry : deliberate) {
        if (isPattern(entry.id))
            patterns.push_back(&entry);
        else
            listed.emplace(entry.id, &entry);
    }
    std::set<const Deliberate*> used;

    // Ids in the left side's order, then those only the right side has.
    std::vector<std::string> ids;
    for (const Observation& observation : left)
        ids.push_back(observation.id);
    for (const Observation& observation : right) {
        if (!leftValues.count(observation.id))
            ids.push_back(observation.id);
    }

    Comparison result;
    std::set<std::string> differing;
    for (const std::string& id : ids) {
        const auto l = leftValues.find(id);
        const auto r = rightValues.find(id);
        const std::string leftValue = l == leftValues.end() ? std::string(kAbsent) : l->second;
        const std::string rightValue = r == rightValues.end() ? std::string(kAbsent) : r->second;
        if (leftValue == rightValue)
            continue;
        differing.insert(id);
        const auto covers = [&](const Deliberate* entry) {
            return matches(entry->id, id) && entry->leftValue == leftValue && entry->rightValue == rightValue;
        };
        const auto entry = listed.find(id);
        const Deliberate* explaining = entry != listed.end() && covers(entry->second) ? entry->second : nullptr;
        for (std::size_t i = 0; !explaining && i < patterns.size(); ++i)
            explaining = covers(patterns[i]) ? patterns[i] : nullptr;
        if (explaining) {
            used.insert(explaining);
            ++result.explained;
            continue;
        }
        result.unexplained.push_back(id + "\n    " + std::string(leftName) + ": " + leftValue + "\n    " +
                                     std::string(rightName) + ": " + rightValue);
    }
    for (const Deliberate& entry : deliberate) {
        if (isPattern(entry.id) ? !used.count(&entry) : !differing.count(entry.id))
            result.stale.push_back(entry.id);
    }
    return result;
}

} // namespace differential
