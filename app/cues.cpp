#include "app/cues.h"

#include <QCoreApplication>

#include "ui/settings.h"

GameSound::GameSound(bool off) : mixer_(QCoreApplication::applicationName().toStdString())
{
    mixer_.setMuted(off || ui::settings::muted());
}

void GameSound::open()
{
    openWanted_ = true;
    if (!muted()) mixer_.open();
}

void GameSound::setMuted(bool on)
{
    mixer_.setMuted(on);
    ui::settings::setMuted(on);
    if (!on && openWanted_) mixer_.open();
}
