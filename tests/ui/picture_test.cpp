// Pictures: the format comes from the content, a picture too large to hold is refused with its
// size, the same bytes decode once and a strip cut in two gives its halves. Runner files that
// cannot be used are refused by the race screen in tests/results; missing pictures are met by every
// screen in tests/presentation.
#include <QFile>
#include <QTemporaryDir>
#include <QColorSpace>
#include <QTest>
#include <QtEndian>

#include "test_main.h"
#include "ui/colors.h"
#include "ui/picture.h"
#include "ui/picture_clip.h"
#include "file_bytes.h"

class PictureTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;

    static QImage filled(int width, int height, const QColor& color)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

private slots:
    void picturesAreKnownByTheirContentDecodedOnceAndTooLargeOnesRefused()
    {
        ui::PictureLoader loader;
        const QString path = scratch.filePath("bitmap.rnx");
        QVERIFY(filled(48, 43, Qt::green).save(path, "BMP") && QFile::copy(":/assets/tapdash.ico", scratch.filePath("icon.rnx"))
                && QFile::copy(":/assets/default_runner.gif", scratch.filePath("strip.rnx")));
        for (const auto& [name, size] : {std::pair{"bitmap.rnx", QSize(48, 43)}, {"icon.rnx", {32, 32}}, {"strip.rnx", {50, 25}}}) {
            const ui::LoadedPicture loaded = loader.load(scratch.filePath(name));
            QVERIFY2(loaded.ok() && loaded.image.size() == size, qPrintable(name + (": " + loaded.error)));
        }
        const QImage first = loader.load(path).image;
        QCOMPARE(loader.load(path).image.constBits(), first.constBits());
        QVERIFY(filled(48, 43, Qt::blue).save(path, "BMP"));
        const QImage changed = loader.load(path).image;
        QVERIFY(changed.constBits() != first.constBits() && changed.pixelColor(0, 0) == QColor(Qt::blue));
        QCOMPARE(loader.load(path, 20).image.height(), 20);  // its top rows are a picture of their own

        // The header made to claim the largest picture taken, 4096 x 4096 pixels, then one pixel
        // wider (little-endian): only that one is too large, found before the toolkit would take
        // 64 MB for it. Then a file as large as the largest picture's may be read, one byte more not.
        QFile bitmap(path);
        for (const auto& [size, error] : {std::pair{"0010000000100000", "the picture file is cut short"},
                                          {"0110000000100000", "picture too large (4097 x 4096 pixels)"}}) {
            QVERIFY(bitmap.open(QIODevice::ReadWrite) && bitmap.seek(18) && bitmap.write(QByteArray::fromHex(size)) == 8);
            bitmap.close();
            QCOMPARE(loader.load(path).error, error);
        }
        for (const qint64 bytes : {ui::kLargestPictureFileBytes, ui::kLargestPictureFileBytes + 1}) {
            QVERIFY(bitmap.resize(bytes));
            QCOMPARE(loader.load(path).error == "picture file too large", bytes > ui::kLargestPictureFileBytes);
        }
        QVERIFY(QFile::remove(path) && !loader.load(path).ok());  // every load still goes to the file
    }

    // A picture of which only the top rows are drawn: they come out as the whole picture's top rows,
    // and a kind that must be decoded whole is refused when large (the memory is make bench's).
    void onlyTheTopRowsAreDecoded_data()
    {
        QTest::addColumn<QString>("name");
        QImage picture(61, 50, QImage::Format_ARGB32);  // rows of 24 or 8 bits a pixel padded to whole words
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgba(x * 4, y * 5, (x ^ y) * 3, 128 + x + y));
        const QImage opaque = picture.convertToFormat(QImage::Format_RGB32), indexed = picture.convertToFormat(QImage::Format_Indexed8);
        for (const auto& [name, image] : {std::pair{"bottom-up.bmp", opaque}, {"photo.jpg", opaque}, {"palette.bmp", indexed},
                                          {"palette.png", indexed}, {"deep.png", picture.convertToFormat(QImage::Format_RGBA64)},
                                          {"large.ppm", filled(1100, 1000, Qt::red)}})
            QVERIFY2(image.save(scratch.filePath(name)), name);
        QVERIFY(QFile::copy(":/assets/default_runner.gif", scratch.filePath("strip.gif")));
        // The same bitmap with its rows stored from the top down: height negated, rows reversed
        QByteArray bitmap = fileBytes(scratch.filePath("bottom-up.bmp"));
        const int offset = qFromLittleEndian<quint32>(bitmap.constData() + 10), rowBytes = (61 * 3 + 3) / 4 * 4;
        QByteArray topDown = bitmap.left(offset);
        qToLittleEndian<qint32>(-50, topDown.data() + 22);
        for (int row = 49; row >= 0; --row) topDown += bitmap.mid(offset + row * rowBytes, rowBytes);
        QVERIFY(store(scratch.filePath("top-down.bmp"), topDown));
        for (const char* name : {"bottom-up.bmp", "top-down.bmp", "palette.bmp", "palette.png", "deep.png", "photo.jpg",
                                 "interlaced.png", "strip.gif", "large.ppm"})
            QTest::newRow(name) << QString(name);
    }
    void onlyTheTopRowsAreDecoded()
    {
        QFETCH(QString, name);
        const QString path = name == "interlaced.png" ? QFINDTESTDATA(name) : scratch.filePath(name);
        const ui::LoadedPicture top = ui::PictureLoader().load(path, 20);
        const QImage whole(path);
        const auto pixels = [](const QImage& image) {
            QImage converted = image.convertToFormat(QImage::Format_ARGB32);
            converted.setColorSpace({});  // as the screens draw it
            return converted;
        };
        if (name == "large.ppm") QCOMPARE(top.error, "picture too large (1100 x 1000 pixels)");
        else QCOMPARE(pixels(top.image), pixels(whole.copy(0, 0, whole.width(), 20)));
    }

    void aStripCutInTwoGivesItsHalves()
    {
        ui::PictureClip clip;
        clip.setPicture(QImage(":/assets/default_runner.gif"));
        clip.setCols(2);
        QCOMPARE(clip.GraphicCell(0).convertToFormat(QImage::Format_RGB32), filled(25, 25, ui::colors::yellow));
        QCOMPARE(clip.GraphicCell(1).convertToFormat(QImage::Format_RGB32), filled(25, 25, ui::colors::blue));
        // Cut once: every press hands out the same cell, not a new copy of it
        QVERIFY(clip.GraphicCell(2).isNull() && clip.GraphicCell(1).constBits() == clip.GraphicCell(1).constBits());
        // Decoded bitmaps are kept at three bytes a pixel; their cells come out the same.
        clip.setPicture(QImage(":/assets/default_runner.gif").convertToFormat(QImage::Format_RGB888));
        QCOMPARE(clip.GraphicCell(1), filled(25, 25, ui::colors::blue));
    }
};

TAPDASH_TEST_MAIN(PictureTest)
#include "picture_test.moc"
