#include "ui/picture.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace ui {

namespace {

QString tooLarge(qint64 width, qint64 height)
{
    return QStringLiteral("picture too large (%1 x %2 pixels)").arg(width).arg(height);
}

// What a bitmap file's header tells against it. The toolkit refuses a bitmap it finds too large
// without saying why, and reads one whose file ends early as a whole picture, the missing rows
// left uninitialised; an uncompressed bitmap's header tells how long its file must be.
std::optional<QString> bitmapFault(QFile& file)
{
    const QByteArray header = file.peek(34);
    if (header.size() < 34 || !header.startsWith("BM")) return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    if (qFromLittleEndian<quint32>(bytes + 14) < 40) return std::nullopt;  // no 32-bit size fields
    const qint64 width = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 18)));
    const qint64 height = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 22)));
    if (width * height > kLargestPicturePixels) return tooLarge(width, height);

    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    if (compression != 0 && compression != 3) return std::nullopt;  // run-length data: no fixed length
    const qint64 rowBytes = (width * qFromLittleEndian<quint16>(bytes + 28) + 31) / 32 * 4;
    if (file.size() < qFromLittleEndian<quint32>(bytes + 10) + rowBytes * height)
        return QStringLiteral("the picture file is cut short");
    return std::nullopt;
}

// The format of a file that opens as the game's own pictures do, bitmaps and GIFs; empty for any
// other. The toolkit, left to find a format itself, first loads every image format plugin
// installed to ask each about it: over half a megabyte of code for a bitmap.
QByteArray knownFormat(QFile& file)
{
    const QByteArray start = file.peek(4);
    if (start.startsWith("BM")) return "bmp";
    if (start.startsWith("GIF8")) return "gif";
    return {};
}

// The picture in the file, read from its start
LoadedPicture decode(QFile& file)
{
    const QByteArray format = knownFormat(file);
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(format.isEmpty());
    reader.setAutoDetectImageFormat(format.isEmpty());
    if (!reader.canRead()) {
        const QString why = reader.errorString();
        return {{}, why.isEmpty() || why == QLatin1String("Unknown error") ? QStringLiteral("not a picture") : why};
    }
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kLargestPicturePixels)
        return {{}, tooLarge(size.width(), size.height())};

    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        const QString why = reader.errorString();
        return {{}, why.isEmpty() ? QStringLiteral("not a readable picture") : why};
    }
    // An opaque picture is kept at three bytes a pixel rather than four: the screens draw it
    // unchanged, and a background shared by every screen takes 0.3 MiB less.
    if (image.format() == QImage::Format_RGB32) image.convertTo(QImage::Format_RGB888);
    return {std::move(image), {}};
}

// Screens load the same picture afresh, several of them at once. Each load still reads the whole
// file, but while its bytes stay the same the screens share one decoded copy. The copy lives only
// as long as a picture handed out holds it: a large picture, once nothing shows it, takes no memory.
struct Decoded {
    QByteArray digest;
    std::weak_ptr<const QImage> image;
};
std::vector<Decoded> shown;

// A picture over the pixels of the decoded one that keeps them for as long as it, or any copy of
// it, lives
QImage sharing(std::shared_ptr<const QImage> decoded)
{
    const QImage& pixels = *decoded;
    QImage image(
        pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(), pixels.format(),
        [](void* holder) { delete static_cast<std::shared_ptr<const QImage>*>(holder); },
        new std::shared_ptr<const QImage>(std::move(decoded)));
    image.setColorTable(pixels.colorTable());
    return image;
}

std::shared_ptr<const QImage> stillShown(const QByteArray& digest)
{
    std::erase_if(shown, [](const Decoded& entry) { return entry.image.expired(); });
    for (const Decoded& entry : shown)
        if (entry.digest == digest) return entry.image.lock();
    return nullptr;
}

}  // namespace

LoadedPicture loadPicture(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return {{}, QStringLiteral("no such file")};
    if (!info.isFile()) return {{}, QStringLiteral("not a file")};
    // Opened here, so that a file that cannot be read tells why rather than "File not found"
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
    if (const std::optional<QString> fault = bitmapFault(file)) return {{}, *fault};

    if (file.size() > kLargestPictureFileBytes) return {{}, QStringLiteral("picture file too large")};
    // The file is hashed and decoded straight from the disk, never held whole in memory: a
    // background's bytes alone are near a megabyte, and the allocator keeps such a freed block.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) return {{}, file.errorString()};
    const QByteArray digest = hash.result();
    if (std::shared_ptr<const QImage> decoded = stillShown(digest)) return {sharing(std::move(decoded)), {}};

    if (!file.seek(0)) return {{}, file.errorString()};
    LoadedPicture picture = decode(file);
    if (!picture.ok()) return picture;
    auto decoded = std::make_shared<const QImage>(std::move(picture.image));
    shown.push_back({digest, decoded});
    return {sharing(std::move(decoded)), {}};
}

QImage loadPictureOrWarn(const QString& path)
{
    LoadedPicture picture = loadPicture(path);
    if (!picture.ok())
        std::fprintf(stderr, "%s: cannot load picture \"%s\": %s\n",
                     qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(path),
                     qUtf8Printable(picture.error));
    return picture.image;
}

}  // namespace ui
