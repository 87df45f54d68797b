// Which cells a digit's hints mark and how few places each one is left: counting only, no drawing.
#include "board/hint_marks.h"

#include "engine/grid/matrix.h"
#include "engine/lists/intlist.h"

#include <string>

namespace kumoji {

std::vector<THintMark> HintMarks(const TMatrix& Grid, int Digit) {
    std::vector<THintMark> Marks;
    if (Digit < 1 || Digit > 9) {
        return Marks;
    }
    for (int Row = 0; Row < 9; ++Row) {
        for (int Col = 0; Col < 9; ++Col) {
            if (Grid.HasCandidate(Col, Row, Digit)) {
                Marks.push_back({Col, Row, THintKind::Candidate});
            }
        }
    }
    TD2IntegerList Places;
    TPoint Cell;
    auto MarkPlaces = [&](THintKind Kind) {
        TPoint Place;
        for (int K = 0; K < Places.GetCount(); ++K) {
            Places.Get(K, Place);
            Marks.push_back({Place.X, Place.Y, Kind});
        }
    };
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            if (Grid.ScanBox(BoxCol, BoxRow, Digit, Places, Cell)) {
                continue;
            }
            switch (Places.GetCount()) {
            case 1:
                MarkPlaces(THintKind::Forced);
                break;
            case 2:
                MarkPlaces(THintKind::TwoPlaces);
                break;
            case 3:
                MarkPlaces(THintKind::ThreePlaces);
                break;
            default:
                break;
            }
        }
    }
    for (int Row = 0; Row < 9; ++Row) {
        if (!Grid.ScanRow(Row, Digit, Places, Cell) && Places.GetCount() == 1) {
            MarkPlaces(THintKind::Forced);
        }
    }
    for (int Col = 0; Col < 9; ++Col) {
        if (!Grid.ScanCol(Col, Digit, Places, Cell) && Places.GetCount() == 1) {
            MarkPlaces(THintKind::Forced);
        }
    }
    const std::string Single(1, static_cast<char>('0' + Digit));
    for (int Row = 0; Row < 9; ++Row) {
        for (int Col = 0; Col < 9; ++Col) {
            if (Grid.CandidateText(Col, Row) == Single) {
                Marks.push_back({Col, Row, THintKind::Forced});
            }
        }
    }
    return Marks;
}

} // namespace kumoji
