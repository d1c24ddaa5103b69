#pragma once
// Loads the board's picture sets behind a busy panel without blocking the main
// thread: the files are read and decoded on a worker thread of its own while
// the panel blinks, and the caller waits in a local event loop that the
// worker's completion ends. The program takes no input meanwhile (TInputBlock);
// nothing of a load is handed over unless every picture loaded.

#include <filesystem>
#include <functional>

#include <QObject>
#include <QPoint>
#include <QString>

#include "PictureSets.h"

class QWidget;

namespace reversi {

class BusyPanel;

// What to load: the three styles, the field and the folder that holds DATA.
struct PictureRequest {
    int borderStyle = 0;
    int figuresStyle = 0;
    int helpStyle = 0;
    int boardSize = 8;
    std::filesystem::path programFolder;
};

class TPictureLoading : public QObject {
public:
    // Blocks the input of `mainWindow` (its parent) while a load runs.
    explicit TPictureLoading(QWidget& mainWindow);
    ~TPictureLoading() override;

    // Starts `panel` at `topLeft`, loads, stops the panel. On success the
    // pictures replace `pictures` and the answer is empty; otherwise it is
    // the message that names the file, and `pictures` stay as they were.
    // A call made while another load waits (nothing the player can do starts
    // one) loads on the spot, leaving the waiting one alone.
    QString LoadBehind(BusyPanel& panel, QPoint topLeft, const PictureRequest& request,
                       graphics::PictureSets& pictures);

    // A load is waiting for its worker.
    [[nodiscard]] bool Loading() const { return loading_; }
    // Runs on the worker before the files are read (tests slow the load).
    void SetWorkerHook(std::function<void()> hook) { workerHook_ = std::move(hook); }

private:
    QWidget& MainWindow() const;

    std::function<void()> workerHook_;
    bool loading_ = false;
};

// Loads every set of the request on the calling thread; the message naming
// the file on failure, empty on success (then `pictures` are replaced).
QString LoadPictures(const PictureRequest& request, graphics::PictureSets& pictures);

}  // namespace reversi
