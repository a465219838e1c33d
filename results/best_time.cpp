#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <cstdio>
#include <utility>

#include "app/cues.h"
#include "app/program.h"
#include "files/best_time_file.h"
#include "results/form3.h"

namespace results {

namespace {

// The record update's view of the results screen: row 1 is the winner. An update that waited for
// another game may end after this screen has gone (or gone and come back for the next race): it
// then touches no control, and its message goes to standard error.
class ResultsBoard : public files::RecordBoard {
public:
    explicit ResultsBoard(Form3& screen) : screen_(screen), window_(screen.window()) {}

    QString winnerName() override { return screen_.Label1(1)->Caption(); }
    QString winnerTime() override { return screen_.Label7(1)->Caption(); }
    void showNewRecord() override
    {
        if (!stillShown()) return;
        screen_.Label8->setVisible(true);
        screen_.Label9->setVisible(true);
        screen_.playCue(Cue::Record);
    }
    // Said once a run
    void noRecordFolder() override
    {
        if (!std::exchange(screen_.NoRecordFolderSaid, true))
            messageBox(QStringLiteral("The best time cannot be kept: neither XDG_DATA_HOME nor HOME names a folder for it."));
    }
    void setBestTimeLine(const QString& text) override
    {
        if (stillShown()) screen_.Label5->setCaption(text);
    }
    void messageBox(const QString& text) override
    {
        if (stillShown()) screen_.stage().msgBox(text, kProgramTitle);
        else std::fprintf(stderr, "%s: %s\n", qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(QString(text).replace(u'\n', u' ')));
    }

private:
    // The very screen the update began on, still shown. Its window is asked first: an unloaded
    // screen's window is hidden until it goes, and the screens themselves go before the program's
    // end, when an update still waiting is finished.
    bool stillShown()
    {
        return window_ && window_->isVisible() && screen_.isLoaded() && screen_.window() == window_;
    }

    Form3& screen_;
    QPointer<QWidget> window_;
};

}  // namespace

void Form3::updateBestTime() { files::updateBestTime(std::make_unique<ResultsBoard>(*this)); }

}  // namespace results
