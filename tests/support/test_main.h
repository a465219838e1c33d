#pragma once
// The main of every widget test: the test runs in a scratch folder of its own, removed when it
// ends, so running it by hand from any folder leaves that folder and $HOME as they were. "work" is
// its working directory, holding copies of the play pictures; "data" its data folder, so the
// player's own best time is never touched; "home" stands in for $HOME, for whatever else Qt or
// fontconfig would keep there.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

class TestScratch {
public:
    TestScratch()
    {
        if (!folder_.isValid()) qFatal("cannot make a scratch folder");
        for (const auto& [variable, name] : {std::pair{"HOME", "home"}, {"XDG_DATA_HOME", "data"},
                                             {"XDG_CONFIG_HOME", "home/.config"}, {"XDG_CACHE_HOME", "home/.cache"},
                                             {"XDG_RUNTIME_DIR", "runtime"}}) {
            QDir().mkpath(folder_.filePath(name));
            qputenv(variable, QFile::encodeName(folder_.filePath(name)));
        }
        QFile::setPermissions(folder_.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QDir pictures(TAPDASH_PICTURES_DIR);
        QDir().mkpath(folder_.filePath("work"));
        for (const QString& name : pictures.entryList(QDir::Files))
            if (!QFile::copy(pictures.filePath(name), folder_.filePath("work/" + name)))
                qFatal("cannot copy %s", qPrintable(name));
        QDir::setCurrent(folder_.filePath("work"));
    }
    ~TestScratch() { QDir::setCurrent(QDir::tempPath()); }  // out of the folder before it goes

private:
    QTemporaryDir folder_{QDir::tempPath() + "/tapdash-test-XXXXXX"};
};

// QTEST_MAIN with the scratch folder made before the application
#define TAPDASH_TEST_MAIN(TestObject) QTEST_MAIN_WRAPPER(TestObject, const TestScratch scratch; QTEST_MAIN_SETUP())
