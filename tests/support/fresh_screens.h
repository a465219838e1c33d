#pragma once
// Every screen afresh for each test, with a new recording platform, and neither "temp.tmp" nor a
// best-time file left over from the test before.
#include <optional>

#include <QDir>
#include <QFile>

#include "app/forms.h"
#include "files/best_time_file.h"
#include "recording_platform.h"
#include "ui/fonts.h"

class FreshScreens {
public:
    FreshScreens() { ui::installFontSubstitutes(); }
    ~FreshScreens() { discardForms(); }  // while the application still runs

    RecordingPlatform& reset()
    {
        discardForms();
        runDeferred();
        QFile::remove(QStringLiteral("temp.tmp"));
        QFile::remove(files::bestTimeFilePath(QStringLiteral("C:\\Windows\\tapdash.ini")));
        platform_.reset();
        return platform_.emplace();
    }

private:
    std::optional<RecordingPlatform> platform_;
};

// A path in the working directory
inline QString workPath(const QString& name = {}) { return QDir::cleanPath(QDir::current().filePath(name)); }
