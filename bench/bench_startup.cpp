// SPDX-License-Identifier: MIT
// Start-up: from starting a process to its window's first painted frame, and
// the process's peak memory by then, for the chart window set up as the
// program sets it up, beside a bare Qt window of the same size and, for
// reference, the same bare window showing one line of text (which loads the
// font machinery a bare window never touches). Each iteration starts this
// program again as a child that shows one of the windows and reports once
// its first frame is painted.
#include "ui/application.h"
#include "ui/chartwindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include <sys/resource.h>
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

enum class Subject { Chart, Bare, Text };

int child(Subject subject, int argc, char** argv)
{
    const bool chart = subject == Subject::Chart;
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
    if (subject == Subject::Text) {
        auto* label = new QLabel(QStringLiteral("KRTd258 air end performance chart"), &window);
        QFont font(QStringLiteral("FreeSans"));
        font.setPixelSize(13);
        label->setFont(font);
        label->move(24, 24);
    }
    FirstFrame frame(&window);
    window.show();
    return QApplication::exec();
}

struct Report {
    double seconds = 0;    // from the start to the report
    double cpuSeconds = 0; // the child's own processor time, user and system
    long memory = -1;      // the child's peak memory in KiB; -1 when it failed
};

// Starts the child and waits for its report.
Report startChild(const char* mode)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
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
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty())
        return {};
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {std::chrono::duration<double>(end - start).count(), seconds(usage.ru_utime) + seconds(usage.ru_stime),
            std::stol(report)};
}

void startUp(benchmark::State& state, const char* mode)
{
    double memory = 0, cpu = 0;
    for (auto _ : state) {
        const Report r = startChild(mode);
        if (r.memory < 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
        state.SetIterationTime(r.seconds);
        memory += double(r.memory);
        cpu += r.cpuSeconds * 1e3;
    }
    // The child's processor time is steadier than the time to its first frame
    // on a shared machine, but leaves out the display server's part.
    state.counters["child_cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
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
void BM_StartUp_text(benchmark::State& state)
{
    startUp(state, "--text-window");
}
BENCHMARK(BM_StartUp_chart)->Name("BM_StartUp/chart_window")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_bare)->Name("BM_StartUp/bare_window")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_text)->Name("BM_StartUp/bare_window_with_text")->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::pair<const char*, Subject> modes[] = {
        {"--chart-window", Subject::Chart}, {"--bare-window", Subject::Bare}, {"--text-window", Subject::Text}};
    for (const auto& [name, subject] : modes)
        if (argc == 2 && std::strcmp(argv[1], name) == 0)
            return child(subject, 1, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
