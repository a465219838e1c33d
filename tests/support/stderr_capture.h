#pragma once
// What the program writes to standard error while a piece of a test runs.
#include <cstdio>
#include <functional>

#include <QStringList>
#include <QTemporaryFile>

#include <unistd.h>

inline QStringList stderrLines(const std::function<void()>& run)
{
    QTemporaryFile capture;
    if (!capture.open()) qFatal("cannot capture standard error");
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(capture.handle(), 2);
    run();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    capture.seek(0);
    return QString::fromUtf8(capture.readAll()).split(u'\n', Qt::SkipEmptyParts);
}
