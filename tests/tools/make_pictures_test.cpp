// The pictures the generator draws, against what the game relies on: the committed built-in
// pictures are its output, in the formats and shapes the game reads, and the play folder's
// pictures have the sizes and runner strips the screens expect.
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
    EXPECT_TRUE(reader.format() == expectedFormat && reader.imageCount() == 1) << path.toStdString();
    return reader.read();
}

const QDir kAssets(ASSETS_SOURCE_DIR), kPlay(TAPDASH_PICTURES_DIR);

// The default runner is checked where the game loads it and cuts it in two (picture_test): any
// 50 x 25 picture of a yellow and a blue half will do.
TEST(BuiltInPictures, AreTheGeneratorsOutputInTheirFormats)
{
    for (const char* name : {"default_runner.gif", "tapdash.ico"})
        EXPECT_EQ(bytesOf(kAssets.filePath(name)), bytesOf(QDir(FRESH_ASSETS_DIR).filePath(name))) << name;

    // One 32 x 32 icon, its corners rounded
    const QImage icon = imageOf(kAssets.filePath("tapdash.ico"), "ico");
    EXPECT_TRUE(icon.size() == QSize(32, 32) && qAlpha(icon.pixel(0, 0)) == 0 && qAlpha(icon.pixel(16, 16)) == 255);
}

// Runner boxes are 48 x 43 at the lane tops (y 96 to 240, 48 apart) and move from x 144 to 544
// by their left edge: the lanes are one colour there, and the runner strips two frames that fit.
TEST(PlayFolder, PicturesFitTheScreensAndTheLanes)
{
    const QImage back = imageOf(kPlay.filePath("back.bmp"), "bmp");
    // The race screen's size, 24 bits per pixel
    EXPECT_TRUE(back.width() >= 634 && back.height() >= 455 && bytesOf(kPlay.filePath("back.bmp"))[28] == 24);
    for (const char* splash : {"orvenspres.bmp", "tapdash.bmp"})
        EXPECT_EQ(imageOf(kPlay.filePath(splash), "bmp").size(), QSize(299, 213)) << splash;

    const QRgb lane = back.pixel(144, 96);
    for (int top = 96; top <= 240; top += 48)
        for (int y = top; y < top + 43; ++y)
            for (int x = 144; x < 544 + 48; ++x) ASSERT_EQ(back.pixel(x, y), lane) << x << "," << y;

    const QStringList runners = kPlay.entryList({"*.rnx"});
    ASSERT_GE(runners.size(), 2);
    for (const QString& name : runners) {
        SCOPED_TRACE(name.toStdString());
        const QImage strip = imageOf(kPlay.filePath(name), "bmp");
        const int frame = strip.width() / 2;
        // Two different frames that fit, in the lane's colour
        EXPECT_TRUE(strip.width() % 2 == 0 && frame <= 48 && strip.height() <= 43 && strip.pixel(0, 0) == lane);
        EXPECT_NE(strip.copy(0, 0, frame, strip.height()), strip.copy(frame, 0, frame, strip.height()));
    }
}

}  // namespace
