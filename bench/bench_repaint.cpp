// SPDX-License-Identifier: MIT
// The cost of a cross-hair move as the user feels it: one right-button drag
// move over the chart that changes both scroll values, with the events it
// causes processed, painting and flushing included. The same moves on a
// plain Qt window with the same widgets and trivial handlers are the
// baseline. Counters per move: the logical pixels painted, the window pixels
// that really changed, and their ratio.
#include "paintcounter.h"
#include "plainwindow.h"

#include "runtime/picturebox.h"
#include "ui/application.h"
#include "ui/chartwindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace {

QApplication* app()
{
    static int argc = 1;
    static char name[] = "bench_repaint";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        auto* a = new QApplication(argc, argv);
        ui::setUpApplication();
        return a;
    }();
    return instance;
}

// 500 picture pixels, each one step diagonally from the one before, bouncing
// off the chart's edges: every move changes both scroll values.
std::vector<QPoint> path()
{
    std::vector<QPoint> points;
    int x = 100, y = 50, dx = 1, dy = 1;
    for (int i = 0; i < 500; ++i) {
        if (x + dx < 0 || x + dx > 404)
            dx = -dx;
        if (y + dy < 0 || y + dy > 224)
            dy = -dy;
        x += dx;
        y += dy;
        points.emplace_back(x, y);
    }
    return points;
}

// A right-button drag move to a picture pixel's centre, then the events it
// causes, painting and flushing included.
void dragTo(QWidget* picture, QPoint pixel)
{
    const QPointF local = QPointF(picture->contentsRect().topLeft()) + QPointF(pixel) + QPointF(0.5, 0.5);
    const QPointF scene = local + QPointF(picture->mapTo(picture->window(), QPoint(0, 0)));
    QMouseEvent move(QEvent::MouseMove, local, scene, picture->mapToGlobal(local), Qt::NoButton, Qt::RightButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &move);
    QCoreApplication::processEvents();
}

QImage onScreen(QWidget* window)
{
    return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

qint64 differingPixels(const QImage& a, const QImage& b)
{
    qint64 n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            n += pa[x] != pb[x];
    }
    return n;
}

struct Counts {
    double painted = 0; // logical pixels painted per move
    double changed = 0; // window pixels changed per move
};

// Runs the moves once, counting what they paint and change, and tells what
// each widget painted.
Counts countMoves(QWidget* window, QWidget* picture, const std::vector<QPoint>& points)
{
    dragTo(picture, points.back());
    bench::PaintCounter counter(window);
    qint64 changed = 0;
    QImage before = onScreen(window);
    for (const QPoint& p : points) {
        dragTo(picture, p);
        const QImage after = onScreen(window);
        changed += differingPixels(before, after);
        before = after;
    }
    const double moves = double(points.size());
    std::fprintf(stderr, "%s, logical pixels painted per move:\n", window->metaObject()->className());
    for (auto it = counter.perWidget().cbegin(); it != counter.perWidget().cend(); ++it)
        std::fprintf(stderr, "  %-20s %9.1f\n", qPrintable(it.key()), double(it.value()) / moves);
    return {double(counter.total()) / moves, double(changed) / moves};
}

struct ChartSubject {
    ui::ChartWindow window;
    QWidget* picture() { return window.findChild<rt::PictureBox*>(QStringLiteral("Picture1")); }
};

struct PlainSubject {
    bench::PlainWindow window;
    QWidget* picture() { return window.chart(); }
};

template <class Subject>
void BM_RepaintedMove(benchmark::State& state)
{
    app();
    Subject subject;
    QWidget* window = &subject.window;
    window->move(0, 0);
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    QWidget* picture = subject.picture();
    const std::vector<QPoint> points = path();

    // One untimed pass, the first time, counts what each move paints and
    // changes; the moves are the same every time.
    static std::optional<Counts> counts[2];
    std::optional<Counts>& known = counts[std::is_same_v<Subject, PlainSubject>];
    if (!known)
        known = countMoves(window, picture, points);
    size_t i = 0;
    for (auto _ : state) {
        dragTo(picture, points[i]);
        i = (i + 1) % points.size();
    }
    state.counters["painted_px"] = known->painted;
    state.counters["changed_px"] = known->changed;
    state.counters["painted/changed"] = known->changed > 0 ? known->painted / known->changed : 0.0;
}
BENCHMARK_TEMPLATE(BM_RepaintedMove, ChartSubject)->Name("BM_RepaintedMove/chart_window");
BENCHMARK_TEMPLATE(BM_RepaintedMove, PlainSubject)->Name("BM_RepaintedMove/plain_window");

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
