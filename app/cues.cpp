#include "app/cues.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "ui/settings.h"

namespace {

GameSound* current = nullptr;

// F12 is the game's own switch, never a key of a screen (so never a false start).
class SoundKey : public QObject {
public:
    explicit SoundKey(GameSound& sound) : sound_(sound) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F12) return false;
        if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) sound_.setMuted(!sound_.muted());
        return true;
    }

private:
    GameSound& sound_;
};

// Opens the device once the screen it watches has been drawn: on the next turn of the event loop,
// once the picture has gone to the display.
class OpenWhenDrawn : public QObject {
public:
    explicit OpenWhenDrawn(sound::Mixer& mixer) : mixer_(mixer) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { mixer_.open(); });
        }
        return false;
    }

private:
    sound::Mixer& mixer_;
};

}  // namespace

void playCue(Cue cue)
{
    if (current) current->mixer().play(cueSamples(cue));
}

GameSound::GameSound(bool off) : mixer_(QCoreApplication::applicationName().toStdString())
{
    mixer_.setMuted(off || ui::settings::muted());
    f12_ = std::make_unique<SoundKey>(*this);
    qApp->installEventFilter(f12_.get());
    current = this;
}

GameSound::~GameSound()
{
    if (current == this) current = nullptr;
}

void GameSound::openAfterDrawn(QWidget* screen)
{
    openWanted_ = true;
    if (muted()) return;
    if (!screen) {
        mixer_.open();
        return;
    }
    opener_ = std::make_unique<OpenWhenDrawn>(mixer_);
    screen->installEventFilter(opener_.get());
}

void GameSound::setMuted(bool on)
{
    mixer_.setMuted(on);
    ui::settings::setMuted(on);
    if (!on && openWanted_) mixer_.open();
}
