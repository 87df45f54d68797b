#include "game/data_folder.h"
#include "game_fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace kumoji::test {
namespace {

// HOME and XDG_DATA_HOME point into the test's folder.
class DataFolderTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (const char* Name : {"HOME", "XDG_DATA_HOME"})
            Saved.push_back({Name, qEnvironmentVariableIsSet(Name), qgetenv(Name)});
        ASSERT_TRUE(QDir().mkpath(Home));
        qputenv("HOME", Home.toLocal8Bit());
        qputenv("XDG_DATA_HOME", Share.toLocal8Bit());
    }
    void TearDown() override {
        for (const TSaved& Variable : Saved) {
            if (Variable.Set)
                qputenv(Variable.Name, Variable.Value);
            else
                qunsetenv(Variable.Name);
        }
        GameTest::TearDown();
    }

    QStringList Entries(const QString& Path) const {
        return QDir(Path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    struct TSaved {
        const char* Name;
        bool Set;
        QByteArray Value;
    };
    std::vector<TSaved> Saved;
    const QString Home = Folder.path() + QStringLiteral("/home");
    const QString Share = Folder.path() + QStringLiteral("/share");
    const QString Data = Share + QStringLiteral("/kumoji");
};

TEST_F(DataFolderTest, TheDataFolderFollowsTheDesktopsRules) {
    EXPECT_EQ(DesktopDataFolder(), Data);
    // Unset or relative, the variable gives way to the default.
    for (const char* Value : {"", "relative/share"}) {
        qputenv("XDG_DATA_HOME", Value);
        EXPECT_EQ(DesktopDataFolder(), Home + QStringLiteral("/.local/share/kumoji")) << Value;
    }
}

TEST_F(DataFolderTest, AFirstMenuStartKeepsEverythingInTheDataFolder) {
    StartNotice = UseDesktopDataFolder();
    EXPECT_TRUE(StartNotice.isEmpty()) << StartNotice.toStdString();
    EXPECT_EQ(QDir::currentPath(), Data);
    Answers.Input(QStringLiteral("P1"));
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_TRUE(Answers.Messages.isEmpty());
    EXPECT_EQ(Entries(Data),
              (QStringList{QStringLiteral("tozan01.ini"), QStringLiteral("tozan01.ini.lock")}));
    EXPECT_EQ(Entries(Home), QStringList());
    EXPECT_EQ(ReadRoster()->GetCount(), 1);
}

TEST_F(DataFolderTest, TheHomeFoldersFilesMoveOnceAndThePlayerIsToldOnce) {
    QDir::setCurrent(Home);
    WriteRoster({{"花子", 6}});
    WriteRoster({{"花子", 7}});
    ASSERT_TRUE(QFile::exists(Home + QStringLiteral("/tozan01.ini.bak")));

    StartNotice = UseDesktopDataFolder();
    EXPECT_EQ(QDir::currentPath(), Data);
    EXPECT_TRUE(StartNotice.contains(Data + QStringLiteral("/tozan01.ini")))
        << StartNotice.toStdString();
    EXPECT_TRUE(StartNotice.contains(Home + QStringLiteral("/tozan01.ini.bak")));
    EXPECT_EQ(Entries(Home), QStringList());
    bool Dialog = false;
    Answers.Message().Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        // The roster came along: the player is there to choose.
        Dialog = Form->Users().GetCount() == 1 && Form->Users().GetUser(0).Position == 7;
        Form->Form2->reject();
        return true;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_TRUE(Dialog);
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_EQ(Answers.Messages[0], StartNotice);

    // The next menu start has nothing to say; a start in a folder keeps using that folder.
    EXPECT_TRUE(UseDesktopDataFolder().isEmpty());
    EXPECT_EQ(StoredPosition(0), 7);
}

TEST_F(DataFolderTest, ADataFolderThatCannotBeMadeLeavesTheProgressAtHome) {
    QDir::setCurrent(Home);
    WriteRoster({{"花子", 7}});
    QFile Blocker(Share);
    ASSERT_TRUE(Blocker.open(QIODevice::WriteOnly));
    Blocker.close();
    const QString Notice = UseDesktopDataFolder();
    EXPECT_TRUE(Notice.contains(Home + QStringLiteral("/tozan01.ini"))) << Notice.toStdString();
    EXPECT_EQ(QDir::currentPath(), Home);
    EXPECT_EQ(StoredPosition(0), 7);
}

} // namespace
} // namespace kumoji::test
