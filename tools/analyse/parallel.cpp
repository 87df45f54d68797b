// Analysing the lines of a stream on several threads, results in input order.
#include "tools/analyse/parallel.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kumoji {

namespace {

// Small batches keep the threads evenly loaded; a bounded round keeps memory
// bounded on long inputs.
constexpr std::size_t LinesPerBatch = 16;
constexpr std::size_t BatchesPerRound = 512;

struct TBatch {
    int FirstLine = 0;
    std::vector<std::string> Lines;
    TCaptured Result;
};

// Up to a round of batches from In; LineNumber counts the lines read so far.
std::vector<TBatch> ReadRound(std::istream& In, int& LineNumber) {
    std::vector<TBatch> Round;
    std::string Line;
    while (Round.size() < BatchesPerRound) {
        TBatch Batch;
        Batch.FirstLine = LineNumber + 1;
        while (Batch.Lines.size() < LinesPerBatch && std::getline(In, Line)) {
            Batch.Lines.push_back(std::move(Line));
            ++LineNumber;
        }
        if (Batch.Lines.empty()) {
            break;
        }
        Round.push_back(std::move(Batch));
    }
    return Round;
}

} // namespace

void AnalyseStreamOnThreads(TAnalyser& Main, const TAnalyseOptions& Options, std::istream& In,
                            std::string_view Source, int Jobs) {
    std::vector<std::unique_ptr<TAnalyser>> Workers;
    for (int J = 0; J < Jobs; ++J) {
        Workers.push_back(std::make_unique<TAnalyser>(Options, nullptr, nullptr));
    }
    int LineNumber = 0;
    for (;;) {
        std::vector<TBatch> Round = ReadRound(In, LineNumber);
        if (Round.empty()) {
            break;
        }
        std::atomic<std::size_t> Next{0};
        auto Work = [&](TAnalyser& Analyser) {
            for (std::size_t B = Next++; B < Round.size(); B = Next++) {
                int Number = Round[B].FirstLine;
                for (const std::string& Line : Round[B].Lines) {
                    Analyser.AnalyseLine(Line, Source, Number++);
                }
                Round[B].Result = Analyser.TakeCaptured();
            }
        };
        {
            std::vector<std::jthread> Threads;
            for (std::size_t J = 1; J < Workers.size() && J < Round.size(); ++J) {
                Threads.emplace_back(Work, std::ref(*Workers[J]));
            }
            Work(*Workers[0]);
        }
        for (const TBatch& Batch : Round) {
            Main.Emit(Batch.Result);
        }
    }
}

} // namespace kumoji
