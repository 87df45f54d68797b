#include "tests/storage/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace kumoji::test {

TTempFolder::TTempFolder() {
    std::string Pattern =
        (std::filesystem::temp_directory_path() / "kumoji-storage-XXXXXX").string();
    if (!::mkdtemp(Pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = Pattern;
}

TTempFolder::~TTempFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}

std::string ReadBytes(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& FileName, const std::string& Bytes) {
    std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
    Out << Bytes;
}

std::vector<std::string> FolderEntries(const std::string& Folder) {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Folder))
        Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
}

} // namespace kumoji::test
