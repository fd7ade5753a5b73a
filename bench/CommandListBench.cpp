#include "Benchmarks.h"

#include "locations/CatalogueEntries.h"
#include "system/PathHelpers.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

const char* const kEdited = "c:\\progs\\edited.exe";

void Fail(const std::string& what)
{
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    ExitProcess(3);
}

// Every program name has the same length, so that none is part of another.
std::string Program(int number)
{
    char text[64];
    std::snprintf(text, sizeof text, "c:\\progs\\prog%05d.exe", number);
    return text;
}

std::string Line(int entries, int leftOut)
{
    std::string line;
    for (int number = 1; number <= entries; ++number) {
        if (number == leftOut)
            continue;
        if (!line.empty())
            line += ' ';
        line += Program(number);
    }
    return line;
}

// The texts here are plain ASCII.
std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text)
        narrow += static_cast<char>(c);
    return narrow;
}

// Cuts the program and one blank next to it out of the text, in place; the
// new length.
template <typename Char>
size_t CutOut(Char* text, size_t length, std::basic_string_view<Char> program)
{
    const std::basic_string_view<Char> line(text, length);
    size_t at = line.find(program);
    if (at == line.npos)
        return length;
    size_t count = program.size();
    if (at + count < length)
        ++count; // the blank after it
    else if (at > 0)
        --at, ++count; // the last one: the blank before it
    std::memmove(text + at, text + at + count, (length - at - count) * sizeof(Char));
    return length - count;
}

template <typename Char>
size_t Append(Char* text, size_t length, std::basic_string_view<Char> program)
{
    if (length > 0)
        text[length++] = ' ';
    std::memcpy(text + length, program.data(), program.size() * sizeof(Char));
    return length + program.size();
}

class Case {
public:
    Case(LineChange how, int entries)
        : change(how), original(Line(entries, 0)), middle(Program(entries / 2 + 1)),
          expected(Line(entries, entries / 2 + 1) + (how == LineChange::Edit ? std::string(" ") + kEdited : ""))
    {
    }
    virtual ~Case() = default;

    // Puts the whole line back before each run.
    virtual void Reset() = 0;
    virtual std::string Stored() = 0;
    virtual void Bare() = 0;

    void Bootwise(CommandListLocation& location)
    {
        if (change == LineChange::Delete)
            location.RemoveProgram(middle);
        else
            location.ReplaceProgram(middle, kEdited);
    }

    // Both ways must store the same line, or their times mean nothing.
    void Check(CommandListLocation& location)
    {
        Reset();
        Bootwise(location);
        if (Stored() != expected)
            Fail("Bootwise stored another line than expected");
        Reset();
        Bare();
        if (Stored() != expected)
            Fail("the bare change stored another line than expected");
    }

    Timing Time(CommandListLocation& location)
    {
        Check(location);
        Timing timing;
        TimePair(timing.bootwise, [&] { Bootwise(location); }, timing.floor, [&] { Bare(); }, [&] { Reset(); },
                 kLineRuns);
        return timing;
    }

protected:
    const LineChange change;
    const std::string original;
    const std::string middle;
    const std::string expected;
};

// A stand-in for win.ini, under another name: a file named win.ini has its
// [windows] section kept in the registry by the system.
class IniCase : public Case {
public:
    IniCase(LineChange how, int entries)
        : Case(how, entries), folder("ini-" + std::to_string(entries)),
          path(folder.Path() + "\\startup.ini"), widePath(Wide(path)), savedPath(WinIniPath),
          buffer(original.size() + 1024, L'\0'), wideMiddle(Wide(middle)), wideEdited(Wide(kEdited))
    {
        const std::string text = "[windows]\r\nload=\r\nrun=" + original +
                                 "\r\nNullPort=None\r\nBeep=yes\r\n\r\n[Desktop]\r\nWallpaper=(None)\r\n";
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (file == INVALID_HANDLE_VALUE ||
            !WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
            Fail("cannot write " + path);
        CloseHandle(file);
        WinIniPath = path;
    }
    ~IniCase() override { WinIniPath = savedPath; }

    void Reset() override
    {
        WritePrivateProfileStringW(L"windows", L"run", Wide(original).c_str(), widePath.c_str());
    }

    std::string Stored() override
    {
        std::wstring text(original.size() + 1024, L'\0');
        text.resize(GetPrivateProfileStringW(L"windows", L"run", L"", text.data(), static_cast<DWORD>(text.size()),
                                             widePath.c_str()));
        return Narrow(text);
    }

    // One read of the line into a buffer that holds it, the program cut out
    // where it is, one write.
    void Bare() override
    {
        wchar_t* text = buffer.data();
        size_t length = GetPrivateProfileStringW(L"windows", L"run", L"", text, static_cast<DWORD>(buffer.size()),
                                                 widePath.c_str());
        length = CutOut<wchar_t>(text, length, wideMiddle);
        if (change == LineChange::Edit)
            length = Append<wchar_t>(text, length, wideEdited);
        text[length] = L'\0';
        WritePrivateProfileStringW(L"windows", L"run", text, widePath.c_str());
    }

private:
    ScratchFolder folder;
    const std::string path;
    const std::wstring widePath;
    const std::string savedPath;
    std::wstring buffer;
    const std::wstring wideMiddle;
    const std::wstring wideEdited;
};

class RegistryCase : public Case {
public:
    RegistryCase(LineChange how, int entries)
        : Case(how, entries), buffer(original.size() + 1024, '\0')
    {
    }

    void Reset() override
    {
        HKEY key = nullptr;
        if (RegCreateKeyA(HKEY_CURRENT_USER, kNtWindowsKey, &key) != ERROR_SUCCESS)
            Fail("cannot create the key of the run value");
        RegSetValueExA(key, "run", 0, REG_SZ, reinterpret_cast<const BYTE*>(original.c_str()),
                       static_cast<DWORD>(original.size() + 1));
        RegCloseKey(key);
    }

    std::string Stored() override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kNtWindowsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return {};
        std::string text(original.size() + 1024, '\0');
        DWORD size = static_cast<DWORD>(text.size());
        if (RegQueryValueExA(key, "run", nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS)
            size = 0;
        RegCloseKey(key);
        text.resize(size);
        return text.substr(0, text.find('\0'));
    }

    void Bare() override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kNtWindowsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS)
            return;
        char* text = buffer.data();
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD type = REG_NONE;
        if (RegQueryValueExA(key, "run", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS) {
            size_t length = std::strlen(text);
            length = CutOut<char>(text, length, middle);
            if (change == LineChange::Edit)
                length = Append<char>(text, length, kEdited);
            text[length] = '\0';
            RegSetValueExA(key, "run", 0, type, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(length + 1));
        }
        RegCloseKey(key);
    }

private:
    std::string buffer;
};

} // namespace

Timing CommandLineChange(LineStore store, LineChange change, int entries)
{
    if (store == LineStore::WinIni) {
        IniCase ini(change, entries);
        WinIniRunLine location;
        return ini.Time(location);
    }
    RegistrySandbox sandbox;
    RegistryCase registry(change, entries);
    NtRunValue location;
    return registry.Time(location);
}
