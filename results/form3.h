#pragma once
// The results screen: the result rows and best-time line the race screen writes, and the three
// ways on: the same players again, new players, or the end.
#include <QString>

#include "app/screen.h"
#include "pads/pads.h"
#include "ui/design.h"

namespace results {

class Form3 : public Screen {
public:
    explicit Form3(Forms&);

    ui::Ref<ui::CommandButton> Command3{this}, Command2{this}, Command1{this};
    ui::Ref<ui::Label> Label9{this}, Label8{this};
    ui::Array<ui::Label> Label7{this}, Label6{this}, Label1{this};
    ui::Ref<ui::Label> Label5{this}, Label4{this}, Label3{this}, Label2{this};

    // Fields of the player-list file as the same-players restart reads them, one player at a time
    QString NameField, FileField;
    // Whether the player was told that the best time cannot be kept, which is said once a run
    bool NoRecordFolderSaid = false;

    // Records the winner's time if it beats the stored best and writes the best-time sentence;
    // the race screen calls it once the results are shown.
    void updateBestTime();
    // Start on any pad presses "Same Players" while the screen is shown.
    void padPressed(pads::Button);

protected:
    void design(ui::Design&) override;
    void Form_Load() override;
    void onCloseButton() override { Command2_Click(); }

private:
    void Command3_Click();
    void Command2_Click();
    void Command1_Click();
};

}  // namespace results
