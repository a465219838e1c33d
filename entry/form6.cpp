#include "entry/form6.h"

#include <QDir>

#include "app/forms.h"
#include "ui/colors.h"

namespace entry {

using namespace ui::colors;

QString joinRunnerPath(const QString& directory, const QString& name, QChar separator)
{
    return directory.endsWith(separator) ? directory + name : directory + separator + name;
}

Form6::Form6(Forms& forms) : Screen(forms)
{
    Drive1.on([this] { Drive1_Change(); });
    Dir1.on([this] { Dir1_Change(); });
    File1.on([this] { File1_Click(); });
    Command1.on([this] { Command1_Click(); });
    Command2.on([this] { Command2_Click(); });
}

void Form6::design(ui::Design& d)
{
    d.screen("Select *.rnx file", 9510, 6825).back(red);
    d.button(Command2, "Cancel", 4920, 3960, 1695, 495).tab(5);
    d.control(Drive1, 4920, 3600, 1695, 315).tab(4);
    d.control(Dir1, 4920, 2040, 1695, 1440).tab(3);
    d.button(Command1, "Select", 3120, 3960, 1695, 495).tab(2);
    d.control(File1, 3120, 2400, 1695, 1455, QStringLiteral("*.rnx")).tab(1);
    d.textBox(Text1, QString(), 3120, 2040, 1695, 285).tab(0);
    d.label(Label1, "Label1", 2400, 960, 480, 195).fore(white).hidden().tab(6);
}

void Form6::Form_Load() { loadBackground(QStringLiteral("back.bmp")); }

// The entry screen comes back however the picker closes.
void Form6::Form_Unload(int& Cancel)
{
    (void)Cancel;
    forms().Form2.show();
}

void Form6::Drive1_Change()
{
    const QString directory = ui::currentDirectoryOn(Drive1->Drive());
    Dir1->setPath(directory);
    File1->setPath(directory);
}

void Form6::Dir1_Change() { File1->setPath(Dir1->Path()); }

void Form6::File1_Click() { Text1->setText(File1->FileName()); }

void Form6::Command1_Click()
{
    SelectedPath = joinRunnerPath(QDir::toNativeSeparators(Dir1->Path()), Text1->Text(), QDir::separator());
    const int player = Label1->Caption().toInt();
    forms().Form2.Label11(player)->setCaption(SelectedPath);
    unload();
}

void Form6::Command2_Click() { unload(); }

}  // namespace entry
