#pragma once
// Loading pictures from files: bitmaps, GIFs, PNGs and icons, the format found from the content.
#include <QImage>
#include <QString>

namespace ui {

// Pictures larger than this many pixels are refused before any memory is taken for them.
inline constexpr qint64 kLargestPicturePixels = 4096LL * 4096LL;
// And picture files larger than this are not read at all.
inline constexpr qint64 kLargestPictureFileBytes = 4 * kLargestPicturePixels + 65536;

struct LoadedPicture {
    QImage image;   // null when the file could not be used
    QString error;  // why, when it could not
    bool ok() const { return !image.isNull(); }
};

// A relative path is taken from the working directory. A link is followed; what it leads to must
// be a regular file (disk/plain_file.h).
LoadedPicture loadPicture(const QString& path);

// A picture of which nothing below the top `rows` rows is ever drawn: only those rows. Of an
// uncompressed bitmap, a PNG or a JPEG only they are decoded, however large the picture; a
// picture of any other kind is decoded whole, and refused as too large when that would take more
// than a few megabytes.
LoadedPicture loadPictureTop(const QString& path, int rows);

// A picture a screen cannot do without: on failure one line goes to standard error naming the
// file and the reason, and a null picture comes back so the screen keeps its own colour.
QImage loadPictureOrWarn(const QString& path);

}  // namespace ui
