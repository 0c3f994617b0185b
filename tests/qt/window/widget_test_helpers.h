#pragma once

// What the window tests share: answering a modal dialog as it opens, and
// reading a file back whole.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace velmarin::testing {

// Runs `respond` on the first modal widget of type T as soon as it shows.
template <typename T>
void WhenModalOpens(std::function<void(T*)> respond) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, respond] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            respond(widget);
        }
    });
    timer->start();
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace velmarin::testing
