// Pictures: files that are no usable picture are refused with a reason, the format comes from the
// content, the same bytes decode once, a strip cut in two gives its halves, and a screen without
// its background keeps red.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>


#include "recording_platform.h"
#include "stderr_capture.h"
#include "ui/colors.h"
#include "ui/design.h"
#include "ui/picture.h"

namespace {

class BackgroundForm : public ui::Form {
protected:
    void design(ui::Design& d) override { d.screen("Background", 3000, 2250); }
    void Form_Load() override { loadBackground(QStringLiteral("back.bmp")); }
};

// A bitmap header claiming a picture of the given size, followed by a few bytes
QByteArray forgedBitmap(qint32 width, qint32 height)
{
    QByteArray bytes(54 + 16, '\0');
    const auto put32 = [&bytes](int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, quint32(bytes.size()));
    put32(10, 54);  // pixel data offset
    put32(14, 40);  // info header size
    put32(18, quint32(width));
    put32(22, quint32(height));
    qToLittleEndian<quint16>(1, bytes.data() + 26);   // planes
    qToLittleEndian<quint16>(24, bytes.data() + 28);  // bits per pixel
    return bytes;
}

bool solid(const QImage& image, const QColor& color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != color) return false;
    return !image.isNull();
}

}  // namespace

class PictureTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;
    QTemporaryDir scratch;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(scratch.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return file.fileName();
    }

private slots:
    void cleanup() { runDeferred(); }

    void unusableFilesAreRefusedWithAReason()
    {
        const QString notAPicture = write("notes.rnx", "not a picture at all\n");
        const QString forged = write("huge.bmp", forgedBitmap(100000, 100000));
        // Small enough for the toolkit's own checks, which would take 256 MB for it
        const QString large = write("large.bmp", forgedBitmap(8000, 8000));
        for (const QString& path : {notAPicture, forged, large, scratch.path(), scratch.filePath("missing.bmp")}) {
            const ui::LoadedPicture picture = ui::loadPicture(path);
            QVERIFY2(!picture.ok() && !picture.error.isEmpty(), qPrintable(path));
        }
        QVERIFY(ui::loadPicture(large).error.contains(QStringLiteral("8000")));
    }

    void picturesAreKnownByTheirContent()
    {
        QImage figure(48, 43, QImage::Format_RGB32);
        figure.fill(Qt::green);
        QVERIFY(figure.save(scratch.filePath("bitmap.rnx"), "BMP"));
        QVERIFY(QFile::copy(":/assets/tapdash.ico", scratch.filePath("icon.rnx")));
        QVERIFY(QFile::copy(":/assets/default_runner.gif", scratch.filePath("strip.rnx")));
        const QList<QPair<QString, QSize>> pictures{
            {"bitmap.rnx", {48, 43}}, {"icon.rnx", {32, 32}}, {"strip.rnx", {50, 25}}};
        for (const auto& [name, size] : pictures) {
            const ui::LoadedPicture loaded = ui::loadPicture(scratch.filePath(name));
            QVERIFY2(loaded.ok(), qPrintable(name + ": " + loaded.error));
            QCOMPARE(loaded.image.size(), size);
        }
    }

    void theSameBytesShareOneDecodedPictureAChangedFileDoesNot()
    {
        const QString path = scratch.filePath("shared.bmp");
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(path, "BMP"));
        const QImage first = ui::loadPicture(path).image;
        QCOMPARE(ui::loadPicture(path).image.cacheKey(), first.cacheKey());

        picture.fill(Qt::blue);
        QVERIFY(picture.save(path, "BMP"));
        const QImage changed = ui::loadPicture(path).image;
        QVERIFY(changed.cacheKey() != first.cacheKey());
        QCOMPARE(changed.pixelColor(0, 0), QColor(Qt::blue));
        QVERIFY(QFile::remove(path));
        QVERIFY(!ui::loadPicture(path).ok());  // every load still goes to the file
    }

    void aStripCutInTwoGivesItsHalves()
    {
        ui::PictureClip clip;
        clip.setPicture(QImage(QStringLiteral(":/assets/default_runner.gif")));
        clip.setCols(2);
        QCOMPARE(clip.GraphicCell(1).size(), QSize(25, 25));
        QVERIFY(solid(clip.GraphicCell(0), ui::colors::yellow));
        QVERIFY(solid(clip.GraphicCell(1), ui::colors::blue));
        QVERIFY(clip.GraphicCell(2).isNull());
    }

    void aMissingBackgroundKeepsTheRedScreen()
    {
        BackgroundForm covered;
        covered.load();
        QVERIFY(!covered.Picture().isNull());  // the working directory has one

        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(scratch.path()));
        BackgroundForm bare;
        const QStringList warnings = stderrLines([&bare] { bare.load(); });
        QDir::setCurrent(home);
        QVERIFY(bare.isLoaded());
        QVERIFY(bare.Picture().isNull());
        QCOMPARE(warnings.filter(QStringLiteral("back.bmp")).size(), 1);
        QCOMPARE(bare.window()->grab().toImage().pixelColor(10, 10), ui::colors::red);
    }
};

QTEST_MAIN(PictureTest)
#include "picture_test.moc"
