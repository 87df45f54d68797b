#pragma once

#include <gtest/gtest.h>
#include <string>

namespace kumoji::test {

// A fresh folder per test, removed with everything in it afterwards.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& Name) const { return FPath + "/" + Name; }

private:
    std::string FPath;
};

std::string ReadBytes(const std::string& FileName);
void WriteBytes(const std::string& FileName, const std::string& Bytes);
// Names in the folder, sorted.
std::vector<std::string> FolderEntries(const std::string& Folder);

class StorageTest : public ::testing::Test {
protected:
    TTempFolder Folder;
};

} // namespace kumoji::test
