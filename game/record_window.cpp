// The "記録 record" window: a player's figures per technique and per day, and two charts.
#include "game/record_window.h"

#include "engine/techniques/solve_method.h"
#include "game/name_prompt.h"
#include "game/window_style.h"

#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace kumoji {

namespace {

// One colour a technique, the same in both charts and the table.
const std::array<QColor, HighestTechnique + 1> TechniqueColours = {Qt::black,
                                                                   QColor(31, 119, 180),
                                                                   QColor(44, 160, 44),
                                                                   QColor(255, 127, 14),
                                                                   QColor(148, 103, 189),
                                                                   QColor(214, 39, 40),
                                                                   QColor(140, 86, 75),
                                                                   QColor(227, 119, 194),
                                                                   QColor(127, 127, 127),
                                                                   Qt::black,
                                                                   QColor(188, 189, 34),
                                                                   QColor(23, 190, 207),
                                                                   QColor(57, 59, 121),
                                                                   QColor(140, 162, 82),
                                                                   QColor(189, 158, 57),
                                                                   QColor(173, 73, 74),
                                                                   QColor(165, 81, 148),
                                                                   QColor(99, 121, 57)};

// The techniques the table lists: those of the first routes always, the others once asked.
std::vector<int> ListedTechniques(const TTechniqueTable& AllTime) {
    std::vector<int> Listed;
    for (int T = 1; T <= HighestTechnique; ++T)
        if (T <= smOurReserved || AllTime[static_cast<std::size_t>(T)].Asked > 0)
            Listed.push_back(T);
    return Listed;
}

QString TechniqueName(int Technique) {
    return FromUtf8View(SolveMethodCaptions[static_cast<std::size_t>(Technique)]);
}

// Above this many answers the charts show one point a day: single answers would be a blur.
constexpr std::size_t DailyAbove = 1500;

// The answers of each day as one point: the median of its times, per technique when
// ByTechnique (else of all), its mean limit, and the position after its last climb.
std::vector<TAnswerPoint> Daily(const std::vector<TAnswerPoint>& Points, bool ByTechnique) {
    std::map<std::pair<long long, int>, std::vector<const TAnswerPoint*>> Groups;
    for (const TAnswerPoint& P : Points)
        Groups[{static_cast<long long>(std::floor(P.When)), ByTechnique ? P.Technique : 0}]
            .push_back(&P);
    std::vector<TAnswerPoint> Result;
    for (auto& [Key, Group] : Groups) {
        TAnswerPoint Day = *Group.back();
        Day.When = static_cast<double>(Key.first) + 0.5;
        std::vector<int> Used;
        long long Limits = 0;
        for (const TAnswerPoint* P : Group) {
            Used.push_back(P->UsedMs);
            Limits += P->LimitMs;
        }
        std::nth_element(Used.begin(), Used.begin() + static_cast<std::ptrdiff_t>(Used.size() / 2),
                         Used.end());
        Day.UsedMs = Used[Used.size() / 2];
        Day.LimitMs = static_cast<int>(Limits / static_cast<long long>(Group.size()));
        Result.push_back(Day);
    }
    std::stable_sort(Result.begin(), Result.end(),
                     [](const TAnswerPoint& A, const TAnswerPoint& B) { return A.When < B.When; });
    return Result;
}

QString Seconds(int Ms) {
    return Ms > 0 ? QString::number(Ms / 1000.0, 'f', 1) : QStringLiteral("—");
}

qint64 MsSinceEpoch(double When) {
    // Days since 1899-12-30 in local time, as the entries keep them.
    const QDateTime Zero(QDate(1899, 12, 30), QTime(0, 0));
    return Zero.addMSecs(static_cast<qint64>(When * 86400000.0)).toMSecsSinceEpoch();
}

QTableWidgetItem* Cell(const QString& Text, Qt::Alignment Align = Qt::AlignRight) {
    auto* Item = new QTableWidgetItem(Text);
    Item->setTextAlignment(Align | Qt::AlignVCenter);
    Item->setFlags(Qt::ItemIsEnabled);
    return Item;
}

QWidget* NothingYet(const QString& What) {
    auto* Label = new QLabel(What + QStringLiteral("\nまだ記録がありません no answers yet"));
    Label->setAlignment(Qt::AlignCenter);
    Label->setFrameShape(QFrame::StyledPanel);
    Label->setMinimumSize(480, 240);
    return Label;
}

QDateTimeAxis* TimeAxis(const std::vector<TAnswerPoint>& Points, int Ticks) {
    auto* Axis = new QDateTimeAxis;
    const qint64 First = MsSinceEpoch(Points.front().When);
    const qint64 Last = MsSinceEpoch(Points.back().When);
    // One answer, or a morning's worth, still spans a readable range.
    const qint64 Pad = std::max<qint64>((Last - First) / 40, 30 * 60 * 1000);
    Axis->setRange(QDateTime::fromMSecsSinceEpoch(First - Pad),
                   QDateTime::fromMSecsSinceEpoch(Last + Pad));
    const bool Days = Last - First > 2LL * 86400000;
    Axis->setFormat(Days ? QStringLiteral("MM/dd") : QStringLiteral("hh:mm"));
    Axis->setTickCount(Ticks);
    return Axis;
}

} // namespace

TRecordWindow::TRecordWindow(QWidget* Parent, const TAnswerRecord& Record,
                             const std::string& Player, double Now)
    : QDialog(Parent), FStatistics(PlayerStatistics(Record, Player, Now)) {
    setWindowTitle(QStringLiteral("記録 record — ") + NameText(Player));
    auto* Layout = new QHBoxLayout(this);
    auto* Left = new QVBoxLayout;
    auto* Summary = new QLabel(QStringLiteral("%1 さん: 全 %2 問 %2 questions asked")
                                   .arg(NameText(Player))
                                   .arg(FStatistics.Total));
    Left->addWidget(Summary);
    FTechniques = new QTableWidget(this);
    FillTechniques();
    Left->addWidget(FTechniques);
    Left->addWidget(new QLabel(QStringLiteral("日ごと per day")));
    FDays = new QTableWidget(this);
    FillDays();
    Left->addWidget(FDays, 1);
    Layout->addLayout(Left);
    auto* Right = new QVBoxLayout;
    Right->addWidget(TimesChart(), 1);
    Right->addWidget(PositionChart(), 1);
    Layout->addLayout(Right, 1);
    resize(1180, 760);
}

void TRecordWindow::FillTechniques() {
    const QStringList Headers{
        QStringLiteral("技 technique"),     QStringLiteral("出題\nasked"),
        QStringLiteral("正解\nright"),      QStringLiteral("正解率\nshare"),
        QStringLiteral("中央値\nmedian s"), QStringLiteral("最速\nbest s"),
        QStringLiteral("30日 出題\nasked"), QStringLiteral("30日 正解\nright"),
        QStringLiteral("30日\nshare"),      QStringLiteral("30日\nmedian s"),
        QStringLiteral("30日\nbest s")};
    FTechniques->setColumnCount(static_cast<int>(Headers.size()));
    FTechniques->setHorizontalHeaderLabels(Headers);
    const std::vector<int> Listed = ListedTechniques(FStatistics.AllTime);
    FTechniques->setRowCount(static_cast<int>(Listed.size()));
    FTechniques->verticalHeader()->hide();
    for (int Row = 0; Row < static_cast<int>(Listed.size()); ++Row) {
        const int T = Listed[static_cast<std::size_t>(Row)];
        auto* Name = Cell(CaptionParts(T).LevelAndJapanese(), Qt::AlignLeft);
        Name->setToolTip(TechniqueName(T));
        Name->setForeground(TechniqueColours[static_cast<std::size_t>(T)]);
        FTechniques->setItem(Row, 0, Name);
        int Column = 1;
        for (const auto* Figures : {&FStatistics.AllTime, &FStatistics.Recent}) {
            const TTechniqueFigures& F = (*Figures)[static_cast<std::size_t>(T)];
            FTechniques->setItem(Row, Column++, Cell(QString::number(F.Asked)));
            FTechniques->setItem(Row, Column++, Cell(QString::number(F.Right)));
            FTechniques->setItem(
                Row, Column++,
                Cell(F.Asked > 0 ? QString::number(100.0 * F.Share(), 'f', 0) + QStringLiteral("%")
                                 : QStringLiteral("—")));
            FTechniques->setItem(Row, Column++, Cell(Seconds(F.MedianMs)));
            FTechniques->setItem(Row, Column++, Cell(Seconds(F.BestMs)));
        }
    }
    FTechniques->resizeColumnsToContents();
    FTechniques->resizeRowsToContents();
    FTechniques->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    FTechniques->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TRecordWindow::FillDays() {
    FDays->setColumnCount(4);
    FDays->setHorizontalHeaderLabels({QStringLiteral("日 day"), QStringLiteral("出題 asked"),
                                      QStringLiteral("登った climbed"),
                                      QStringLiteral("下がった lost")});
    FDays->verticalHeader()->hide();
    const auto& Days = FStatistics.Days;
    FDays->setRowCount(static_cast<int>(Days.size()));
    // Newest first: the days a player looks for are the last few.
    for (std::size_t I = 0; I < Days.size(); ++I) {
        const TDayFigures& D = Days[Days.size() - 1 - I];
        const int Row = static_cast<int>(I);
        FDays->setItem(Row, 0, Cell(QString::fromStdString(D.Day), Qt::AlignLeft));
        FDays->setItem(Row, 1, Cell(QString::number(D.Asked)));
        FDays->setItem(Row, 2, Cell(QString::number(D.Climbed)));
        FDays->setItem(Row, 3, Cell(QString::number(D.Lost)));
    }
    FDays->resizeColumnsToContents();
}

QWidget* TRecordWindow::TimesChart() {
    const bool PerDay = FStatistics.Points.size() > DailyAbove;
    const QString Title = PerDay ? QStringLiteral("解答時間 (日ごとの中央値) time per question, "
                                                  "median of each day (s)")
                                 : QStringLiteral("解答時間 time per question (s)");
    if (FStatistics.Points.empty())
        return NothingYet(Title);
    const std::vector<TAnswerPoint> Points =
        PerDay ? Daily(FStatistics.Points, true) : FStatistics.Points;
    auto* Chart = new QChart;
    Chart->setTitle(Title);
    auto* Axis = TimeAxis(Points, 4);
    auto* Value = new QValueAxis;
    Value->setTitleText(QStringLiteral("秒 s"));
    Chart->addAxis(Axis, Qt::AlignBottom);
    Chart->addAxis(Value, Qt::AlignLeft);
    auto* Limit = new QLineSeries;
    Limit->setName(QStringLiteral("制限時間 limit"));
    Limit->setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
    std::array<QScatterSeries*, HighestTechnique + 1> ByTechnique{};
    int Highest = 1;
    QList<QPointF> LimitPoints;
    std::array<QList<QPointF>, HighestTechnique + 1> Dots;
    for (const TAnswerPoint& P : Points) {
        const qreal X = static_cast<qreal>(MsSinceEpoch(P.When));
        if (P.Technique < 1 || P.Technique > HighestTechnique)
            continue;
        Dots[static_cast<std::size_t>(P.Technique)].append({X, P.UsedMs / 1000.0});
        // Drawn once per moment, in time order, even when several techniques share a day.
        if (LimitPoints.isEmpty() || LimitPoints.back().x() < X)
            LimitPoints.append({X, P.LimitMs / 1000.0});
        Highest = std::max({Highest, P.UsedMs, P.LimitMs});
    }
    Limit->replace(LimitPoints);
    for (std::size_t T = 1; T < Dots.size(); ++T) {
        if (Dots[T].isEmpty())
            continue;
        ByTechnique[T] = new QScatterSeries;
        // Legends elide long names: the Japanese name alone, the table gives the level.
        ByTechnique[T]->setName(CaptionParts(static_cast<int>(T)).Japanese);
        ByTechnique[T]->setColor(TechniqueColours[T]);
        ByTechnique[T]->setBorderColor(TechniqueColours[T]);
        // Thousands of answers stay legible as small dots.
        ByTechnique[T]->setMarkerSize(Points.size() > 600 ? 4 : 7);
        ByTechnique[T]->replace(Dots[T]);
        Chart->addSeries(ByTechnique[T]);
        ByTechnique[T]->attachAxis(Axis);
        ByTechnique[T]->attachAxis(Value);
    }
    Chart->addSeries(Limit);
    Limit->attachAxis(Axis);
    Limit->attachAxis(Value);
    Value->setRange(0, Highest / 1000.0 * 1.05);
    // Beside the plot, where the names have room.
    Chart->legend()->setAlignment(Qt::AlignRight);
    Chart->legend()->setShowToolTips(true);
    auto* View = new QChartView(Chart);
    View->setRenderHint(QPainter::Antialiasing);
    View->setMinimumSize(480, 300);
    return View;
}

QWidget* TRecordWindow::PositionChart() {
    std::vector<TAnswerPoint> Climb;
    std::copy_if(FStatistics.Points.begin(), FStatistics.Points.end(), std::back_inserter(Climb),
                 [](const TAnswerPoint& P) { return !P.Practice; });
    const bool PerDay = Climb.size() > DailyAbove;
    const QString Title = PerDay ? QStringLiteral("ルート上の位置 (日ごと) position on the route, "
                                                  "each day's last")
                                 : QStringLiteral("ルート上の位置 position on the route");
    if (Climb.empty())
        return NothingYet(Title);
    if (PerDay)
        Climb = Daily(Climb, false);
    auto* Chart = new QChart;
    Chart->setTitle(Title);
    auto* Axis = TimeAxis(Climb, 6);
    auto* Value = new QValueAxis;
    Value->setRange(0, 55);
    Value->setTickCount(12);
    Value->setLabelFormat(QStringLiteral("%d"));
    Chart->addAxis(Axis, Qt::AlignBottom);
    Chart->addAxis(Value, Qt::AlignLeft);
    // One line a route, so that the start of a new route does not read as a fall.
    const auto AddRoute = [&](int Route, const QList<QPointF>& Line) {
        auto* Series = new QLineSeries;
        Series->setName(QStringLiteral("ルート route %1").arg(Route));
        Series->replace(Line);
        // A single answer is a point, not a line of no length.
        Series->setPointsVisible(Line.size() < 100);
        Chart->addSeries(Series);
        Series->attachAxis(Axis);
        Series->attachAxis(Value);
    };
    QList<QPointF> Line;
    int Route = Climb.front().Route;
    for (const TAnswerPoint& P : Climb) {
        if (P.Route != Route) {
            AddRoute(Route, Line);
            Line.clear();
            Route = P.Route;
        }
        Line.append({static_cast<qreal>(MsSinceEpoch(P.When)), static_cast<qreal>(P.Position)});
    }
    AddRoute(Route, Line);
    Chart->legend()->setAlignment(Qt::AlignBottom);
    auto* View = new QChartView(Chart);
    View->setRenderHint(QPainter::Antialiasing);
    View->setMinimumSize(480, 260);
    return View;
}

} // namespace kumoji
