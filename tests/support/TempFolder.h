#pragma once

#include <string>
#include <vector>

// A fresh folder under the temp directory, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }

private:
    std::string path;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> FolderNames(const std::string& folder);
void RemoveTree(const std::string& path);
