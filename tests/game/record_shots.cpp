// Not a test: opens the record window for an empty, a one-answer, a few-hundred-answer and a
// full record, saves each as a picture and prints how long each took to open:
// xvfb-run -a -s '-screen 0 1280x1024x24' kumoji_record_shots OUTPUT_FOLDER
#include "game/record_window.h"
#include "storage/date_text.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <random>

using namespace kumoji;

namespace {

// Count answers of one player over Days days, climbing routes 1 to 3 with losses on the way.
TAnswerRecord MadeUp(int Count, int Days) {
    TAnswerRecord Record;
    std::mt19937 Random(7);
    int Route = 1;
    int Position = 0;
    const double Start = EncodeDateTime(2026, 12, 9) - Days;
    for (int I = 0; I < Count; ++I) {
        TAnswer E;
        E.Player = "\x8e\x52\x93\x63"; // 山田
        E.When = Start + Days * (I + 0.5) / Count;
        E.Route = Route;
        E.Position = Position;
        E.Technique = Route == 1 ? 2 + I % 2 : Route == 2 ? 4 + I % 2 : 6;
        E.Practice = I % 17 == 16;
        E.Puzzle.assign(81, '0');
        E.LimitMs = 60000 - 800 * Position / 2;
        const int Skill = 8000 + 3000 * E.Technique - 40 * (I * 100 / std::max(Count, 1));
        E.UsedMs = std::max(1500, static_cast<int>(Skill * (0.4 + (Random() % 100) / 80.0)));
        const bool Right = E.UsedMs < E.LimitMs && Random() % 100 < 75;
        E.Outcome = Right                   ? TAnswerOutcome::Right
                    : E.UsedMs >= E.LimitMs ? TAnswerOutcome::TimeOut
                                            : TAnswerOutcome::WrongDigit;
        if (!Right)
            E.UsedMs = std::min(E.UsedMs, E.LimitMs);
        Record.Add(E);
        if (E.Practice)
            continue;
        Position = Right ? Position + 1 : std::max(0, Position - 1);
        if (Position == 50 && Route < 3) {
            ++Route;
            Position = 0;
        }
        Position = std::min(Position, 49); // the last route's summit is not left
    }
    return Record;
}

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    const QString Out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const double Now = EncodeDateTime(2026, 12, 9, 12);
    for (const auto& [Count, Days, Name] :
         {std::tuple{0, 1, "record-empty.png"}, std::tuple{1, 1, "record-one.png"},
          std::tuple{400, 40, "record.png"}, std::tuple{20000, 400, "record-20000.png"}}) {
        const TAnswerRecord Record = MadeUp(Count, Days);
        QElapsedTimer Clock;
        Clock.start();
        TRecordWindow Window(nullptr, Record, "\x8e\x52\x93\x63", Now);
        Window.show();
        (void)QTest::qWaitForWindowExposed(&Window);
        QCoreApplication::processEvents();
        const QPixmap Picture = Window.grab();
        std::printf("%d answers: opened and drawn in %lld ms\n", Count,
                    static_cast<long long>(Clock.elapsed()));
        Picture.save(QDir(Out).filePath(QString::fromLatin1(Name)));
    }
    return 0;
}
