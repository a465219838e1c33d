#include "ui/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <cstdio>
#include <optional>

#include "disk/folders.h"
#include "disk/plain_file.h"

namespace ui::settings {

namespace {

// A settings file the game wrote is a few dozen bytes.
constexpr qint64 kMaxBytes = 64 * 1024;
const QString kFullScreen = QStringLiteral("fullScreen");
const QString kMuted = QStringLiteral("muted");

// APP/APP.conf in the config folder; empty without one
QString filePath()
{
    const QString config = disk::xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
    if (config.isEmpty()) return {};
    const QString app = QCoreApplication::applicationName();
    return config + u'/' + app + u'/' + app + QStringLiteral(".conf");
}

// The key=value lines of the file's [General] section, as the file is written
QMap<QString, QString> stored(const QString& path)
{
    QMap<QString, QString> values;
    const disk::Read read = disk::readPlainFile(path, kMaxBytes, disk::Links::Refused);
    bool general = true;
    for (const QByteArray& line : read.bytes.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(u'[')) general = text == QLatin1String("[General]");
        else if (const qsizetype equals = text.indexOf(u'='); general && equals > 0)
            values.insert(text.left(equals).trimmed(), text.mid(equals + 1).trimmed());
    }
    return values;
}

// Only the word the game writes counts: anything else means the default, off.
bool flag(const QString& key) { return stored(filePath()).value(key) == QLatin1String("true"); }

void storeFlag(const QString& key, bool on)
{
    const QString path = filePath();
    if (path.isEmpty()) return;
    QMap<QString, QString> values = stored(path);
    values.insert(key, on ? QStringLiteral("true") : QStringLiteral("false"));
    QByteArray bytes = "[General]\n";
    for (auto value = values.cbegin(); value != values.cend(); ++value) bytes += (value.key() + u'=' + value.value()).toUtf8() + '\n';
    // A folder that cannot be made shows up as the reason the file cannot be saved.
    QDir().mkpath(QFileInfo(path).path());
    if (const std::optional<QString> failure = disk::savePlainFile(path, bytes, kMaxBytes))
        std::fprintf(stderr, "%s: the settings could not be saved: %s\n", qUtf8Printable(QCoreApplication::applicationName()),
                     qUtf8Printable(*failure));
}

}  // namespace

bool fullScreen() { return flag(kFullScreen); }
void setFullScreen(bool on) { storeFlag(kFullScreen, on); }

bool muted() { return flag(kMuted); }
void setMuted(bool on) { storeFlag(kMuted, on); }

}  // namespace ui::settings
