// SPDX-License-Identifier: MIT
// Timing of the work behind one cross-hair move: a change of a scroll bar
// runs its change handler, one row scan (405 pixel reads) and the evaluation.
#include "ui/chartwindow.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

QApplication* app()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return instance;
}

void BM_VerticalMove(benchmark::State& state)
{
    app();
    ui::ChartWindow window;
    auto* v = window.findChild<rt::ScrollBar*>(QStringLiteral("VScroll1"));
    auto* h = window.findChild<rt::ScrollBar*>(QStringLiteral("HScroll1"));
    h->assignValue(rt::Integer(300));
    rt::Integer value = 0;
    for (auto _ : state) {
        value = rt::Integer(value == 450 ? 0 : value + 1);
        v->assignValue(value);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_VerticalMove);

void BM_SpeedFromPower(benchmark::State& state)
{
    app();
    ui::ChartWindow window;
    auto* text1 = window.findChild<rt::TextBox*>(QStringLiteral("Text1"));
    auto* text2 = window.findChild<rt::TextBox*>(QStringLiteral("Text2"));
    auto* command1 = window.findChild<rt::CommandButton*>(QStringLiteral("Command1"));
    bool flip = false;
    for (auto _ : state) {
        text1->setText(flip ? QStringLiteral("30") : QStringLiteral("45"));
        text2->setText(QStringLiteral("8.5"));
        command1->click();
        flip = !flip;
    }
}
BENCHMARK(BM_SpeedFromPower);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
