#pragma once
// What every widget test here shares: a platform that records message boxes and answers them at
// once (running what the test gives while each is open), or shows the real box when asked, and a
// way to let the event loop finish what it deferred, retired windows included.
#include <functional>

#include <QCoreApplication>
#include <QStringList>

#include "ui/platform.h"

class RecordingPlatform : public ui::Platform {
public:
    void showMessage(const QString& text, const QString& title, ui::TopWindow& over) override
    {
        messages << text;
        titles << title;
        if (realBoxes) ui::QtPlatform().showMessage(text, title, over);
        if (whenShown) whenShown();
    }
    void endProgram() override { ++programEnds; }

    QStringList messages, titles;
    std::function<void()> whenShown;  // runs while each box is open
    bool realBoxes = false;           // the game's own box, open until something closes it
    int programEnds = 0;
};

inline void runDeferred()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
