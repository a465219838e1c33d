#include "disk/folders.h"

#include <QDir>
#include <QFile>

namespace disk {

QString xdgFolder(const char* variable, const QString& homeFallback)
{
    const QString base = QFile::decodeName(qgetenv(variable));
    if (QDir::isAbsolutePath(base)) return QDir::cleanPath(base);
    const QString home = QFile::decodeName(qgetenv("HOME"));
    if (!QDir::isAbsolutePath(home)) return {};
    return QDir::cleanPath(home + u'/' + homeFallback);
}

}  // namespace disk
