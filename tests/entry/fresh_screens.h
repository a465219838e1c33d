#pragma once
// Every screen afresh for each test, with a new recording platform and no "temp.tmp" left over.
#include <optional>

#include <QDir>
#include <QFile>

#include "app/forms.h"
#include "recording_platform.h"

class FreshScreens {
public:
    RecordingPlatform& reset()
    {
        discardForms();
        runDeferred();
        QFile::remove(QStringLiteral("temp.tmp"));
        platform_.reset();
        return platform_.emplace();
    }
    ~FreshScreens() { discardForms(); }

private:
    std::optional<RecordingPlatform> platform_;
};

// A path in the working directory
inline QString workPath(const QString& name = {}) { return QDir::cleanPath(QDir::current().filePath(name)); }
