#pragma once
// Loading pictures from files: bitmaps, GIFs, PNGs and icons, the format found from the content.
#include <memory>
#include <vector>

#include <QByteArray>
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

// Loads pictures for the screens. They load the same picture afresh, several of them at once:
// each load still reads the whole file, but while its bytes stay the same they share one decoded
// copy, which lives only as long as a picture handed out holds it (a large picture, once nothing
// shows it, takes no memory).
class PictureLoader {
public:
    // A relative path is taken from the working directory. A link is followed; what it leads to
    // must be a regular file (disk/plain_file.h). With `rows`, only the top rows are wanted, as
    // nothing below them is ever drawn: of an uncompressed bitmap, a PNG or a JPEG only they are
    // decoded, however large the picture; a picture of any other kind is decoded whole, and
    // refused as too large when that would take more than a few megabytes.
    LoadedPicture load(const QString& path, int rows = 0);

    // A picture a screen cannot do without: on failure one line goes to standard error naming the
    // file and the reason, and a null picture comes back so the screen keeps its own colour.
    QImage loadOrWarn(const QString& path);

private:
    struct Decoded {
        QByteArray digest;
        int rows;
        std::weak_ptr<const QImage> image;
    };
    std::shared_ptr<const QImage> stillShown(const QByteArray& digest, int rows);

    std::vector<Decoded> shown_;
};

}  // namespace ui
