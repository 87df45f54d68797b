// Running the analysis tool as a program, with its input, output and exit status.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kumoji::test {

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

inline std::string ReadAll(const std::filesystem::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream Text;
    Text << In.rdbuf();
    return Text.str();
}

// Runs the tool with Input on standard input; with Merged, its standard error
// goes into Out too, interleaved as written.
inline TRun RunTool(const std::string& Arguments, const std::string& Input, bool Merged = false) {
    const auto Dir = std::filesystem::temp_directory_path() /
                     ("kumoji_analyse_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    std::ofstream(Dir / "in", std::ios::binary) << Input;
    const std::string Command = std::string("'") + KUMOJI_ANALYSE + "' " + Arguments + " < '" +
                                (Dir / "in").string() + "' > '" + (Dir / "out").string() +
                                (Merged ? "' 2>&1" : "' 2> '" + (Dir / "err").string() + "'");
    const int Status = std::system(Command.c_str());
    TRun Result{WIFEXITED(Status) ? WEXITSTATUS(Status) : -1, ReadAll(Dir / "out"),
                ReadAll(Dir / "err")};
    std::filesystem::remove_all(Dir);
    return Result;
}

} // namespace kumoji::test
