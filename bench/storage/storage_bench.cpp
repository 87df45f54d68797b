#include "storage/answer_record.h"
#include "storage/delta_code.h"
#include "storage/roster.h"
#include "storage/sjis.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// About 1 MB of CP932 text: Japanese sentences mixed with ASCII record lines.
const std::string& SampleText() {
    static const std::string Text = [] {
        const char* const Japanese[] = {
            "富士山の登山口から五合目までは、バスで一時間ほどかかります。",
            "山小屋で休んだあと、八合目の先で日の出を待ちました。",
            "数独の問題を解くと、ひとつ上の位置へ進みます。",
            "時間切れになると、ひとつ下の位置へ戻ります（山小屋では戻りません）。",
        };
        std::vector<std::string> Lines;
        for (const char* Line : Japanese) {
            std::string Cp932;
            kumoji::Utf8ToCp932(Line, Cp932);
            Lines.push_back(Cp932);
        }
        std::mt19937 Random(1);
        std::string Text;
        int N = 0;
        while (Text.size() < 1000000) {
            if (Random() % 2)
                Text += Lines[Random() % Lines.size()];
            else
                Text += "P" + std::to_string(N++) + "=0," + std::to_string(Random() % 56) +
                        ",\"11,18,21,24,28,32,36,39\",\"2003/02/10 21:05:33\",0";
            Text += "\r\n";
        }
        return Text;
    }();
    return Text;
}

void BM_Encode(benchmark::State& State) {
    kumoji::TDeltaCode Coder;
    Coder.PlainStream = SampleText();
    for (auto _ : State) {
        Coder.Encode();
        benchmark::DoNotOptimize(Coder.PackedStream.data());
    }
    State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(SampleText().size()));
    State.counters["ratio"] = double(Coder.PackedStream.size()) / double(SampleText().size());
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

void BM_Decode(benchmark::State& State) {
    kumoji::TDeltaCode Coder;
    Coder.PlainStream = SampleText();
    Coder.Encode();
    for (auto _ : State) {
        if (!Coder.Decode())
            State.SkipWithError("decode failed");
        benchmark::DoNotOptimize(Coder.PlainStream.data());
    }
    State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(SampleText().size()));
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

std::string RosterFile() {
    static const std::string Name = [] {
        const auto Folder =
            std::filesystem::temp_directory_path() / ("kumoji-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder);
        return (Folder / "tozan01.ini").string();
    }();
    return Name;
}

void FillRoster(kumoji::TTabijiUsers& Users) {
    for (int I = 0; I < 10000; ++I) {
        kumoji::TTabijiUser& User =
            Users.GetUser(Users.AddUser("\x93\x6f\x8e\x52" + std::to_string(I)));
        User.Position = I % 56;
        User.Huts = "11,18,21,24,28,32,36,39";
    }
}

// The game saves the whole roster after every question.
void BM_SaveRoster10000(benchmark::State& State) {
    kumoji::TTabijiUsers Users;
    FillRoster(Users);
    for (auto _ : State)
        if (!Users.SaveToFile(RosterFile(), "userdata"))
            State.SkipWithError("save failed");
}
BENCHMARK(BM_SaveRoster10000)->Unit(benchmark::kMillisecond);

void BM_LoadRoster10000(benchmark::State& State) {
    {
        kumoji::TTabijiUsers Users;
        FillRoster(Users);
        Users.SaveToFile(RosterFile(), "userdata");
    }
    kumoji::TTabijiUsers Users;
    for (auto _ : State)
        if (!Users.LoadFromFile(RosterFile(), "userdata") || Users.GetCount() != 10000)
            State.SkipWithError("load failed");
}
BENCHMARK(BM_LoadRoster10000)->Unit(benchmark::kMillisecond);

// A full record: every question saves it with the roster, one new entry each time.
void BM_SaveRecord20000(benchmark::State& State) {
    const std::string Name = RosterFile() + ".record";
    kumoji::TTabijiUsers Users;
    Users.AddUser("P1");
    kumoji::TAnswerRecord Record;
    std::mt19937 Random(1);
    const auto Add = [&](int I) {
        kumoji::TAnswer E;
        E.Player = "P" + std::to_string(I % 4);
        E.When = 46000 + I / 500.0;
        E.Route = 1 + I % 3;
        E.Position = I % 50;
        E.Technique = 1 + I % 6;
        for (int C = 0; C < 81; ++C)
            E.Puzzle += static_cast<char>('0' + (Random() % 3 ? Random() % 10 : 0));
        E.LimitMs = 30000;
        E.UsedMs = static_cast<int>(Random() % 30000);
        E.Outcome = Random() % 4 ? kumoji::TAnswerOutcome::Right : kumoji::TAnswerOutcome::TimeOut;
        Record.Add(std::move(E));
    };
    int N = 0;
    for (; N < static_cast<int>(kumoji::TAnswerRecord::KeepNewest); ++N)
        Add(N);
    Users.SaveToFile(Name, "userdata", {&Record});
    for (auto _ : State) {
        Add(N++);
        if (!Users.SaveToFile(Name, "userdata", {&Record}))
            State.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveRecord20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(RosterFile()).parent_path());
    return 0;
}
