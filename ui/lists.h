#pragma once
// The three file-system lists: drives (mounted volumes), directories and files. Each shows what
// it can read; a directory that cannot be listed or has vanished, or a volume that is not ready,
// leaves a shorter list and never an error. All three start at the working directory.
#include <QString>
#include <QStringList>

#include "ui/control.h"

class QComboBox;
class QListWidget;
class QWidget;

namespace ui {

// Mounted volumes by their root path, "/" first. Change is raised after the drive has changed.
class DriveList : public Control {
public:
    DriveList(QWidget* parent, double twipsPerUnit);

    QString Drive() const;  // the chosen volume's root path
    void setDrive(const QString& rootPath);  // as if the user picked it
    QStringList drives() const;

private:
    QComboBox* box_;
};

// A volume's current directory: the working directory on the working directory's volume, the
// root on any other
QString currentDirectoryOn(const QString& rootPath);

// The path from the root down to the open directory, then the open directory's subdirectories.
// A double-click (or Enter) opens the directory under it; a single click only highlights it.
// Change is raised after the path has changed, whether by the user or by setPath.
class DirList : public Control {
public:
    DirList(QWidget* parent, double twipsPerUnit);

    QString Path() const { return path_; }
    // Opens the directory; one that does not exist opens its nearest existing ancestor.
    void setPath(const QString& path);
    // The directory each line stands for, top to bottom
    QStringList entries() const;

    QListWidget* listWidget() const { return list_; }

private:
    class View;
    void fill();

    QListWidget* list_;
    QString path_;
};

// The files of one directory whose names match the pattern (letter case ignored, hidden files
// left out), sorted by name. Click is raised after the selection has changed by the user, and on
// a click on the file already selected.
class FileList : public Control {
public:
    FileList(QWidget* parent, double twipsPerUnit, const QString& pattern);

    QString Path() const { return path_; }
    void setPath(const QString& path);  // lists the directory afresh, nothing selected
    QString FileName() const;           // the selected name, empty when none is
    QStringList names() const;

    QListWidget* listWidget() const { return list_; }

private:
    class View;
    QListWidget* list_;
    QString pattern_, path_;
};

}  // namespace ui
