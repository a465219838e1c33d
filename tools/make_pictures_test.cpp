// Checks the generated pictures against what the game relies on: sizes, formats and the
// runner-strip shape, and that the committed built-in pictures are the generator's output.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QImage imageOf(const QString& path, const char* expectedFormat)
{
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), expectedFormat) << path.toStdString();
    EXPECT_EQ(reader.imageCount(), 1) << path.toStdString();
    return reader.read();
}

const QDir kAssets(ASSETS_SOURCE_DIR);
const QDir kPlay(TAPDASH_PICTURES_DIR);

TEST(BuiltInPictures, AreWhatTheGeneratorMakes)
{
    const QDir fresh(FRESH_ASSETS_DIR);
    for (const char* name : {"default_runner.gif", "tapdash.ico"}) {
        EXPECT_EQ(bytesOf(kAssets.filePath(name)), bytesOf(fresh.filePath(name))) << name;
    }
}

TEST(BuiltInPictures, DefaultRunnerIsAYellowAndABlueSquare)
{
    const QByteArray gif = bytesOf(kAssets.filePath("default_runner.gif"));
    ASSERT_GT(gif.size(), 13 + 768);
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    EXPECT_EQ(quint8(gif[10]) & 0x87, 0x87) << "a 256-entry global colour table";
    EXPECT_EQ(gif[11], 0) << "background colour index";
    EXPECT_EQ(quint8(gif[13 + 768]), 0x2c) << "the image follows the table, no extension";
    EXPECT_EQ(gif.back(), ';');

    const QImage strip = imageOf(kAssets.filePath("default_runner.gif"), "gif");
    ASSERT_EQ(strip.size(), QSize(50, 25));
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(strip.pixel(x, y), x < 25 ? 0xffffff00 : 0xff0000ff) << x << "," << y;
        }
    }
}

TEST(BuiltInPictures, IconIs32PixelsWith256Colours)
{
    const QByteArray ico = bytesOf(kAssets.filePath("tapdash.ico"));
    ASSERT_GT(ico.size(), 22 + 40);
    EXPECT_EQ(ico.left(6), QByteArray("\0\0\1\0\1\0", 6)) << "one icon";
    EXPECT_EQ(ico.mid(6, 3), QByteArray("\x20\x20\0", 3)) << "32 x 32, 256 colours";
    EXPECT_EQ(ico[22 + 14], 8) << "8 bits per pixel";

    const QImage icon = imageOf(kAssets.filePath("tapdash.ico"), "ico");
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "rounded corner";
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
}

TEST(PlayFolder, ScreenPicturesHaveTheirSizes)
{
    const QImage back = imageOf(kPlay.filePath("back.bmp"), "bmp");
    EXPECT_GE(back.width(), 634);
    EXPECT_GE(back.height(), 455);
    EXPECT_EQ(bytesOf(kPlay.filePath("back.bmp"))[28], 24) << "24 bits per pixel";
    for (const char* splash : {"orvenspres.bmp", "tapdash.bmp"}) {
        EXPECT_EQ(imageOf(kPlay.filePath(splash), "bmp").size(), QSize(299, 213)) << splash;
    }
}

// Runner boxes are 48 x 43 at the lane tops and move from x 144 to 544 by their left edge.
const QPoint kLaneStart(144, 96);

TEST(PlayFolder, LanesAreOneColourWhereRunnersRun)
{
    const QImage back(kPlay.filePath("back.bmp"));
    const QRgb lane = back.pixel(kLaneStart);
    for (const int top : {96, 144, 192, 240}) {
        for (int y = top; y < top + 43; ++y) {
            for (int x = kLaneStart.x(); x < 544 + 48; ++x) {
                ASSERT_EQ(back.pixel(x, y), lane) << x << "," << y;
            }
        }
    }
}

TEST(PlayFolder, RunnerFilesAreTwoFrameStripsThatFitARunnerBox)
{
    const QImage back(kPlay.filePath("back.bmp"));
    const QStringList runners = kPlay.entryList({"*.rnx"});
    ASSERT_GE(runners.size(), 2);
    for (const QString& name : runners) {
        const QImage strip = imageOf(kPlay.filePath(name), "bmp");
        const int frameWidth = strip.width() / 2;
        EXPECT_EQ(strip.width() % 2, 0) << name.toStdString();
        EXPECT_LE(frameWidth, 48) << name.toStdString();
        EXPECT_LE(strip.height(), 43) << name.toStdString();
        EXPECT_NE(strip.copy(0, 0, frameWidth, strip.height()), strip.copy(frameWidth, 0, frameWidth, strip.height()))
            << name.toStdString() << ": the two frames are the same";
        EXPECT_EQ(strip.pixel(0, 0), back.pixel(kLaneStart)) << name.toStdString() << ": frames match the lane";
    }
}

}  // namespace
