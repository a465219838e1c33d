#include "icons.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr int kDesignSide = 32;

QString iconPath(const QDir& dir, const QString& size, const QString& extension)
{
    const QString folder = dir.filePath(QStringLiteral("hicolor/%1/apps").arg(size));
    return QDir().mkpath(folder) ? folder + QStringLiteral("/tapdash.") + extension : QString();
}

bool writePng(const QDir& dir, int side, const std::function<void(QPainter&)>& paint)
{
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(side) / kDesignSide, double(side) / kDesignSide);
    paint(painter);
    painter.end();
    const QString path = iconPath(dir, QStringLiteral("%1x%1").arg(side), QStringLiteral("png"));
    return !path.isEmpty() && icon.save(path, "PNG");
}

bool writeSvg(const QDir& dir, const std::function<void(QPainter&)>& paint)
{
    const QString path = iconPath(dir, QStringLiteral("scalable"), QStringLiteral("svg"));
    if (path.isEmpty()) {
        return false;
    }
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kDesignSide, kDesignSide));
    svg.setViewBox(QRect(0, 0, kDesignSide, kDesignSide));
    svg.setTitle(QStringLiteral("Tapdash"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    paint(painter);
    return painter.end();
}

}  // namespace

bool writeThemeIcons(const QDir& dir, const std::function<void(QPainter&)>& paint)
{
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        if (!writePng(dir, side, paint)) {
            std::fprintf(stderr, "make_pictures: cannot write the %d-pixel icon under %s\n", side,
                         qPrintable(dir.path()));
            return false;
        }
    }
    if (!writeSvg(dir, paint)) {
        std::fprintf(stderr, "make_pictures: cannot write the scalable icon under %s\n", qPrintable(dir.path()));
        return false;
    }
    return true;
}
