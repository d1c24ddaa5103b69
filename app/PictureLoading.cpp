// The picture load on a worker thread, waited for in a local event loop.
#include "PictureLoading.h"

#include <exception>
#include <memory>
#include <utility>

#include <QEventLoop>
#include <QThread>
#include <QWidget>

#include "BusyPanel.h"
#include "InputBlock.h"

namespace reversi {

QString LoadPictures(const PictureRequest& request, graphics::PictureSets& pictures) {
    try {
        graphics::LoadAllPictures(pictures, request.borderStyle, request.figuresStyle,
                                  request.helpStyle, request.boardSize, request.programFolder);
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("The pictures could not be loaded.");
    }
    return {};
}

TPictureLoading::TPictureLoading(QWidget& mainWindow) : QObject(&mainWindow) {}

TPictureLoading::~TPictureLoading() = default;

QWidget& TPictureLoading::MainWindow() const { return *static_cast<QWidget*>(parent()); }

QString TPictureLoading::LoadBehind(BusyPanel& panel, QPoint topLeft, const PictureRequest& request,
                                    graphics::PictureSets& pictures) {
    panel.Start(topLeft);
    if (loading_) {
        const QString failure = LoadPictures(request, pictures);
        panel.Stop();
        return failure;
    }
    loading_ = true;
    const TInputBlock block(MainWindow());
    // The worker fills its own sets and text; both are read only after it
    // has been joined.
    graphics::PictureSets loaded;
    QString failure;
    const std::function<void()> hook = workerHook_;
    const std::unique_ptr<QThread> worker(QThread::create([&request, &loaded, &failure, hook] {
        if (hook) hook();
        failure = LoadPictures(request, loaded);
    }));
    QEventLoop wait;
    // Emitted on the worker as it ends; the loop quits on the main thread.
    connect(worker.get(), &QThread::finished, &wait, &QEventLoop::quit, Qt::QueuedConnection);
    worker->start();
    wait.exec();
    // The loop may also have been ended from outside (the application
    // quitting): the worker is joined in any case before its results are read.
    worker->wait();
    loading_ = false;
    panel.Stop();
    if (failure.isEmpty()) pictures = std::move(loaded);
    return failure;
}

}  // namespace reversi
