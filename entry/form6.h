#pragma once
// The runner file picker: browse drives, directories and "*.rnx" files and choose one runner file
// for the player whose number the entry screen wrote into Label1.
#include <QString>

#include "app/screen.h"
#include "ui/design.h"
#include "ui/lists.h"

namespace entry {

class Form6 : public Screen {
public:
    explicit Form6(Forms&);

    ui::Ref<ui::CommandButton> Command2{this};
    ui::Ref<ui::DriveList> Drive1{this};
    ui::Ref<ui::DirList> Dir1{this};
    ui::Ref<ui::CommandButton> Command1{this};
    ui::Ref<ui::FileList> File1{this};
    ui::Ref<ui::TextBox> Text1{this};
    ui::Ref<ui::Label> Label1{this};

    // The runner file path built by the last "Select"
    QString SelectedPath;

protected:
    void design(ui::Design&) override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void onCloseButton() override { Command2_Click(); }

private:
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();  // "Select"
    void Command2_Click();  // "Cancel"
};

// A directory path and a file name joined by one separator, none added after a root that
// already ends in one: ("/", "A.rnx") -> "/A.rnx", ("D:\\GAMES", "A.rnx", '\\') -> "D:\\GAMES\\A.rnx".
QString joinRunnerPath(const QString& directory, const QString& name, QChar separator);

}  // namespace entry
