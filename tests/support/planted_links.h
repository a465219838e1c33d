#pragma once
// What a link planted in a game's folder may point at, and a way to see that it was left alone.
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "file_bytes.h"

// Adds a "target" column with rows for another file, nothing and a device node, and with
// `hardLink` a row "hard link" to a file of its own. The node is made in `folder` when this process
// may (root), else the system's /dev/null, which no one else may replace.
inline void addLinkTargetRows(const QDir& folder, const QString& prefix = {}, bool hardLink = false)
{
    QTest::addColumn<QString>("target");
    const QString node = folder.filePath("node");
    const bool madeNode = QFileInfo::exists(node) || mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    store(folder.filePath("other"), "another file");
    QTest::newRow(qPrintable(prefix + "to another file")) << folder.filePath("other");
    QTest::newRow(qPrintable(prefix + "dangling")) << folder.filePath("gone");
    QTest::newRow(qPrintable(prefix + "to a device")) << (madeNode ? node : QStringLiteral("/dev/null"));
    const QString linked = folder.filePath(prefix.trimmed() + " linked");
    if (hardLink && store(linked, "another file")) QTest::newRow(qPrintable(prefix + "hard link")) << linked;
}

// Enough of a file's state to see it untouched
inline QString fileState(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("nothing");
    return info.isFile() ? QString::fromUtf8("file: " + fileBytes(path)) : QStringLiteral("not a file");
}
