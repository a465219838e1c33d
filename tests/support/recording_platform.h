#pragma once
// What every widget test here shares: a platform that records message boxes and answers them at
// once (or holds them open for a while, running the event loop as a real box would), and a way
// to let the event loop finish what it deferred, retired windows included.
#include <functional>

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include "ui/platform.h"

class RecordingPlatform : public ui::Platform {
public:
    RecordingPlatform() { ui::setPlatform(this); }
    ~RecordingPlatform() override { ui::setPlatform(nullptr); }

    void showMessage(const QString& text, const QString& title) override
    {
        messages << text;
        titles << title;
        if (whenShown) whenShown();
        if (holdOpenMs > 0) {
            QEventLoop box;
            QTimer::singleShot(holdOpenMs, &box, &QEventLoop::quit);
            box.exec();
        }
    }
    void endProgram() override { ++programEnds; }

    QStringList messages, titles;
    int holdOpenMs = 0;
    std::function<void()> whenShown;  // runs while each box is open
    int programEnds = 0;
};

inline void runDeferred()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
