// The lines of the steps beyond subsets: fish, chains, wings, colouring and assumptions.
#include "engine/explain/explain_detail.h"

#include <algorithm>

namespace kumoji::explain {

namespace {

std::vector<std::string> Names(const std::vector<int>& Units, bool Japanese) {
    std::vector<std::string> Result;
    for (int Unit : Units) {
        Result.push_back(Japanese ? JapaneseUnitName(Unit) : UnitName(Unit));
    }
    return Result;
}

// "{1,2}" for the candidates a wing's cell holds.
std::string Set(std::initializer_list<int> Digits) {
    std::string Text = "{";
    for (int D : Digits) {
        if (Text.size() > 1) {
            Text += ',';
        }
        Text += std::to_string(D);
    }
    return Text + "}";
}

std::string Removed(const TExplainStep& Step) {
    return JapaneseRemovals(Step.Removes);
}

std::string RemovedEn(const TExplainStep& Step) {
    return EnglishRemovals(Step.Removes);
}

std::string Fish(const TExplainStep& Step, const char* Ja, const char* En) {
    const std::string D = std::to_string(Step.Digits[0]);
    return JoinDots(Names(Step.Units, true)) + "では " + D + " が " +
           JoinDots(Names(Step.Cover, true)) + " にしかない（" + Ja + "）：" + Removed(Step) +
           "  " + JoinEnglish(Names(Step.Units, false)) + ": " + D + " lies only in " +
           JoinEnglish(Names(Step.Cover, false)) + " (" + En + "), so " + RemovedEn(Step);
}

std::string Chain(const TExplainStep& Step, const char* Ja, const char* En) {
    const std::string D = std::to_string(Step.Digits[0]);
    const std::vector<std::string> C = CellNames(Step.Cells);
    return D + " は " + JapaneseUnitName(Step.Units[0]) + "では " + C[0] + "・" + C[1] + "、" +
           JapaneseUnitName(Step.Units[1]) + "では " + C[2] + "・" + C[3] + " にしかなく、" + C[1] +
           " と " + C[2] + " は互いに見える（" + Ja + "）：" + C[0] + " か " + C[3] + " が " + D +
           " なので " + Removed(Step) + "  " + D + " lies only in " + C[0] + " and " + C[1] +
           " of " + UnitName(Step.Units[0]) + " and in " + C[2] + " and " + C[3] + " of " +
           UnitName(Step.Units[1]) + ", and " + C[1] + " sees " + C[2] + " (" + En + "): " + C[0] +
           " or " + C[3] + " holds " + D + ", so " + RemovedEn(Step);
}

std::string Wing(const TExplainStep& Step) {
    const std::vector<std::string> C = CellNames(Step.Cells);
    const int X = Step.Digits[0], Y = Step.Digits[1], Z = Step.Digits[2];
    const bool XYZ = Step.Technique == smXYZWing;
    const std::string Pivot = C[0] + " " + (XYZ ? Set({X, Y, Z}) : Set({X, Y}));
    const std::string A = C[1] + " " + Set({X, Z});
    const std::string B = C[2] + " " + Set({Y, Z});
    const std::string D = std::to_string(Z);
    if (XYZ) {
        return Pivot + " が " + A + " と " + B + " を見ている（XYZウィング）：3マスのどれかが " +
               D + " なので " + Removed(Step) + "  " + Pivot + " sees " + A + " and " + B +
               " (XYZ-Wing): one of the three holds " + D + ", so " + RemovedEn(Step);
    }
    return Pivot + " が " + A + " と " + B + " を見ている（XYウィング）：" + C[1] + " か " + C[2] +
           " が " + D + " なので " + Removed(Step) + "  " + Pivot + " sees " + A + " and " + B +
           " (XY-Wing): " + C[1] + " or " + C[2] + " holds " + D + ", so " + RemovedEn(Step);
}

std::string WWing(const TExplainStep& Step) {
    const std::vector<std::string> C = CellNames(Step.Cells);
    const std::string X = std::to_string(Step.Digits[0]);
    const std::string Y = std::to_string(Step.Digits[1]);
    const std::string Pair = Set({Step.Digits[0], Step.Digits[1]});
    return C[0] + " と " + C[3] + " は " + Pair + "、" + JapaneseUnitName(Step.Units[0]) + "の " +
           X + " は " + C[1] + "・" + C[2] + " にしかない（Wウィング）：" + C[0] + " か " + C[3] +
           " が " + Y + " なので " + Removed(Step) + "  " + C[0] + " and " + C[3] + " hold only " +
           X + " and " + Y + ", and " + X + " lies only in " + C[1] + " and " + C[2] + " of " +
           UnitName(Step.Units[0]) + " (W-Wing): " + C[0] + " or " + C[3] + " holds " + Y +
           ", so " + RemovedEn(Step);
}

std::string Colouring(const TExplainStep& Step) {
    const std::string D = std::to_string(Step.Digits[0]);
    std::vector<int> Colour[2];
    for (std::size_t K = 0; K < Step.Cells.size(); ++K) {
        Colour[Step.Colours[K] == 0 ? 0 : 1].push_back(Step.Cells[K]);
    }
    const std::string Ja0 = JoinDots(CellNames(Colour[0]));
    const std::string Ja1 = JoinDots(CellNames(Colour[1]));
    const std::string En0 = JoinEnglish(CellNames(Colour[0]));
    const std::string En1 = JoinEnglish(CellNames(Colour[1]));
    // The removals are the chain's own cells when one colour is false.
    const bool Wrap = !Step.Removes.empty() && std::find(Step.Cells.begin(), Step.Cells.end(),
                                                         Step.Removes[0].Cell) != Step.Cells.end();
    return D + " の対を2色に塗る（" + Ja0 + " と " + Ja1 + "）（色分け）：" +
           (Wrap ? std::string("同じ色の2マスが互いに見えるのでその色は誤り、")
                 : std::string("両方の色を見るマスは ") + D + " でない、") +
           Removed(Step) + "  the pairs of " + D + " coloured in two colours (" + En0 + "; " + En1 +
           ") (simple colouring): " +
           (Wrap ? std::string("two cells of one colour see each other, so that colour is false")
                 : std::string("a cell that sees both colours cannot hold ") + D) +
           ", so " + RemovedEn(Step);
}

std::string Assumption(const TExplainStep& Step) {
    const bool KeepOff = Step.Technique == smKeepOff;
    const std::string Cell = CellName(Step.Cells[0]);
    const std::string A = std::to_string(Step.Digits[0]);
    const std::string W = std::to_string(Step.Digits[1]);
    const std::vector<int> Forced(Step.Cells.begin() + 1, Step.Cells.end());
    return Cell + " に " + A + " を仮に置くと " + W + " は " + JoinDots(CellNames(Forced)) +
           " に決まり、" + JapaneseUnitName(Step.Units[0]) + "に " + W + " の入る所がなくなる（" +
           (KeepOff ? "立ち入り禁止" : "追い出し") + "）：" + Removed(Step) + "  assuming " + A +
           " in " + Cell + " forces " + W + " into " + JoinEnglish(CellNames(Forced)) +
           " and leaves " + UnitName(Step.Units[0]) + " without a place for " + W + " (" +
           (KeepOff ? "keep off" : "get out") + "), so " + RemovedEn(Step);
}

} // namespace

std::string PatternStepText(const TExplainStep& Step) {
    switch (Step.Technique) {
    case smXWing:
        return Fish(Step, "Xウィング", "X-Wing");
    case smSwordfish:
        return Fish(Step, "ソードフィッシュ", "swordfish");
    case smSkyscraper:
        return Chain(Step, "スカイスクレイパー", "skyscraper");
    case sm2StringKite:
        return Chain(Step, "2ストリングカイト", "2-string kite");
    case smXYWing:
    case smXYZWing:
        return Wing(Step);
    case smWWing:
        return WWing(Step);
    case smSimpleColouring:
        return Colouring(Step);
    case smKeepOff:
    case smGetOut:
        return Assumption(Step);
    default:
        return {};
    }
}

} // namespace kumoji::explain
