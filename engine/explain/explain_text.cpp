// Names and lines: cells and units as the board labels them, and each step
// and single as one line of Japanese with its English gloss.
#include "engine/explain/explain_detail.h"

#include <algorithm>
#include <map>

namespace kumoji {

std::string CellName(int Cell) {
    return {static_cast<char>('A' + Cell % 9), static_cast<char>('1' + Cell / 9)};
}

std::string UnitName(int Unit) {
    if (Unit < 9) {
        return "row " + std::to_string(Unit + 1);
    }
    if (Unit < 18) {
        return std::string("column ") + static_cast<char>('A' + Unit - 9);
    }
    return "box " + std::to_string(Unit - 17);
}

namespace explain {

std::string JapaneseUnitName(int Unit) {
    if (Unit < 9) {
        return std::to_string(Unit + 1) + "行目";
    }
    if (Unit < 18) {
        return std::string(1, static_cast<char>('A' + Unit - 9)) + "列";
    }
    return "ブロック" + std::to_string(Unit - 17);
}

// "A・B・C"
std::string JoinDots(const std::vector<std::string>& Items) {
    std::string Text;
    for (std::size_t K = 0; K < Items.size(); ++K) {
        Text += (K == 0 ? "" : "・") + Items[K];
    }
    return Text;
}

// "A", "A と B", "A・B と C"
std::string JoinJapanese(const std::vector<std::string>& Items) {
    if (Items.size() < 2) {
        return Items.empty() ? "" : Items[0];
    }
    return JoinDots({Items.begin(), Items.end() - 1}) + " と " + Items.back();
}

// "A", "A and B", "A, B and C"
std::string JoinEnglish(const std::vector<std::string>& Items) {
    std::string Text;
    for (std::size_t K = 0; K < Items.size(); ++K) {
        Text += (K == 0 ? "" : K + 1 == Items.size() ? " and " : ", ") + Items[K];
    }
    return Text;
}

std::vector<std::string> CellNames(const std::vector<int>& Cells) {
    std::vector<std::string> Names;
    for (int Cell : Cells) {
        Names.push_back(CellName(Cell));
    }
    return Names;
}

std::vector<std::string> DigitNames(const std::vector<int>& Digits) {
    std::vector<std::string> Names;
    for (int Digit : Digits) {
        Names.push_back(std::to_string(Digit));
    }
    return Names;
}

struct TRemovalGroup {
    std::vector<int> Digits;
    std::vector<int> Cells;
};

// The removals by digit, digits ascending; digits that leave the same cells
// share one group, placed where its lowest digit is.
std::vector<TRemovalGroup> ByDigit(const std::vector<TCandidate>& Removes) {
    std::map<int, std::vector<int>> Cells;
    for (const TCandidate& Item : Removes) {
        Cells[Item.Digit].push_back(Item.Cell);
    }
    std::vector<TRemovalGroup> Groups;
    for (const auto& [Digit, Left] : Cells) {
        auto Same = std::find_if(Groups.begin(), Groups.end(),
                                 [&](const TRemovalGroup& Group) { return Group.Cells == Left; });
        if (Same == Groups.end()) {
            Groups.push_back({{Digit}, Left});
        } else {
            Same->Digits.push_back(Digit);
        }
    }
    return Groups;
}

// "G3 から 4、H3 から 8 が消える" and "4 leaves G3 and 8 leaves H3".
std::string JapaneseRemovals(const std::vector<TCandidate>& Removes) {
    std::string Text;
    for (const TRemovalGroup& Group : ByDigit(Removes)) {
        Text += (Text.empty() ? "" : "、") + JoinDots(CellNames(Group.Cells)) + " から " +
                JoinJapanese(DigitNames(Group.Digits));
    }
    return Text + " が消える";
}

std::string EnglishRemovals(const std::vector<TCandidate>& Removes) {
    std::vector<std::string> Groups;
    for (const TRemovalGroup& Group : ByDigit(Removes)) {
        Groups.push_back(JoinEnglish(DigitNames(Group.Digits)) +
                         (Group.Digits.size() == 1 ? " leaves " : " leave ") +
                         JoinEnglish(CellNames(Group.Cells)));
    }
    return JoinEnglish(Groups);
}

std::string StepText(const TExplainStep& Step) {
    const std::string Cells = JoinDots(CellNames(Step.Cells));
    const std::string CellsEn = JoinEnglish(CellNames(Step.Cells));
    const std::string Digits = JoinJapanese(DigitNames(Step.Digits));
    const std::string DigitsEn = JoinEnglish(DigitNames(Step.Digits));
    const int Unit = Step.Units.empty() ? 0 : Step.Units[0];
    const std::string UnitJa = JapaneseUnitName(Unit);
    const std::string UnitEn = UnitName(Unit);
    switch (Step.Technique) {
    case smMyReserved: {
        const int Other = Step.Units.size() > 1 ? Step.Units[1] : 0;
        std::vector<int> Left;
        for (const TCandidate& Item : Step.Removes) {
            Left.push_back(Item.Cell);
        }
        return UnitJa + "では " + Digits + " が " + JapaneseUnitName(Other) + "の " + Cells +
               " にしかない：" + JapaneseUnitName(Other) + "の " + JoinDots(CellNames(Left)) +
               " から " + Digits + " が消える  " + UnitEn + ": " + DigitsEn + " lies only in " +
               CellsEn + " of " + UnitName(Other) + ", so " + DigitsEn + " leaves " +
               JoinEnglish(CellNames(Left));
    }
    case smYourReserved:
        return UnitJa + "では " + Cells + " が " + Digits + " の予約席：" +
               JapaneseRemovals(Step.Removes) + "  " + UnitEn + ": " + CellsEn + " hold only " +
               DigitsEn + ", so " + EnglishRemovals(Step.Removes);
    case smOurReserved:
        return UnitJa + "では " + Digits + " が入るのは " + Cells + " だけ：" +
               JapaneseRemovals(Step.Removes) + "  " + UnitEn + ": " + DigitsEn + " fit only in " +
               CellsEn + ", so " + EnglishRemovals(Step.Removes);
    default:
        return PatternStepText(Step);
    }
}

std::string SingleText(const TExplainSingle& Single) {
    const std::string Cell = CellName(Single.Cell);
    const std::string Digit = std::to_string(Single.Digit);
    switch (Single.Kind) {
    case smEmptyCell:
        return JapaneseUnitName(Single.Unit) + "で空いているのは " + Cell + " だけ：" + Cell +
               " は " + Digit + "  " + UnitName(Single.Unit) + ": " + Cell +
               " is the only empty cell, so " + Cell + " is " + Digit;
    case smLeftPlace:
        return JapaneseUnitName(Single.Unit) + "で " + Digit + " が入るのは " + Cell + " だけ  " +
               UnitName(Single.Unit) + ": " + Digit + " fits only in " + Cell;
    case smMissingNumber:
        return Cell + " に入るのは " + Digit + " だけ  " + Cell + ": " + Digit +
               " is the only digit left";
    default:
        return {};
    }
}

} // namespace explain

} // namespace kumoji
