// SPDX-License-Identifier: MIT
// Start-up: from starting a process to its window's first painted frame, and
// the process's peak memory by then, for the chart window set up as the
// program sets it up, beside a bare Qt window of the same size. Each
// iteration starts this program again as a child that shows one of the two
// windows and reports once its first frame is painted.
#include "ui/application.h"
#include "ui/chartwindow.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// The peak resident memory of this process so far, in KiB.
long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Reports the peak memory on standard output and ends the process at once,
// once the window has painted its first frame: the paint is done, then the
// frame is flushed, then posted events run.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget* window) : window_(window) { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == window_ && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("%ld\n", peakMemoryKiB());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    QWidget* window_;
    bool seen_ = false;
};

int child(bool chart, int argc, char** argv)
{
    if (chart)
        ui::prepareApplication();
    QApplication app(argc, argv);
    if (chart) {
        ui::setUpApplication();
        ui::ChartWindow window;
        FirstFrame frame(&window);
        window.show();
        return QApplication::exec();
    }
    QWidget window;
    window.resize(687, 317);
    FirstFrame frame(&window);
    window.show();
    return QApplication::exec();
}

// Starts the child and waits for its report: the time to it, in seconds,
// and its peak memory in KiB (-1 when it failed).
std::pair<double, long> startChild(const char* mode)
{
    int out[2];
    if (pipe(out) != 0)
        return {0, -1};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl("/proc/self/exe", "bench_startup", mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string report;
    char buffer[64];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, size_t(n));
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty())
        return {0, -1};
    return {std::chrono::duration<double>(end - start).count(), std::stol(report)};
}

void startUp(benchmark::State& state, const char* mode)
{
    double memory = 0;
    for (auto _ : state) {
        const auto [seconds, kib] = startChild(mode);
        if (kib < 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
        state.SetIterationTime(seconds);
        memory += double(kib);
    }
    state.counters["peak_memory_KiB"] = benchmark::Counter(memory, benchmark::Counter::kAvgIterations);
}

void BM_StartUp_chart(benchmark::State& state)
{
    startUp(state, "--chart-window");
}
void BM_StartUp_bare(benchmark::State& state)
{
    startUp(state, "--bare-window");
}
BENCHMARK(BM_StartUp_chart)->Name("BM_StartUp/chart_window")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_bare)->Name("BM_StartUp/bare_window")->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && (std::strcmp(argv[1], "--chart-window") == 0 || std::strcmp(argv[1], "--bare-window") == 0))
        return child(std::strcmp(argv[1], "--chart-window") == 0, 1, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
