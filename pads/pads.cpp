#include "pads/pads.h"

#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QSocketNotifier>

namespace pads {

namespace {

bool readableDeviceIn(const QByteArray& folder)
{
    DIR* list = ::opendir(folder.constData());
    if (!list) return false;
    bool found = false;
    while (const dirent* entry = found ? nullptr : ::readdir(list)) {
        if (entry->d_type == DT_DIR || entry->d_name[0] == '.') continue;
        const int device = ::open((folder + '/' + entry->d_name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if ((found = device >= 0)) ::close(device);
    }
    ::closedir(list);
    return found;
}

}  // namespace

Pads::Pads(QString module, QString deviceFolder) : module_(std::move(module)), deviceFolder_(std::move(deviceFolder)) {}

Pads::~Pads() { stopWatching(); }

// The folder is watched through inotify (a devices' folder changes seldom), and so is its parent
// for as long as the folder is not there.
void Pads::start()
{
    if (tried_ || watch_) return;
    const int changes = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (changes >= 0) {
        watch_ = new QSocketNotifier(changes, QSocketNotifier::Read, this);
        connect(watch_, &QSocketNotifier::activated, this, [this, changes] {
            alignas(inotify_event) char news[4096];
            while (::read(changes, news, sizeof news) > 0) {}
            lookForDevices();
        });
        const QString parent = deviceFolder_.left(deviceFolder_.lastIndexOf(u'/'));
        ::inotify_add_watch(changes, QFile::encodeName(parent).constData(), IN_CREATE | IN_MOVED_TO);
    }
    lookForDevices();
}

void Pads::lookForDevices()
{
    const QByteArray folder = QFile::encodeName(deviceFolder_);
    if (watch_) ::inotify_add_watch(int(watch_->socket()), folder.constData(), IN_CREATE | IN_MOVED_TO | IN_ATTRIB);
    if (readableDeviceIn(folder)) startNow();
}

void Pads::stopWatching()
{
    if (!watch_) return;
    watch_->setEnabled(false);
    ::close(int(watch_->socket()));
    watch_->deleteLater();  // this may be its signal's handler
    watch_ = nullptr;
}

void Pads::startNow()
{
    if (tried_) return;
    tried_ = true;
    stopWatching();
    // Kept loaded to the end: the driver and its objects are the module's code.
    QLibrary library(module_);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    QString error;
    if (const auto open = reinterpret_cast<OpenDriver>(library.resolve(kOpenDriver))) driver_.reset(open(*this, error));
    else error = library.errorString();
    if (!driver_)
        std::fprintf(stderr, "%s: no gamepads: %s\n", qUtf8Printable(QCoreApplication::applicationName()),
                     qUtf8Printable(error.simplified()));
}

void Pads::pump()
{
    if (driver_) driver_->pump();
}

void Pads::padConnected(int pad, bool connected)
{
    connected_.set(pad - 1, connected);
    emit connectionChanged(pad, connected);
}

}  // namespace pads
