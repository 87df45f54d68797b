// Technique identifiers, their names and captions, and the level names.
#include "engine/techniques/solve_method.h"

namespace kumoji {

const std::array<std::string_view, SolveMethodCount> SolveMethodNames = {
    "smNone",         "smEmptyCell",   "smLeftPlace",      "smMissingNumber", "smMyReserved",
    "smYourReserved", "smOurReserved", "smKeepOff",        "smGetOut",        "smPuzzled",
    "smXWing",        "smSkyscraper",  "sm2StringKite",    "smSwordfish",     "smXYWing",
    "smXYZWing",      "smWWing",       "smSimpleColouring"};

const std::array<std::string_view, SolveMethodCount> SolveMethodCaptions = {
    "",
    "(基本) 最後の１マス just one empty cell",
    "(基本) 残りの１マス only one place left",
    "(初級) 最後の数字 the only missing number",
    "(中級) わたしの予約席 my reserved seat",
    "(中級) あなた方の予約席 your reserved seat",
    "(上級) 我々の予約席 our reserved seat",
    "(上級) 立ち入り禁止 keep off",
    "(上級) 追い出し get out",
    "(難題) 試行錯誤 puzzled",
    "(上級) Xウィング X-Wing",
    "(上級) スカイスクレイパー skyscraper",
    "(上級) 2ストリングカイト 2-string kite",
    "(難題) ソードフィッシュ swordfish",
    "(難題) XYウィング XY-Wing",
    "(難題) XYZウィング XYZ-Wing",
    "(難題) Wウィング W-Wing",
    "(難題) 色分け simple colouring"};

const std::array<std::string_view, 6> LevelNames = {"",
                                                    "基本問題 Basic",
                                                    "初級問題 Beginner",
                                                    "中級問題 Medium",
                                                    "上級問題 Advanced",
                                                    "難問 Brain Twister"};

} // namespace kumoji
