// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QWidget;

namespace bench {

// Counts the logical pixels that paint events ask one window and its
// children to paint, in total and per widget (by object name, or class name
// for unnamed widgets).
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window);
    ~PaintCounter() override;

    qint64 total() const { return total_; }
    const QHash<QString, qint64>& perWidget() const { return perWidget_; }
    void reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    qint64 total_ = 0;
    QHash<QString, qint64> perWidget_;
};

} // namespace bench
