#pragma once

#include "engine/grid/matrix.h"
#include "engine/techniques/solve_method.h"

#include <cstddef>
#include <cstdio>
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kumoji {

struct TAnalyseOptions {
    bool Solve = false;
    bool Deep = false;
    bool Json = false;
    // Follows each fit position with the explanation of its forced move.
    bool Explain = false;
};

// The identifier of a technique as the tool prints it; "none" for a move
// that only the assumption techniques would find.
std::string_view TechniqueName(TSolveMethod Technique);

// What an analyser without files produced: the results, and each error
// message with the length of the results written before it.
struct TCaptured {
    std::string Text;
    std::vector<std::pair<std::size_t, std::string>> Errors;
};

// Runs puzzle texts through the question check, with the explainer or not, or
// through the answer step, and writes one result per puzzle to Out; problems
// with the input go to Err. With no Out, it captures both for a later Emit
// instead.
class TAnalyser {
public:
    TAnalyser(const TAnalyseOptions& Options, std::FILE* Out, std::FILE* Err);
    ~TAnalyser();

    // Source names the input in error messages; LineNumber counts from 1.
    void AnalyseLine(std::string_view Line, std::string_view Source, int LineNumber);
    void AnalyseStream(std::istream& In, std::string_view Source);
    void Comment(std::string_view Text);
    void Error(std::string_view Message);
    void Flush();

    // Hands over what was captured so far, and writes such a capture as if
    // its lines had been analysed here.
    TCaptured TakeCaptured();
    void Emit(const TCaptured& Captured);

    // True once any input was rejected.
    bool Failed() const { return HadError; }

private:
    struct TStep {
        int Col;
        int Row;
        int Digit;
        TSolveMethod Technique;
    };

    void Question(std::string_view Text, std::string_view Source, int LineNumber);
    void Solve(std::string_view Text);
    bool Check(std::string_view Line, std::string_view Source, int LineNumber);

    TAnalyseOptions Options;
    std::FILE* Out;
    std::FILE* Err;
    std::string Buffer;
    bool HadError = false;
    std::vector<std::pair<std::size_t, std::string>> Errors;
    TMatrix Grid;
    std::vector<TStep> Steps;
};

} // namespace kumoji
