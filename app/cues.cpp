#include "app/cues.h"

#include <QApplication>
#include <QKeyEvent>

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
