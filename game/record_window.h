// The "記録 record" window: a player's figures per technique and per day, and two charts.
#pragma once

#include "game/round/statistics.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace kumoji {

class TRecordWindow : public QDialog {
    Q_OBJECT

public:
    // Shows the figures of Player (CP932) as of Now (days since 1899-12-30).
    TRecordWindow(QWidget* Parent, const TAnswerRecord& Record, const std::string& Player,
                  double Now);

    const TPlayerStatistics& Statistics() const { return FStatistics; }
    QTableWidget* Techniques() const { return FTechniques; }
    QTableWidget* Days() const { return FDays; }

private:
    void FillTechniques();
    void FillDays();
    QWidget* TimesChart();
    QWidget* PositionChart();

    TPlayerStatistics FStatistics;
    QTableWidget* FTechniques = nullptr;
    QTableWidget* FDays = nullptr;
};

} // namespace kumoji
