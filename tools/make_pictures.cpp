// Draws the game's pictures.
//   make_pictures PLAY_DIR         back.bmp, orvenspres.bmp, tapdash.bmp and sample runner files
//   make_pictures --assets DIR     default_runner.gif and tapdash.ico, the pictures built into the game
//   make_pictures --icons DIR      the icon theme files for the installed game (icons.h)
// Everything is drawing code (the play folder's pictures are the art library's, which the game
// draws itself too), so the same fonts give the same files on every run.
#include "icons.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <optional>

#include "art/runners.h"
#include "art/scenes.h"

namespace {

// ---- the two built-in pictures, written by hand since Qt cannot write GIF or 8-bit icons ----

void appendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.append(char((value >> (8 * i)) & 0xff));
    }
}

// A GIF89a of an 8-bit image: a 256-entry global colour table, background index 0, one image,
// no extensions. The LZW stream sends each pixel as a 9-bit literal and clears the code table
// before it needs 10-bit codes (each code after a clear adds an entry from 258 on; 512 would
// widen them); a few codes of margin keep clear of decoders that widen one code early.
QByteArray encodeGif(const QImage& indexed)
{
    constexpr int kClearCode = 256, kEndCode = 257, kLiteralsPerClear = 250;
    QByteArray codes;
    quint32 pending = 0;
    int pendingBits = 0;
    const auto put = [&](int code) {
        pending |= quint32(code) << pendingBits;
        for (pendingBits += 9; pendingBits >= 8; pendingBits -= 8, pending >>= 8) {
            codes.append(char(pending & 0xff));
        }
    };
    put(kClearCode);
    int literals = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x) {
            if (literals == kLiteralsPerClear) {
                put(kClearCode);
                literals = 0;
            }
            put(indexed.pixelIndex(x, y));
            ++literals;
        }
    }
    put(kEndCode);
    if (pendingBits > 0) {
        codes.append(char(pending & 0xff));
    }

    QByteArray gif("GIF89a");
    appendLittleEndian(gif, indexed.width(), 2);
    appendLittleEndian(gif, indexed.height(), 2);
    gif.append(char(0xf7));  // global table present, 8-bit colour, 2^(7+1) entries
    gif.append(char(0));     // background colour index
    gif.append(char(0));     // square pixels
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    }
    gif.append(char(0x2c));
    appendLittleEndian(gif, 0, 4);  // image at the top-left corner
    appendLittleEndian(gif, indexed.width(), 2);
    appendLittleEndian(gif, indexed.height(), 2);
    gif.append(char(0));  // no local table, not interlaced
    gif.append(char(8));  // LZW minimum code size
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append(char(0)).append(char(0x3b));
    return gif;
}

// An icon file holding one 8-bit image: colours from the image's table, transparency from its
// alpha channel through the 1-bit AND mask. Rows are stored bottom-up, as in every DIB.
// Nothing when the picture has more colours than the table holds.
std::optional<QByteArray> encodeIcon(const QImage& argb)
{
    QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) < 128) {
                opaque.setPixel(x, y, qRgb(0, 0, 0));  // black under a set mask bit shows nothing
            }
        }
    }
    const QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (indexed.convertToFormat(QImage::Format_RGB32) != opaque) {
        return std::nullopt;
    }
    const int side = indexed.width();
    const int maskRowBytes = (side + 31) / 32 * 4;
    const int pixelBytes = side * side + maskRowBytes * side;
    constexpr int kHeaderBytes = 6 + 16, kInfoBytes = 40, kPaletteBytes = 256 * 4;

    QByteArray ico;
    appendLittleEndian(ico, 0, 2);
    appendLittleEndian(ico, 1, 2);  // an icon, not a cursor
    appendLittleEndian(ico, 1, 2);  // one image
    ico.append(char(side)).append(char(side)).append(char(0)).append(char(0));  // 0 colours: 256
    appendLittleEndian(ico, 1, 2);
    appendLittleEndian(ico, 8, 2);
    appendLittleEndian(ico, kInfoBytes + kPaletteBytes + pixelBytes, 4);
    appendLittleEndian(ico, kHeaderBytes, 4);

    appendLittleEndian(ico, kInfoBytes, 4);
    appendLittleEndian(ico, side, 4);
    appendLittleEndian(ico, side * 2, 4);  // colour rows and mask rows together
    appendLittleEndian(ico, 1, 2);
    appendLittleEndian(ico, 8, 2);
    appendLittleEndian(ico, 0, 4);  // uncompressed
    appendLittleEndian(ico, pixelBytes, 4);
    appendLittleEndian(ico, 0, 4);  // no resolution, horizontal
    appendLittleEndian(ico, 0, 4);  // and vertical
    appendLittleEndian(ico, 256, 4);  // colours used
    appendLittleEndian(ico, 0, 4);
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        ico.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append(char(0));
    }
    for (int y = side - 1; y >= 0; --y) {
        ico.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), side);
    }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, 0);
        for (int x = 0; x < side; ++x) {
            if (qAlpha(argb.pixel(x, y)) < 128) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        ico.append(row);
    }
    return ico;
}

QImage defaultRunnerStrip()
{
    QImage strip(50, 25, QImage::Format_Indexed8);
    strip.setColorTable({qRgb(0xff, 0xff, 0x00), qRgb(0x00, 0x00, 0xff)});
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            strip.setPixel(x, y, x < strip.width() / 2 ? 0 : 1);
        }
    }
    return strip;
}

// A yellow runner on a red tile with rounded corners, on a 32 x 32 square.
void paintProgramIcon(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x90, 0x08, 0x08), 1.5));
    painter.setBrush(QColor(0xe8, 0x14, 0x14));  // flat: every colour must fit a 256-entry table
    painter.drawRoundedRect(QRectF(0.75, 0.75, 30.5, 30.5), 6, 6);
    painter.setPen(QPen(QColor(255, 255, 255, 190), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (const int y : {9, 14, 19}) {
        painter.drawLine(QPointF(3, y), QPointF(9, y));
    }
    painter.translate(3, 1);
    painter.scale(0.7, 0.7);
    const QColor yellow(0xff, 0xe0, 0x20);
    art::drawSprinter(painter, 0, {QColor(0x40, 0x08, 0x08), yellow, yellow.darker(140), yellow, yellow});
}

QImage programIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    paintProgramIcon(painter);
    return icon;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_pictures: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool write(const QString& path, const QImage& image)
{
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writePlayFolder(const QDir& dir)
{
    for (const art::Scene& scene : art::scenes())
        if (!write(dir.filePath(scene.fileName), scene.render())) return false;
    return write(dir.filePath("sprinter.rnx"), art::sprinterStrip()) && write(dir.filePath("robot.rnx"), art::robotStrip());
}

bool writeAssets(const QDir& dir)
{
    const std::optional<QByteArray> icon = encodeIcon(programIcon());
    if (!icon) {
        std::fprintf(stderr, "make_pictures: the program icon has more than 256 colours\n");
        return false;
    }
    return write(dir.filePath("default_runner.gif"), encodeGif(defaultRunnerStrip())) &&
           write(dir.filePath("tapdash.ico"), *icon);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");  // text needs a GUI application, never a display
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool assets = args.size() == 2 && args[0] == "--assets";
    const bool icons = args.size() == 2 && args[0] == "--icons";
    if (!assets && !icons && args.size() != 1) {
        std::fprintf(stderr, "usage: make_pictures PLAY_DIR | make_pictures --assets|--icons DIR\n");
        return 2;
    }
    const QString folder = args.last();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    if (icons) {
        return writeThemeIcons(QDir(folder), paintProgramIcon) ? 0 : 1;
    }
    return (assets ? writeAssets(QDir(folder)) : writePlayFolder(QDir(folder))) ? 0 : 1;
}
