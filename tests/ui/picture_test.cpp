// Pictures: the format comes from the content, a picture too large to hold is refused with its
// size, the same bytes decode once and a strip cut in two gives its halves. Runner files that
// cannot be used are refused through the screens in tests/corpus, where missing pictures are too.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "test_main.h"
#include "ui/colors.h"
#include "ui/picture.h"
#include "ui/picture_clip.h"

class PictureTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;

private slots:
    void picturesAreKnownByTheirContentAndTooLargeOnesRefused()
    {
        QImage figure(48, 43, QImage::Format_RGB32);
        figure.fill(Qt::green);
        QVERIFY(figure.save(scratch.filePath("bitmap.rnx"), "BMP"));
        QVERIFY(QFile::copy(":/assets/tapdash.ico", scratch.filePath("icon.rnx")));
        QVERIFY(QFile::copy(":/assets/default_runner.gif", scratch.filePath("strip.rnx")));
        for (const auto& [name, size] : {std::pair{"bitmap.rnx", QSize(48, 43)}, {"icon.rnx", {32, 32}}, {"strip.rnx", {50, 25}}}) {
            const ui::LoadedPicture loaded = ui::loadPicture(scratch.filePath(name));
            QVERIFY2(loaded.ok(), qPrintable(name + (": " + loaded.error)));
            QCOMPARE(loaded.image.size(), size);
        }

        // The bitmap's header made to claim 8000 x 8000 pixels (0x1f40 each, little-endian): small
        // enough for the toolkit's own checks, which would take 256 MB for it
        QFile bitmap(scratch.filePath("bitmap.rnx"));
        QVERIFY(bitmap.open(QIODevice::ReadWrite) && bitmap.seek(18));
        QVERIFY(bitmap.write(QByteArray::fromHex("401f0000401f0000")) == 8 && bitmap.flush());
        const ui::LoadedPicture large = ui::loadPicture(bitmap.fileName());
        QVERIFY2(!large.ok() && large.error.contains("8000 x 8000"), qPrintable(large.error));
    }

    void theSameBytesShareOneDecodedPictureAChangedFileDoesNot()
    {
        const QString path = scratch.filePath("shared.bmp");
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(path, "BMP"));
        const QImage first = ui::loadPicture(path).image;
        QCOMPARE(ui::loadPicture(path).image.constBits(), first.constBits());

        picture.fill(Qt::blue);
        QVERIFY(picture.save(path, "BMP"));
        const QImage changed = ui::loadPicture(path).image;
        QVERIFY(changed.constBits() != first.constBits() && changed.pixelColor(0, 0) == QColor(Qt::blue));
        QVERIFY(QFile::remove(path) && !ui::loadPicture(path).ok());  // every load still goes to the file
    }

    void aStripCutInTwoGivesItsHalves()
    {
        ui::PictureClip clip;
        clip.setPicture(QImage(":/assets/default_runner.gif"));
        clip.setCols(2);
        QImage half(25, 25, QImage::Format_RGB32);
        half.fill(ui::colors::yellow);
        QCOMPARE(clip.GraphicCell(0).convertToFormat(QImage::Format_RGB32), half);
        half.fill(ui::colors::blue);
        QCOMPARE(clip.GraphicCell(1).convertToFormat(QImage::Format_RGB32), half);
        QVERIFY(clip.GraphicCell(2).isNull());
        // Cut once: every press hands out the same cell, not a new copy of it
        QCOMPARE(clip.GraphicCell(1).constBits(), clip.GraphicCell(1).constBits());
        clip.setPicture(QImage(1, 43, QImage::Format_RGB32));
        QVERIFY(clip.GraphicCell(0).isNull());
    }
};

TAPDASH_TEST_MAIN(PictureTest)
#include "picture_test.moc"
