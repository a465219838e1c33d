#include "ui/picture.h"

#include <QFileInfo>
#include <QImageReader>

#include <cstdio>

namespace ui {

LoadedPicture loadPicture(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return {{}, QStringLiteral("no such file")};
    if (!info.isFile()) return {{}, QStringLiteral("not a file")};

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        const QString why = reader.errorString();
        return {{}, why.isEmpty() || why == QLatin1String("Unknown error") ? QStringLiteral("not a picture") : why};
    }
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kLargestPicturePixels)
        return {{}, QStringLiteral("picture too large (%1 x %2 pixels)").arg(size.width()).arg(size.height())};

    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        const QString why = reader.errorString();
        return {{}, why.isEmpty() ? QStringLiteral("not a readable picture") : why};
    }
    return {image, {}};
}

QImage loadPictureOrWarn(const QString& path)
{
    LoadedPicture picture = loadPicture(path);
    if (!picture.ok())
        std::fprintf(stderr, "tapdash: cannot load picture \"%s\": %s\n", qUtf8Printable(path),
                     qUtf8Printable(picture.error));
    return picture.image;
}

}  // namespace ui
