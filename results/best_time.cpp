#include "app/cues.h"
#include "app/program.h"
#include "files/best_time_file.h"
#include "results/form3.h"
#include "ui/platform.h"

namespace results {

namespace {

// The record update's view of the results screen: row 1 is the winner.
class ResultsBoard : public files::RecordBoard {
public:
    explicit ResultsBoard(Form3& screen) : screen_(screen) {}

    QString winnerName() override { return screen_.Label1(1)->Caption(); }
    QString winnerTime() override { return screen_.Label7(1)->Caption(); }
    void showNewRecord() override
    {
        screen_.Label8->setVisible(true);
        screen_.Label9->setVisible(true);
        playCue(Cue::Record);
    }
    void setBestTimeLine(const QString& text) override { screen_.Label5->setCaption(text); }
    void messageBox(const QString& text) override { ui::msgBox(text, kProgramTitle); }

private:
    Form3& screen_;
};

}  // namespace

void Form3::updateBestTime()
{
    ResultsBoard board(*this);
    files::updateBestTime(board);
}

}  // namespace results
