#include "CommandList.h"

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == ',';
}

// Calls visit(start, length) for each piece between runs of blanks and commas.
template <typename Visit>
void ForEachPiece(const std::string& line, Visit visit)
{
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsSeparator(line[at]))
            ++at;
        size_t end = at;
        while (end < line.size() && !IsSeparator(line[end]))
            ++end;
        if (end > at)
            visit(at, end - at);
        at = end;
    }
}

} // namespace

std::string TakeFirstEntry(std::string& remaining, char separator)
{
    const size_t at = remaining.find(separator);
    std::string piece;
    if (at == std::string::npos) {
        piece.swap(remaining);
    } else {
        piece = remaining.substr(0, at);
        remaining.erase(0, at + 1);
    }
    return piece;
}

std::string AppendEntry(const std::string& line, const std::string& entry, char separator)
{
    if (line.empty())
        return entry;
    if (line.back() == separator)
        return line + entry;
    return line + separator + entry;
}

std::string RemoveEntry(std::string line, const std::string& entry, char separator)
{
    // Walks the line by position rather than cutting pieces off its front,
    // which would copy the rest of a long line once per piece.
    std::string result;
    size_t at = 0;
    while (at < line.size()) {
        size_t end = line.find(separator, at);
        if (end == std::string::npos)
            end = line.size();
        const size_t length = end - at;
        if (length > 0 && line.compare(at, length, entry) != 0) {
            if (!result.empty())
                result += separator;
            result.append(line, at, length);
        }
        at = end + 1;
    }
    return result;
}

std::vector<std::string> SplitEntries(const std::string& line)
{
    std::vector<std::string> entries;
    ForEachPiece(line, [&](size_t start, size_t length) { entries.push_back(line.substr(start, length)); });
    return entries;
}

std::string RemoveListedEntry(const std::string& line, const std::string& entry)
{
    std::string rest;
    bool found = false;
    ForEachPiece(line, [&](size_t start, size_t length) {
        if (line.compare(start, length, entry) == 0) {
            found = true;
            return;
        }
        if (!rest.empty())
            rest += ' ';
        rest.append(line, start, length);
    });
    return found ? rest : line;
}
