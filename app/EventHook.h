// An event filter made of a function, so the window can route a child
// widget's events to its handlers without one shared eventFilter override.
#pragma once

#include <functional>
#include <utility>

#include <QObject>

namespace reversi {

class TEventHook : public QObject {
public:
    // The handler answers true to stop the event there.
    using Handler = std::function<bool(QObject* watched, QEvent* e)>;

    TEventHook(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

    // Installs the hook on `watched`; the hook belongs to `owner`.
    static TEventHook* Install(QObject* watched, QObject* owner, Handler handler) {
        auto* hook = new TEventHook(std::move(handler), owner);
        watched->installEventFilter(hook);
        return hook;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override { return handler_(watched, e); }

private:
    Handler handler_;
};

}  // namespace reversi
