#include "locations/CommandList.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::string>;

TEST(CommandList, TakeFirstEntry)
{
    struct Case {
        const char* text;
        const char* piece;
        const char* rest;
    };
    const Case cases[] = {
        {"a.exe b.exe", "a.exe", "b.exe"},
        {"a.exe", "a.exe", ""},
        {"", "", ""},
        {" a.exe", "", "a.exe"},
        {"a.exe  b.exe", "a.exe", " b.exe"},
        {"a.exe,b.exe", "a.exe,b.exe", ""},
    };
    for (const Case& c : cases) {
        std::string remaining = c.text;
        EXPECT_EQ(c.piece, TakeFirstEntry(remaining, ' ')) << '"' << c.text << '"';
        EXPECT_EQ(c.rest, remaining) << '"' << c.text << '"';
    }
}

TEST(CommandList, AppendEntry)
{
    struct Case {
        const char* line;
        const char* entry;
        const char* result;
    };
    const Case cases[] = {
        {"a.exe", "b.exe", "a.exe b.exe"},
        {"", "b.exe", "b.exe"},
        {"a.exe ", "b.exe", "a.exe b.exe"},
        {"a.exe", "", "a.exe "},
        {"a.exe ", "", "a.exe "},
        {"", "", ""},
        {"a.exe", "a.exe", "a.exe a.exe"},
        {"a.exe", "c d,e", "a.exe c d,e"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, AppendEntry(c.line, c.entry, ' ')) << '"' << c.line << "\" + \"" << c.entry << '"';
}

TEST(CommandList, RemoveEntry)
{
    struct Case {
        const char* line;
        const char* entry;
        const char* result;
    };
    const Case cases[] = {
        {"a.exe b.exe a.exe", "a.exe", "b.exe"},
        {"a.exe  b.exe c.exe", "b.exe", "a.exe c.exe"},
        {" a.exe b.exe", "b.exe", "a.exe"},
        {"a.exe ", "a.exe", ""},
        {"a.exe", "a.exe", ""},
        {"", "a.exe", ""},
        {"A.EXE a.exe", "A.EXE", "a.exe"},
        {"a.exe,b.exe c.exe", "b.exe", "a.exe,b.exe c.exe"},
        {"   ", "x", ""},
        {"a.exe b.exe", "c.exe", "a.exe b.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, RemoveEntry(c.line, c.entry, ' ')) << '"' << c.line << "\" - \"" << c.entry << '"';
}

TEST(CommandList, SplitEntries)
{
    const std::pair<const char*, Entries> cases[] = {
        {"a.exe b.exe c.exe", {"a.exe", "b.exe", "c.exe"}},
        {" ,, a.exe , ,b.exe,,c.exe ,", {"a.exe", "b.exe", "c.exe"}},
        {"c:\\progra~1\\tool.exe /x", {"c:\\progra~1\\tool.exe", "/x"}},
        {"", {}},
        {" , ,,  ", {}},
        {"a.exe a.exe", {"a.exe", "a.exe"}},
        {"\"c:\\my tool.exe\"", {"\"c:\\my", "tool.exe\""}},
        {"tab\there", {"tab\there"}},
    };
    for (const auto& [line, entries] : cases)
        EXPECT_EQ(entries, SplitEntries(line)) << '"' << line << '"';
}

TEST(CommandList, RemoveListedEntryMatchesWhatTheListShows)
{
    struct Case {
        const char* line;
        const char* entry;
        const char* result;
    };
    const Case cases[] = {
        // Commas separate as blanks do, and every other entry stays.
        {"a.exe,b.exe c.exe", "b.exe", "a.exe c.exe"},
        {"a.exe,b.exe", "a.exe", "b.exe"},
        {",a.exe,,b.exe,", "b.exe", "a.exe"},
        {"a.exe b.exe a.exe", "a.exe", "b.exe"},
        // A line without the entry is handed back exactly as it was.
        {"a.exe,b.exe  c.exe", "d.exe", "a.exe,b.exe  c.exe"},
        {"", "a.exe", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, RemoveListedEntry(c.line, c.entry)) << '"' << c.line << "\" - \"" << c.entry << '"';
}

} // namespace
