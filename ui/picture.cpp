#include "ui/picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include <png.h>

#include "disk/plain_file.h"

namespace ui {

namespace {

// A load of the top rows decodes no more than this: a whole picture of a kind it cannot cut, or
// the rows of one it can.
constexpr qint64 kLargestWholeDecodeBytes = 4 << 20;

QString tooLarge(qint64 width, qint64 height)
{
    return QStringLiteral("picture too large (%1 x %2 pixels)").arg(width).arg(height);
}

// What a bitmap file's header says of its size, when it has 32-bit size fields
struct BitmapHeader {
    qint64 dataOffset, width, height;  // the height is negative for rows stored from the top down
    qint64 rowBytes;                   // of one row of pixels, when they are stored uncompressed
    bool uncompressed;                 // else run-length data, of no fixed length
};

std::optional<BitmapHeader> bitmapHeader(QFile& file)
{
    const QByteArray start = file.peek(34);
    if (start.size() < 34 || !start.startsWith("BM")) return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(start.constData());
    if (qFromLittleEndian<quint32>(bytes + 14) < 40) return std::nullopt;
    const qint64 width = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 18)));
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    return BitmapHeader{qFromLittleEndian<quint32>(bytes + 10), width, qFromLittleEndian<qint32>(bytes + 22),
                        (width * qFromLittleEndian<quint16>(bytes + 28) + 31) / 32 * 4, compression == 0 || compression == 3};
}

// What a bitmap file's header tells against it. The toolkit refuses a bitmap it finds too large
// without saying why, and reads one whose file ends early as a whole picture, the missing rows
// left uninitialised; an uncompressed bitmap's header tells how long its file must be.
std::optional<QString> bitmapFault(QFile& file)
{
    const std::optional<BitmapHeader> header = bitmapHeader(file);
    if (!header) return std::nullopt;
    const qint64 height = std::abs(header->height);
    if (header->width * height > kLargestPicturePixels) return tooLarge(header->width, height);
    if (header->uncompressed && file.size() < header->dataOffset + header->rowBytes * height)
        return QStringLiteral("the picture file is cut short");
    return std::nullopt;
}

// The top `rows` rows of an uncompressed bitmap taller than that, as a bitmap file of its own: the
// header and colour table with the height cut, then only those rows, read from where they lie.
std::optional<QByteArray> bitmapTop(QFile& file, int rows)
{
    const std::optional<BitmapHeader> header = bitmapHeader(file);
    if (!header || !header->uncompressed || std::abs(header->height) <= rows || header->dataOffset > 65536) return std::nullopt;
    QByteArray top = file.read(header->dataOffset);
    // Rows are stored from the bottom up unless the height is negative.
    const qint64 skipped = header->height < 0 ? 0 : (header->height - rows) * header->rowBytes;
    if (top.size() != header->dataOffset || !file.seek(header->dataOffset + skipped)) return std::nullopt;
    top += file.read(rows * header->rowBytes);
    auto* bytes = reinterpret_cast<uchar*>(top.data());
    qToLittleEndian<quint32>(quint32(top.size()), bytes + 2);
    qToLittleEndian<qint32>(header->height < 0 ? -rows : rows, bytes + 22);
    qToLittleEndian<quint32>(quint32(rows * header->rowBytes), bytes + 34);
    return top;
}

// Where libpng reads from and says what went wrong
struct PngSource {
    QIODevice* device;
    QString error;
};

void readPngBytes(png_structp png, png_bytep data, size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->device->read(reinterpret_cast<char*>(data), qint64(length)) != qint64(length))
        png_error(png, "the picture file is cut short");
}

[[noreturn]] void pngFailed(png_structp png, png_const_charp message)
{
    static_cast<PngSource*>(png_get_error_ptr(png))->error = QString::fromUtf8(message);
    png_longjmp(png, 1);
}

void pngWarned(png_structp, png_const_charp) {}

// The top `rows` rows of a PNG picture, decoded row by row (of an interlaced picture, every pass
// over those rows): never more of it is held than those rows and one row more. Eight bits a
// channel, as the screens draw it.
QImage pngTop(QIODevice& device, int rows, QString& error)
{
    // Everything libpng's jump back may meet lives on the heap, set up before the jump point.
    const auto source = std::make_unique<PngSource>(PngSource{&device, {}});
    const auto band = std::make_unique<QImage>();
    const auto spare = std::make_unique<std::vector<png_byte>>();
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, source.get(), pngFailed, pngWarned);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = source->error.isEmpty() ? QStringLiteral("not a readable picture") : source->error;
        return {};
    }
    png_set_read_fn(png, source.get(), readPngBytes);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    const int kept = int(std::min<png_uint_32>(height, png_uint_32(rows)));
    if (qint64(width) * height > kLargestPicturePixels || qint64(width) * kept * 4 > kLargestWholeDecodeBytes) {
        source->error = tooLarge(width, height);
        png_longjmp(png, 1);
    }
    png_set_scale_16(png);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    const bool alpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *band = QImage(int(width), kept, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
    if (band->isNull()) png_error(png, "out of memory");
    spare->resize(png_get_rowbytes(png, info));
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < (passes == 1 ? png_uint_32(kept) : height); ++y)
            png_read_row(png, int(y) < kept ? band->scanLine(int(y)) : spare->data(), nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return std::move(*band);
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

LoadedPicture read(QImageReader& reader, int rows)
{
    if (!reader.canRead()) {
        const QString why = reader.errorString();
        return {{}, why.isEmpty() || why == QLatin1String("Unknown error") ? QStringLiteral("not a picture") : why};
    }
    QSize size = reader.size();
    size.setHeight(std::abs(size.height()));  // negative for a bitmap stored from the top down
    if (size.isValid() && qint64(size.width()) * size.height() > kLargestPicturePixels)
        return {{}, tooLarge(size.width(), size.height())};
    // Of a kind whose reader decodes only the rows asked for (JPEG), only the top rows are read;
    // any other is decoded whole, so it must be small.
    if (rows > 0 && size.isValid() && size.height() > rows && reader.supportsOption(QImageIOHandler::ClipRect))
        reader.setClipRect(QRect(0, 0, size.width(), rows));
    else if (rows > 0) {
        const int bits = reader.imageFormat() == QImage::Format_Invalid ? 64 : QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
        if (!size.isValid() || qint64(size.width()) * size.height() * bits / 8 > kLargestWholeDecodeBytes)
            return {{}, tooLarge(size.width(), size.height())};
    }

    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        const QString why = reader.errorString();
        return {{}, why.isEmpty() ? QStringLiteral("not a readable picture") : why};
    }
    if (rows > 0 && image.height() > rows) image = image.copy(0, 0, image.width(), rows);
    // An opaque picture is kept at three bytes a pixel rather than four: the screens draw it
    // unchanged, and a background shared by every screen takes 0.3 MiB less.
    if (image.format() == QImage::Format_RGB32) image.convertTo(QImage::Format_RGB888);
    return {std::move(image), {}};
}

// The picture in the file, read from its start; with `rows`, only its top rows, and of a bitmap
// or PNG only those rows are read, however large the picture
LoadedPicture decode(QFile& file, int rows)
{
    QString error;
    if (rows > 0) {
        if (std::optional<QByteArray> top = bitmapTop(file, rows)) {
            QBuffer buffer(&*top);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "bmp");
            return read(reader, rows);
        }
        if (file.peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8)) {
            QImage top = pngTop(file, rows, error);
            if (top.isNull()) return {{}, error};
            return {std::move(top), {}};
        }
    }
    const QByteArray format = knownFormat(file);
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(format.isEmpty());
    reader.setAutoDetectImageFormat(format.isEmpty());
    return read(reader, rows);
}

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

}  // namespace

std::shared_ptr<const QImage> PictureLoader::stillShown(const QByteArray& digest, int rows)
{
    std::erase_if(shown_, [](const Decoded& entry) { return entry.image.expired(); });
    for (const Decoded& entry : shown_)
        if (entry.digest == digest && entry.rows == rows) return entry.image.lock();
    return nullptr;
}

LoadedPicture PictureLoader::load(const QString& path, int rows)
{
    // A player's picture may be a link; whatever it leads to must be a regular file.
    disk::Opened opened = disk::openPlainFile(path, kLargestPictureFileBytes, disk::Links::Followed);
    switch (opened.trouble) {
    case disk::Trouble::None: break;
    case disk::Trouble::Missing: return {{}, QStringLiteral("no such file")};
    case disk::Trouble::NotAFile: return {{}, QStringLiteral("not a file")};
    case disk::Trouble::TooLarge: return {{}, QStringLiteral("picture file too large")};
    case disk::Trouble::Unreadable: return {{}, opened.reason};
    }
    QFile& file = *opened.file;
    if (const std::optional<QString> fault = bitmapFault(file)) return {{}, *fault};

    // The file is hashed and decoded straight from the disk, never held whole in memory: a
    // background's bytes alone are near a megabyte, and the allocator keeps such a freed block.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) return {{}, file.errorString()};
    const QByteArray digest = hash.result();
    if (std::shared_ptr<const QImage> decoded = stillShown(digest, rows)) return {sharing(std::move(decoded)), {}};

    if (!file.seek(0)) return {{}, file.errorString()};
    LoadedPicture picture = decode(file, rows);
    if (!picture.ok()) return picture;
    auto decoded = std::make_shared<const QImage>(std::move(picture.image));
    shown_.push_back({digest, rows, decoded});
    return {sharing(std::move(decoded)), {}};
}

QImage PictureLoader::loadOrWarn(const QString& path)
{
    LoadedPicture picture = load(path);
    if (!picture.ok())
        std::fprintf(stderr, "%s: cannot load picture \"%s\": %s\n",
                     qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(path),
                     qUtf8Printable(picture.error));
    return picture.image;
}

}  // namespace ui
