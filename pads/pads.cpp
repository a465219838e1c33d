#include "pads/pads.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLibrary>

namespace pads {

namespace {

bool readableDeviceIn(const QDir& folder)
{
    for (const QString& name : folder.entryList(QDir::Files | QDir::System)) {
        const int device = ::open(QFile::encodeName(folder.filePath(name)).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (device >= 0) {
            ::close(device);
            return true;
        }
    }
    return false;
}

}  // namespace

Pads::Pads(QString module, QString deviceFolder) : module_(std::move(module)), deviceFolder_(std::move(deviceFolder)) {}

Pads::~Pads() = default;

void Pads::start()
{
    if (tried_ || watch_) return;
    watch_ = std::make_unique<QFileSystemWatcher>();
    connect(watch_.get(), &QFileSystemWatcher::directoryChanged, this, &Pads::lookForDevices);
    lookForDevices();
}

void Pads::lookForDevices()
{
    const QDir folder(deviceFolder_);
    // Until the folder is there, its parent is watched for it.
    const QString watched = folder.exists() ? folder.path() : QFileInfo(folder.path()).path();
    if (!watch_->directories().contains(watched)) {
        if (!watch_->directories().isEmpty()) watch_->removePaths(watch_->directories());
        watch_->addPath(watched);
    }
    if (folder.exists() && readableDeviceIn(folder)) startNow();
}

void Pads::startNow()
{
    if (tried_) return;
    tried_ = true;
    if (watch_) watch_.release()->deleteLater();  // this may be its signal's handler
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
