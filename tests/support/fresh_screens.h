#pragma once
// Every screen afresh for each test, on a clock the test moves, with a new recording platform, and
// neither "temp.tmp" nor a best-time file left over from the test before.
#include <optional>

#include <QDir>
#include <QFile>

#include "app/forms.h"
#include "files/best_time_file.h"
#include "recording_platform.h"
#include "test_clock.h"
#include "ui/fonts.h"

class FreshScreens {
public:
    FreshScreens() { ui::installFontSubstitutes(); }
    // While the application still runs, and every timer gone before its clock
    ~FreshScreens() { discardForms(), runDeferred(); }

    RecordingPlatform& reset()
    {
        discardForms();
        runDeferred();
        QFile::remove(QStringLiteral("temp.tmp"));
        QFile::remove(files::bestTimeFilePath(QStringLiteral("C:\\Windows\\tapdash.ini")));
        platform_.reset();
        clock_.emplace();
        stage_.emplace(*clock_);
        makeForms(*stage_);
        return platform_.emplace();
    }
    TestClock& clock() { return *clock_; }
    ui::Stage& stage() { return *stage_; }

private:
    std::optional<RecordingPlatform> platform_;
    std::optional<TestClock> clock_;
    std::optional<ui::Stage> stage_;
};

// A path in the working directory
inline QString workPath(const QString& name = {}) { return QDir::cleanPath(QDir::current().filePath(name)); }
