#include "ui/settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace ui::settings {

namespace {
const QString kFullScreen = QStringLiteral("fullScreen");
const QString kMuted = QStringLiteral("muted");

// APP/APP.conf in the config folder, APP being the application's name
QString filePath()
{
    const QString app = QCoreApplication::applicationName();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + app + u'/' + app
           + QStringLiteral(".conf");
}
}  // namespace

bool fullScreen()
{
    QSettings stored(filePath(), QSettings::IniFormat);
    // Only the word the game writes counts: anything else in a broken file means windowed.
    return stored.status() == QSettings::NoError && stored.value(kFullScreen).toString() == QLatin1String("true");
}

void setFullScreen(bool on)
{
    QSettings stored(filePath(), QSettings::IniFormat);
    stored.setValue(kFullScreen, on);
}

bool muted()
{
    QSettings stored(filePath(), QSettings::IniFormat);
    // As for full screen: only the word the game writes silences it.
    return stored.status() == QSettings::NoError && stored.value(kMuted).toString() == QLatin1String("true");
}

void setMuted(bool on)
{
    QSettings stored(filePath(), QSettings::IniFormat);
    stored.setValue(kMuted, on);
}

}  // namespace ui::settings
