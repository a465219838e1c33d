#pragma once
// Every screen afresh for each test, on a stage of its own: a clock the test moves, a recording
// platform, the game's own pictures, and neither "temp.tmp" nor a best-time file left over from
// the test before.
#include <optional>

#include <QDir>
#include <QFile>

#include "app/forms.h"
#include "app/own_pictures.h"
#include "files/best_time_file.h"
#include "recording_platform.h"
#include "test_clock.h"
#include "ui/fonts.h"

class FreshScreens {
public:
    FreshScreens() { ui::installFonts(); }
    ~FreshScreens() { close(); }  // while the application still runs

    RecordingPlatform& reset()
    {
        close();
        QFile::remove(QStringLiteral("temp.tmp"));
        QFile::remove(files::bestTimeFilePath(QStringLiteral("C:\\Windows\\tapdash.ini")));
        stage_.emplace(clock_.emplace(), platform_.emplace(), &pictures_);
        restart();
        return *platform_;
    }
    // The program starts anew on the same stage: every screen made afresh, none of the old ones'
    // handlers run. Their cues play on `sound`, which is to outlive them, or nowhere.
    void restart(GameSound* sound = nullptr)
    {
        screens_.reset();
        runDeferred();
        current() = &screens_.emplace(*stage_, sound);
    }
    TestClock& clock() { return *clock_; }
    ui::Stage& stage() { return *stage_; }

    // The screens of the test under way
    static Forms*& current()
    {
        static Forms* screens = nullptr;
        return screens;
    }

private:
    // Screens first, then what they share, each once the event loop is done with what it deferred
    void close()
    {
        current() = nullptr;
        screens_.reset();
        runDeferred();
        stage_.reset();
        runDeferred();
    }

    const OwnPictures pictures_;  // the game's, drawn afresh in full screen as in the game
    std::optional<TestClock> clock_;
    std::optional<RecordingPlatform> platform_;
    std::optional<ui::Stage> stage_;
    std::optional<Forms> screens_;
};

// The screens of the test under way, reached by name as the handlers reach them
inline Forms& forms() { return *FreshScreens::current(); }

// A path in the working directory
inline QString workPath(const QString& name = {}) { return QDir::cleanPath(QDir::current().filePath(name)); }
