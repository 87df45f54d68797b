// The routes after the fourth on the window: reaching them from a summit, their names and
// pictures, their questions made ahead, and the last summit.
#include "game/round/generated_queue.h"
#include "game/round/time_limit.h"
#include "game/tables.h"
#include "game_fixture.h"
#include "resources/resource_names.h"

#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <memory>

namespace kumoji::test {

namespace {

// The tables' positions under the technique numbers of a later route: the board asks them like
// any other, and the test needs no generator of those techniques. Made counts the questions.
TQuestionMaker TablePositions(std::shared_ptr<int> Made) {
    return [Made](int, const TRandomDraw& Draw) {
        ++*Made;
        return std::string(MissingNumberQuestions[static_cast<std::size_t>(Draw(10))]);
    };
}

QString RouteLabel(const TForm1& Form) {
    return Form.lbKimeteMode1->property("PlainText").toString();
}

} // namespace

TEST_F(GameTest, YesAtRouteThreesSummitClimbsRouteFourAtOnceAndARestartShowsIt) {
    WriteRoster({{"P1", 50, 3}});
    auto Made = std::make_shared<int>(0);
    const auto ChooseAndContinue = [&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->SetQuestionSource(4, std::make_unique<TGeneratedQueue>(4, TablePositions(Made)));
        Form->Form2->UserMenuClick(0);
        Form->Form2->sbOk->click();
        return true;
    };
    Answers.Then(ChooseAndContinue).Message().Message(QMessageBox::Yes);
    StartGame();
    ASSERT_TRUE(WaitForQuestion(10000));
    EXPECT_EQ(Answers.Unexpected, 0);
    ASSERT_EQ(Answers.Messages.size(), 2);
    EXPECT_EQ(Answers.Messages[0],
              QStringLiteral("山頂に到着です！\n\n次は 紅富士ルート（超級） で挑戦しましょう"));
    const auto Stored = ReadRoster();
    EXPECT_EQ(Stored->GetUser(0).Route, 4);
    EXPECT_EQ(Stored->GetUser(0).Position, 0);
    const int Technique = Form->Round().Technique();
    EXPECT_TRUE(Technique >= 10 && Technique <= 13) << Technique;
    EXPECT_EQ(Form->Round().TimeLimit(), TimeLimit(Technique, 0));
    EXPECT_EQ(RouteLabel(*Form), QStringLiteral("紅富士ルート（超級）"));
    EXPECT_EQ(Form->RoutePicture(), QString::fromLatin1(RoutePicturePaths[4]));
    EXPECT_NE(Form->RoutePicture(), QString::fromLatin1(RoutePicturePath));

    // Quitting mid-question (and giving it up) and starting again.
    Answers.Message(QMessageBox::Yes);
    EXPECT_TRUE(Form->close());
    Form.reset();
    Answers.Then(ChooseAndContinue);
    StartGame();
    ASSERT_TRUE(WaitForQuestion(10000));
    EXPECT_EQ(RouteLabel(*Form), QStringLiteral("紅富士ルート（超級）"));
    EXPECT_EQ(Form->RoutePicture(), QString::fromLatin1(RoutePicturePaths[4]));
    EXPECT_GE(Form->Round().Technique(), 10);
    EXPECT_LE(Form->Round().Technique(), 13);
}

TEST_F(GameTest, ARouteMakesItsNextQuestionsAheadWhileTheQuestionRunsThenRests) {
    WriteRoster({{"P1", 7, 5}});
    auto Made = std::make_shared<int>(0);
    TGeneratedQueue* Queue = nullptr;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        auto Source = std::make_unique<TGeneratedQueue>(5, TablePositions(Made));
        Queue = Source.get();
        Form->SetQuestionSource(5, std::move(Source));
        Form->Form2->UserMenuClick(0);
        Form->Form2->sbOk->click();
        return true;
    });
    StartGame();
    ASSERT_TRUE(WaitForQuestion(10000));
    EXPECT_EQ(RouteLabel(*Form), QStringLiteral("夕富士ルート（達人）"));
    EXPECT_EQ(Form->RoutePicture(), QString::fromLatin1(RoutePicturePaths[5]));
    const int Technique = Form->Round().Technique();
    EXPECT_TRUE(Technique >= 14 && Technique <= 16) << Technique;
    // The one asked and the ones waiting, and then no more work until one is taken.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->tmPrepare->isActive(); }, 5000));
    EXPECT_EQ(Queue->Entries().size(), static_cast<std::size_t>(TGeneratedQueue::Ahead));
    EXPECT_EQ(*Made, TGeneratedQueue::Ahead + 1);
    EXPECT_TRUE(Form->QuestionRunning()) << "the question went on meanwhile";
}

TEST_F(GameTest, EachRouteShowsItsOwnNameAndPictureAndAnEditedRouteNumberTheLast) {
    WriteRoster({{"A", 3, 0}, {"B", 3, 3}, {"C", 3, 6}, {"D", 3, 9}});
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->reject();
        return true;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    const struct {
        int Index;
        int Route;
    } Cases[] = {{0, 0}, {1, 3}, {2, 6}, {3, 6}, {0, 0}};
    for (const auto& Case : Cases) {
        Form->SelectUser(Case.Index);
        EXPECT_EQ(RouteLabel(*Form),
                  QString::fromUtf8(Routes[static_cast<std::size_t>(Case.Route)].data(),
                                    static_cast<qsizetype>(Routes[Case.Route].size())))
            << Case.Index;
        EXPECT_EQ(Form->RoutePicture(), QString::fromLatin1(RoutePicturePaths[Case.Route]))
            << Case.Index;
    }
    EXPECT_EQ(Form->RoutePicture(), QString::fromLatin1(RoutePicturePath));
}

// The real queues of the last three routes: each question their generator makes is asked by
// the board's check of its own technique, and its move climbs.
class RealRouteQuestions : public GameTest, public ::testing::WithParamInterface<int> {};

TEST_P(RealRouteQuestions, AreAskedWithTheirTechniqueAndTheirMoveClimbs) {
    const int Route = GetParam();
    StartWith({{"P1", 20, Route}});
    ASSERT_TRUE(WaitForQuestion(20000));
    EXPECT_EQ(Answers.Messages.size(), 0) << "no message of an unfit question";
    const std::vector<int> Techniques = RouteTechniques(Route);
    EXPECT_NE(std::find(Techniques.begin(), Techniques.end(), Form->Round().Technique()),
              Techniques.end())
        << Form->Round().Technique();
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_EQ(StoredPosition(0), 21);
    // The explanation of the move names the question's technique in its steps.
    const TExplanation* Explanation = Form->Round().Explanation();
    ASSERT_NE(Explanation, nullptr);
    bool Named = false;
    for (const TExplainStep& Step : Explanation->Steps)
        Named = Named || Step.Technique == Form->Round().Technique();
    EXPECT_TRUE(Named);
}

INSTANTIATE_TEST_SUITE_P(Routes, RealRouteQuestions, ::testing::Values(4, 5, 6));

} // namespace kumoji::test
