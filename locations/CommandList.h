#pragma once

#include <string>
#include <vector>

// A command list is one line naming several programs, such as the run= line
// of win.ini. Blanks and commas separate the programs; there is no quoting.

// Cuts the first piece off the text, up to the separator, which is dropped.
std::string TakeFirstEntry(std::string& remaining, char separator);
// The line with the entry added at its end, after one separator unless the
// line is empty or already ends with one.
std::string AppendEntry(const std::string& line, const std::string& entry, char separator);
// The line without any piece equal to the entry, rebuilt with one separator
// between pieces and none at either end.
std::string RemoveEntry(std::string line, const std::string& entry, char separator);

// The programs of a line as they are shown: the pieces between runs of
// blanks and commas.
std::vector<std::string> SplitEntries(const std::string& line);
// The line without the entry, where a comma counts as a separator as much as
// a blank; the line as it was when it does not hold the entry.
std::string RemoveListedEntry(const std::string& line, const std::string& entry);
