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

// Only the word the game writes counts: anything else in a broken file means off.
bool isOn(const QString& key)
{
    QSettings stored(filePath(), QSettings::IniFormat);
    return stored.status() == QSettings::NoError && stored.value(key).toString() == QLatin1String("true");
}

void store(const QString& key, bool on)
{
    QSettings stored(filePath(), QSettings::IniFormat);
    stored.setValue(key, on);
}
}  // namespace

bool fullScreen() { return isOn(kFullScreen); }
void setFullScreen(bool on) { store(kFullScreen, on); }

bool muted() { return isOn(kMuted); }
void setMuted(bool on) { store(kMuted, on); }

}  // namespace ui::settings
