#include "ui/lists.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace ui {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString absoluteClean(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

// The root of a path is its own parent.
QString parentOf(const QString& path) { return QFileInfo(path).absolutePath(); }

QStringList mountedRoots()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) roots << volume.rootPath();
    const QString workingRoot = QStorageInfo(QDir::currentPath()).rootPath();
    if (!workingRoot.isEmpty()) roots << workingRoot;
    roots.removeDuplicates();
    const QString root = QDir::rootPath();
    std::sort(roots.begin(), roots.end(), [&root](const QString& a, const QString& b) {
        return a == root ? b != root : b != root && a < b;
    });
    return roots;
}

QString driveCaption(const QString& rootPath)
{
    const QString name = QStorageInfo(rootPath).name();
    return name.isEmpty() ? rootPath : QStringLiteral("%1 [%2]").arg(rootPath, name);
}

}  // namespace

DriveList::DriveList(QWidget* parent, double twipsPerUnit)
    : Control(new QComboBox(parent), Layer::Windowed, twipsPerUnit), box_(static_cast<QComboBox*>(widget()))
{
    for (const QString& root : mountedRoots()) box_->addItem(driveCaption(root), root);
    box_->setCurrentIndex(std::max(0, box_->findData(QStorageInfo(QDir::currentPath()).rootPath())));
    QObject::connect(box_, &QComboBox::currentIndexChanged, box_, [this] { raiseEvent(); });
}

QString DriveList::Drive() const { return box_->currentData(kPathRole).toString(); }

void DriveList::setDrive(const QString& rootPath)
{
    const int index = box_->findData(rootPath);
    if (index >= 0) box_->setCurrentIndex(index);
}

QString currentDirectoryOn(const QString& rootPath)
{
    const QString working = QDir::currentPath();
    return QStorageInfo(working).rootPath() == rootPath ? absoluteClean(working) : rootPath;
}

QStringList DriveList::drives() const
{
    QStringList roots;
    for (int i = 0; i < box_->count(); ++i) roots << box_->itemData(i, kPathRole).toString();
    return roots;
}

// Opens the directory of a line on a double-click or Enter, whatever the desktop's click setting.
class DirList::View : public QListWidget {
public:
    View(QWidget* parent, DirList& list) : QListWidget(parent), list_(list)
    {
        connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { open(item); });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
            open(currentItem());
            return;
        }
        QListWidget::keyPressEvent(event);
    }

private:
    void open(QListWidgetItem* item) { list_.setPath(item->data(kPathRole).toString()); }
    DirList& list_;
};

DirList::DirList(QWidget* parent, double twipsPerUnit)
    : Control(new View(parent, *this), Layer::Windowed, twipsPerUnit), list_(static_cast<QListWidget*>(widget()))
{
    path_ = absoluteClean(QDir::currentPath());
    fill();
}

void DirList::setPath(const QString& path)
{
    QString target = absoluteClean(path);
    while (!QFileInfo(target).isDir() && parentOf(target) != target) target = parentOf(target);
    const bool changed = target != path_;
    path_ = target;
    fill();
    if (changed) raiseEvent();
}

QStringList DirList::entries() const
{
    QStringList paths;
    for (int i = 0; i < list_->count(); ++i) paths << list_->item(i)->data(kPathRole).toString();
    return paths;
}

void DirList::fill()
{
    QStringList chain{path_};
    while (parentOf(chain.front()) != chain.front()) chain.prepend(parentOf(chain.front()));

    list_->clear();
    const auto addLine = [this](const QString& path, qsizetype depth) {
        const QString name = QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, u' ') + (name.isEmpty() ? path : name), list_);
        item->setData(kPathRole, path);
    };
    for (qsizetype depth = 0; depth < chain.size(); ++depth) addLine(chain[depth], depth);
    // An unreadable directory lists no subdirectories; its path above stays usable.
    const QDir open(path_);
    for (const QString& sub : open.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        addLine(open.filePath(sub), chain.size());
    list_->setCurrentRow(int(chain.size()) - 1);
}

// Raises Click on every press on a file: one on the file already selected changes no selection.
class FileList::View : public QListWidget {
public:
    View(QWidget* parent, FileList& list) : QListWidget(parent), list_(list) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const QString before = list_.FileName();
        QListWidget::mousePressEvent(event);
        if (!before.isEmpty() && list_.FileName() == before && itemAt(event->position().toPoint()))
            list_.raiseEvent();
    }

private:
    FileList& list_;
};

FileList::FileList(QWidget* parent, double twipsPerUnit, const QString& pattern)
    : Control(new View(parent, *this), Layer::Windowed, twipsPerUnit),
      list_(static_cast<QListWidget*>(widget())),
      pattern_(pattern)
{
    QObject::connect(list_, &QListWidget::itemSelectionChanged, list_, [this] {
        if (!FileName().isEmpty()) raiseEvent();
    });
    setPath(QDir::currentPath());
}

void FileList::setPath(const QString& path)
{
    path_ = absoluteClean(path);
    const QSignalBlocker quiet(list_);
    list_->clear();
    // Name filters ignore letter case unless asked otherwise; hidden files need QDir::Hidden.
    list_->addItems(QDir(path_).entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QString FileList::FileName() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QStringList FileList::names() const
{
    QStringList all;
    for (int i = 0; i < list_->count(); ++i) all << list_->item(i)->text();
    return all;
}

}  // namespace ui
