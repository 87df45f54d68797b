// A round on a clock the test steps, with scripted random numbers and players of its own.
#pragma once

#include "engine/grid/random.h"
#include "engine/question/generator.h"
#include "game/round/round.h"
#include "storage/roster.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace kumoji::test {

class TStepClock : public TClock {
public:
    std::uint32_t Now() const override { return Tick; }
    std::uint32_t Tick = 1000;
};

// Questions a test lists, one after the other.
class TListedQuestions : public TQuestionSource {
public:
    explicit TListedQuestions(std::deque<TQuestion> List) : FList(std::move(List)) {}
    std::optional<TQuestion> Take(int) override {
        if (FList.empty())
            return std::nullopt;
        TQuestion Next = FList.front();
        FList.pop_front();
        return Next;
    }

private:
    std::deque<TQuestion> FList;
};

// Stands in for the generator of the techniques the tests cannot rely on: a text drawn from
// the draws it is given, so two queues make the same texts exactly when they draw alike.
struct TDrawnText {
    std::shared_ptr<int> Made = std::make_shared<int>(0);
    std::shared_ptr<std::set<int>> Failing = std::make_shared<std::set<int>>();
    std::string operator()(int Technique, const TRandomDraw& Draw) const {
        ++*Made;
        if (Failing->count(Technique))
            return {};
        std::string Text(81, '0');
        for (char& C : Text)
            C = static_cast<char>('0' + Draw(10));
        return Text;
    }
};

class RoundTest : public ::testing::Test {
protected:
    // Every draw is the last possible value: no shuffle moves anything.
    void SetUp() override {
        SetRandomSource([](int n) { return n - 1; });
    }
    void TearDown() override { SetRandomSource(nullptr); }

    // A new player of the roster at Position.
    TTabijiUser& Player(int Position, std::string Huts = "11,18,21,24,28,32,36,39") {
        TTabijiUser& User =
            Roster.GetUser(Roster.AddUser("P" + std::to_string(Roster.GetCount() + 1)));
        User.Position = Position;
        User.Huts = std::move(Huts);
        return User;
    }
    int IndexOf(const TTabijiUser& User) {
        for (int I = 0; I < Roster.GetCount(); ++I)
            if (&Roster.GetUser(I) == &User)
                return I;
        return -1;
    }
    bool Select(TTabijiUser* User) {
        return Round.SelectPlayer(&Roster, User ? IndexOf(*User) : -1);
    }
    // Asks User a question of Technique; its answer is 7 on (4, 5).
    TTabijiUser& Ask(TTabijiUser& User, int Technique = 1) {
        if (Round.Player() != &User)
            Select(&User);
        Round.SetQuestionSource(User.Route,
                                std::make_unique<TListedQuestions>(
                                    std::deque<TQuestion>{{std::string(81, '0'), Technique}}));
        EXPECT_TRUE(Round.TakeQuestion());
        EXPECT_EQ(Round.Begin({4, 5}, 7), gsQuestion);
        return User;
    }
    // A new player at Position, asked a question; at the summit only after climbing to it.
    TTabijiUser& Asking(int Position, int Technique = 1) {
        if (Position < 50)
            return Ask(Player(Position), Technique);
        TTabijiUser& User = Ask(Player(Position - 1), Technique);
        Round.Finish(true);
        return Ask(User, Technique);
    }

    TStepClock Clock;
    TRound Round{Clock};
    TTabijiUsers Roster;
};

} // namespace kumoji::test
