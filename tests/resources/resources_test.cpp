#include "game/round/generated_queue.h"
#include "game/round/summit.h"
#include "game/round/time_limit.h"
#include "game/tables.h"
#include "resources/resource_names.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kumoji {
namespace {

QByteArray ReadAll(const QString& Path) {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    return File.readAll();
}

struct WavFormat {
    int Format = 0;
    int Channels = 0;
    int Rate = 0;
    int Bits = 0;
    double Seconds = 0;
};

// Walks the RIFF chunks the way a player does, so a misplaced or short data chunk fails.
std::optional<WavFormat> ParseWav(const QByteArray& Bytes) {
    if (Bytes.size() < 12 || !Bytes.startsWith("RIFF") || Bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    const auto* P = reinterpret_cast<const uchar*>(Bytes.constData());
    if (qFromLittleEndian<quint32>(P + 4) + 8 != static_cast<quint32>(Bytes.size()))
        return std::nullopt;
    WavFormat Wav;
    bool HaveFormat = false;
    qsizetype Pos = 12;
    while (Pos + 8 <= Bytes.size()) {
        const QByteArray Id = Bytes.mid(Pos, 4);
        const quint32 Size = qFromLittleEndian<quint32>(P + Pos + 4);
        if (static_cast<quint64>(Pos) + 8 + Size > static_cast<quint64>(Bytes.size()))
            return std::nullopt;
        if (Id == "fmt " && Size >= 16) {
            Wav.Format = qFromLittleEndian<quint16>(P + Pos + 8);
            Wav.Channels = qFromLittleEndian<quint16>(P + Pos + 10);
            Wav.Rate = static_cast<int>(qFromLittleEndian<quint32>(P + Pos + 12));
            const quint32 ByteRate = qFromLittleEndian<quint32>(P + Pos + 16);
            const int Align = qFromLittleEndian<quint16>(P + Pos + 20);
            Wav.Bits = qFromLittleEndian<quint16>(P + Pos + 22);
            if (Align != Wav.Channels * Wav.Bits / 8 ||
                ByteRate != static_cast<quint32>(Wav.Rate * Align))
                return std::nullopt;
            HaveFormat = true;
        } else if (Id == "data" && HaveFormat) {
            Wav.Seconds = double(Size) / (Wav.Rate * Wav.Channels * Wav.Bits / 8);
            return Wav;
        }
        Pos += 8 + Size + (Size & 1);
    }
    return std::nullopt;
}

std::vector<const char*> AllResourcePaths() {
    std::vector<const char*> Paths = {RoutePicturePath,   DialogPicturePath, LandmarkSound1Path,
                                      LandmarkSound2Path, StepSoundPath,     LostSoundPath,
                                      QuestionSoundPath,  PenCursorPath,     EraserCursorPath,
                                      MaruImagePath,      SelectGlyphPath,   PlayGlyphPath,
                                      PauseGlyphPath,     OkGlyphPath,       ChangeUserGlyphPath,
                                      HelpGlyphPath,      ToolBarImagePath,  WindowIconPath};
    Paths.insert(Paths.end(), ActionImagePaths.begin(), ActionImagePaths.end());
    Paths.insert(Paths.end(), RoutePicturePaths.begin(), RoutePicturePaths.end());
    return Paths;
}

TEST(Resources, EveryAgreedPathIsCompiledIn) {
    for (const char* Path : AllResourcePaths())
        EXPECT_TRUE(QFile::exists(QString::fromUtf8(Path))) << Path;
}

TEST(Resources, PicturesDecodeAtTheirDesignSize) {
    // Every route's picture, so that the route marks lie on each one's slope alike.
    for (const char* Path : RoutePicturePaths) {
        const QImage Route(QString::fromUtf8(Path), "JPEG");
        ASSERT_FALSE(Route.isNull()) << Path;
        EXPECT_EQ(Route.size(), QSize(RoutePictureWidth, RoutePictureHeight)) << Path;
    }
    const QImage Dialog(QString::fromUtf8(DialogPicturePath), "JPEG");
    ASSERT_FALSE(Dialog.isNull());
    EXPECT_EQ(Dialog.size(), QSize(DialogPictureWidth, DialogPictureHeight));
    // The JPEG bytes start with the SOI marker, as a raw-data decoder expects.
    EXPECT_TRUE(ReadAll(QString::fromUtf8(RoutePicturePath)).startsWith("\xFF\xD8\xFF"));
}

TEST(Resources, SmallImagesHaveTheirSizeAndTransparency) {
    for (const char* Path : ActionImagePaths) {
        const QImage Image(QString::fromUtf8(Path));
        ASSERT_FALSE(Image.isNull()) << Path;
        EXPECT_EQ(Image.size(), QSize(16, 16)) << Path;
        EXPECT_TRUE(Image.hasAlphaChannel()) << Path;
    }
    for (const char* Path : {SelectGlyphPath, PlayGlyphPath, PauseGlyphPath, OkGlyphPath,
                             ChangeUserGlyphPath, HelpGlyphPath}) {
        const QImage Image(QString::fromUtf8(Path));
        EXPECT_EQ(Image.size(), QSize(16, 16)) << Path;
    }
    const QImage Maru(QString::fromUtf8(MaruImagePath));
    ASSERT_EQ(Maru.size(), QSize(64, 64));
    // Transparent in the middle and the corners, so only the red ring covers the piece.
    EXPECT_EQ(qAlpha(Maru.pixel(32, 32)), 0);
    EXPECT_EQ(qAlpha(Maru.pixel(0, 0)), 0);
    int RedOpaque = 0;
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X) {
            const QRgb P = Maru.pixel(X, Y);
            if (qAlpha(P) > 200 && qRed(P) > 150 && qGreen(P) < 80 && qBlue(P) < 80)
                ++RedOpaque;
        }
    EXPECT_GT(RedOpaque, 300);
}

TEST(Resources, CursorHotspotsLieOnTheDrawnTool) {
    struct Cursor {
        const char* Path;
        int X, Y;
    };
    for (const Cursor& C : {Cursor{PenCursorPath, PenHotX, PenHotY},
                            Cursor{EraserCursorPath, EraserHotX, EraserHotY}}) {
        const QImage Image(QString::fromUtf8(C.Path));
        ASSERT_EQ(Image.size(), QSize(32, 32)) << C.Path;
        ASSERT_TRUE(Image.hasAlphaChannel()) << C.Path;
        int Near = 0;
        for (int Dy = -1; Dy <= 1; ++Dy)
            for (int Dx = -1; Dx <= 1; ++Dx)
                if (Image.valid(C.X + Dx, C.Y + Dy) && qAlpha(Image.pixel(C.X + Dx, C.Y + Dy)) > 40)
                    ++Near;
        EXPECT_GE(Near, 2) << C.Path << " hotspot is off the drawing";
        EXPECT_EQ(qAlpha(Image.pixel(31, 31)), 0) << C.Path;
    }
}

TEST(Resources, SoundsHaveTheFormatsThePlayerExpects) {
    struct Expected {
        const char* Path;
        int Rate, Bits, Channels;
        double Seconds;
    };
    for (const Expected& E :
         {Expected{LandmarkSound1Path, 11025, 8, 1, 3.1},
          Expected{LandmarkSound2Path, 11025, 8, 1, 7.1}, Expected{StepSoundPath, 11025, 8, 1, 2.7},
          Expected{LostSoundPath, 11025, 8, 1, 3.1},
          Expected{QuestionSoundPath, 22050, 16, 2, 0.6}}) {
        const QByteArray Bytes = ReadAll(QString::fromUtf8(E.Path));
        const std::optional<WavFormat> Wav = ParseWav(Bytes);
        ASSERT_TRUE(Wav.has_value()) << E.Path;
        EXPECT_EQ(Wav->Format, 1) << E.Path;
        EXPECT_EQ(Wav->Rate, E.Rate) << E.Path;
        EXPECT_EQ(Wav->Bits, E.Bits) << E.Path;
        EXPECT_EQ(Wav->Channels, E.Channels) << E.Path;
        EXPECT_NEAR(Wav->Seconds, E.Seconds, 0.1) << E.Path;
    }
}

TEST(Resources, SoundsAreNotSilent) {
    // 8-bit PCM is unsigned around 128; a generator fault shows as a flat line.
    const QByteArray Bytes = ReadAll(QString::fromUtf8(StepSoundPath));
    int Low = 255, High = 0;
    for (qsizetype I = 44; I < Bytes.size(); ++I) {
        Low = std::min(Low, int(uchar(Bytes[I])));
        High = std::max(High, int(uchar(Bytes[I])));
    }
    EXPECT_LT(Low, 60);
    EXPECT_GT(High, 196);
}

TEST(Resources, WavParserRejectsDamagedHeaders) {
    QByteArray Good = ReadAll(QString::fromUtf8(QuestionSoundPath));
    ASSERT_TRUE(ParseWav(Good).has_value());
    EXPECT_FALSE(ParseWav(Good.left(Good.size() - 10)).has_value());
    QByteArray BadId = Good;
    BadId.replace(8, 4, "AVI ");
    EXPECT_FALSE(ParseWav(BadId).has_value());
}

TEST(HelpPage, HasAnAnchorForEveryTechnique) {
    const QByteArray Page = ReadAll(QStringLiteral(KUMOJI_HELP_PAGE_FILE));
    ASSERT_FALSE(Page.isEmpty());
    EXPECT_TRUE(
        QString::fromUtf8(Page).contains(QStringLiteral("charset=\"utf-8\""), Qt::CaseInsensitive));
    for (const char* Id : {"smEmptyCell", "smLeftPlace", "smMissingNumber", "smMyReserved",
                           "smYourReserved", "smOurReserved", "smKeepOff", "smGetOut", "smPuzzled"})
        EXPECT_TRUE(Page.contains(QByteArray("id=\"") + Id + "\"")) << Id;
    // Every hut of the route is named on the page.
    for (const char* Hut : {"雲海荘", "花小屋", "ホテルトモエ館", "鎌岩館", "鳥居荘", "蓬莱館",
                            "富士山ホテル", "御来光館"})
        EXPECT_TRUE(Page.contains(Hut)) << Hut;
}

TEST(HelpPage, StatesEveryTimeLimitAndEveryRoute) {
    const QByteArray Page = ReadAll(QStringLiteral(KUMOJI_HELP_PAGE_FILE));
    ASSERT_FALSE(Page.isEmpty());
    for (int Route = 0; Route <= HighestRoute; ++Route) {
        const std::string_view Name = Routes[static_cast<std::size_t>(Route)];
        EXPECT_TRUE(Page.contains(QByteArray(Name.data(), static_cast<qsizetype>(Name.size()))))
            << Route;
        // The first route asks the tables of the three single techniques.
        const std::vector<int> Techniques =
            Route == 0 ? std::vector<int>{1, 2, 3} : RouteTechniques(Route);
        for (const int Technique : Techniques)
            for (const int Position : {1, 10, 20, 30, 40, 49}) {
                const std::string Cell = "data-limit=\"" + std::to_string(Technique) + ',' +
                                         std::to_string(Position) + ',' +
                                         std::to_string(TimeLimit(Technique, Position)) + '"';
                EXPECT_TRUE(Page.contains(Cell.c_str())) << Cell;
            }
    }
}

TEST(Desktop, EntryStartsTheGameWithItsIcon) {
    const QString Entry = QString::fromUtf8(ReadAll(QStringLiteral(KUMOJI_DESKTOP_ENTRY_FILE)));
    ASSERT_TRUE(Entry.startsWith(QStringLiteral("[Desktop Entry]")));
    // A start from the menu keeps its data in the desktop's data folder.
    for (const char* Line : {"Type=Application", "Name=Kumoji", "Exec=kumoji --desktop-data",
                             "Icon=kumoji", "Categories=Game;LogicGame;"})
        EXPECT_TRUE(Entry.split(QLatin1Char('\n')).contains(QString::fromUtf8(Line))) << Line;
    // Each theme folder's icon has that folder's size: a theme trusts the folder name.
    const QDir Theme(QStringLiteral(KUMOJI_ICON_THEME_DIR));
    const QStringList Sizes = Theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_TRUE(Sizes.contains(QStringLiteral("16x16")) &&
                Sizes.contains(QStringLiteral("256x256")))
        << Sizes.join(QLatin1Char(' ')).toStdString();
    for (const QString& Size : Sizes) {
        const QImage Icon(Theme.filePath(Size + QStringLiteral("/apps/kumoji.png")));
        const int Side = Size.section(QLatin1Char('x'), 0, 0).toInt();
        EXPECT_EQ(Icon.size(), QSize(Side, Side)) << Size.toStdString();
        EXPECT_TRUE(Icon.hasAlphaChannel()) << Size.toStdString();
    }
}

} // namespace
} // namespace kumoji

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString Dir = QDir::tempPath() + QStringLiteral("/kumoji-runtime");
        QDir().mkpath(Dir);
        QFile::setPermissions(Dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", Dir.toUtf8());
    }
    QGuiApplication App(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
