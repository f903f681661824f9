// Time from a capture hot key to the first frame of what it opens, for the real quorvel binary
// waiting in its tray and, when it is installed, for Flameshot, all watched from outside through
// the screen's pixels on this X server. Run it inside its own Xvfb (scripts/with-xvfb): it
// repaints the desktop and types keys.
//
// Usage: bench_capture_latency [--rounds N] [--snapshots DIR]
//   N warm rounds follow the first (7 by default); DIR receives the screen as it was at the moment
//   each measurement saw its frame, for the first two rounds.

#include "xprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <sys/prctl.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t PrintKey = 0xff61;
constexpr uint32_t EscapeKey = 0xff1b;
constexpr uint16_t ControlMask = 4;
constexpr uint32_t DesktopColour = 0xe06030;
constexpr qint64 BudgetMs = 105000;
constexpr int StepTimeoutMs = 8000;

// Away from the pointer, Flameshot's help box in the middle, its side tab and greeting on the
// left, and the tray in the bottom right corner.
const QVector<QPoint> SamplePoints = {
    {800, 250}, {1500, 250}, {400, 750}, {1500, 750}, {1200, 950}};
const QPoint PointerPosition(1000, 560);

QElapsedTimer benchClock;

qint64 remainingMs()
{
    return BudgetMs - benchClock.elapsed();
}

// Milliseconds from `start` until `done` holds, polled every millisecond; nothing on timeout.
std::optional<double> waitFor(const QElapsedTimer &start, const std::function<bool()> &done,
                              int timeoutMs = StepTimeoutMs)
{
    const qint64 limit = std::min<qint64>(timeoutMs, std::max<qint64>(remainingMs(), 0));
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (done())
            return start.nsecsElapsed() / 1e6;
        if (waited.elapsed() > limit)
            return std::nullopt;
        QThread::usleep(1000);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QProcessEnvironment isolatedEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("SESSION_MANAGER"));
    return env;
}

// Children die with the benchmark, however it ends.
void startChild(QProcess &process, const QString &program, const QStringList &arguments,
                const QProcessEnvironment &env, bool showErrors = false)
{
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!showErrors)
        process.setStandardErrorFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process.start(program, arguments);
}

void stopChild(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

struct Series
{
    explicit Series(const char *label) : label(label) {}

    const char *label;
    std::vector<double> ms;
    int failures = 0;
    uint32_t seenColour = 0;

    void add(const std::optional<double> &value)
    {
        if (value)
            ms.push_back(*value);
        else
            ++failures;
    }
};

class Bench
{
public:
    Bench(XProbe &x, const QString &snapshotDir) : x(x), snapshotDir(snapshotDir) {}

    bool desktopShown()
    {
        const QVector<uint32_t> seen = x.colours(SamplePoints);
        return std::all_of(seen.begin(), seen.end(), [](uint32_t c) { return c == DesktopColour; });
    }

    // The dimmed frozen desktop covers every sample point. An unpainted window would leave the
    // desktop showing through, or black where a background was set.
    bool overlayShown(Series &series)
    {
        const QVector<uint32_t> seen = x.colours(SamplePoints);
        const bool covered = std::all_of(seen.begin(), seen.end(), [](uint32_t c) {
            return c != DesktopColour && c != 0 && c != 0xffffffffu;
        });
        if (covered)
            series.seenColour = seen.first();
        return covered;
    }

    void snapshot(const Series &series, int round)
    {
        if (snapshotDir.isEmpty() || round > 1)
            return;
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]+"));
        const QString name = QString::fromLatin1(series.label).replace(unsafe, QStringLiteral("-"));
        x.screenshot().save(QStringLiteral("%1/%2-%3.png").arg(snapshotDir, name).arg(round));
    }

    bool settle()
    {
        QElapsedTimer t;
        t.start();
        const bool clean = waitFor(
                               t, [&] { return desktopShown(); }, 3000)
                               .has_value();
        QThread::msleep(150);
        return clean;
    }

    // Print in our tray program, until its overlay's first frame; then Esc, until it is gone.
    std::optional<double> ourRegion(Series &series, int round)
    {
        if (!settle())
            return std::nullopt;
        QElapsedTimer t;
        t.start();
        x.tapKey(PrintKey);
        const auto shown = waitFor(t, [&] { return overlayShown(series); });
        snapshot(series, round);
        x.tapKey(EscapeKey);
        waitFor(t, [&] { return desktopShown(); });
        return shown;
    }

    // Ctrl+Print, until the editor window is viewable and its frame painted (at least three of
    // five points on its toolbar and borders no longer show the desktop); then it is closed.
    std::optional<double> ourFullScreen(Series &series, int round)
    {
        if (!settle())
            return std::nullopt;
        uint32_t editor = 0;
        QRect place;
        const auto chrome = [&] {
            return QVector<QPoint>{{place.left() + 4, place.top() + 4},
                                   {place.center().x(), place.top() + 4},
                                   {place.right() - 4, place.top() + 4},
                                   {place.left() + 3, place.center().y()},
                                   {place.center().x(), place.bottom() - 2}};
        };
        QElapsedTimer t;
        t.start();
        x.tapKey(PrintKey, true);
        const auto shown = waitFor(t, [&] {
            if (!x.findViewableWindow(QStringLiteral("Quorvel"), &editor, &place))
                return false;
            const QVector<uint32_t> seen = x.colours(chrome());
            if (std::count(seen.begin(), seen.end(), DesktopColour) > 2)
                return false;
            series.seenColour = seen.first();
            return true;
        });
        snapshot(series, round);
        if (shown) {
            x.closeWindow(editor);
            waitFor(t, [&] {
                uint32_t id;
                QRect r;
                return !x.findViewableWindow(QStringLiteral("Quorvel"), &id, &r);
            });
        }
        return shown;
    }

    // Launch `flameshot gui`, until its overlay's first frame; then Esc, until it is gone.
    std::optional<double> flameshotGui(Series &series, int round, const QProcessEnvironment &env)
    {
        if (!settle())
            return std::nullopt;
        QProcess client;
        QElapsedTimer t;
        t.start();
        startChild(client, QStringLiteral("flameshot"), {QStringLiteral("gui")}, env);
        const auto shown = waitFor(t, [&] { return overlayShown(series); });
        snapshot(series, round);
        x.tapKey(EscapeKey);
        waitFor(t, [&] { return desktopShown(); });
        client.waitForFinished(3000);
        stopChild(client);
        return shown;
    }

    // Launch `flameshot full -p DIR`, until a complete PNG (ending in its IEND chunk) is there.
    std::optional<double> flameshotFull(Series &series, int round, const QProcessEnvironment &env,
                                        const QString &outDir)
    {
        if (!settle())
            return std::nullopt;
        const QString dir = QStringLiteral("%1/%2-%3").arg(outDir, series.label).arg(round);
        QDir().mkpath(dir);
        QProcess client;
        QElapsedTimer t;
        t.start();
        startChild(client, QStringLiteral("flameshot"),
                   {QStringLiteral("full"), QStringLiteral("-p"), dir}, env);
        const auto saved = waitFor(t, [&] { return completePngIn(dir); });
        client.waitForFinished(5000);
        stopChild(client);
        return saved;
    }

private:
    static bool completePngIn(const QString &dir)
    {
        static const QByteArray trailer = QByteArray::fromHex("0000000049454e44ae426082");
        const QStringList files = QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files);
        for (const QString &name : files) {
            QFile file(dir + QLatin1Char('/') + name);
            if (!file.open(QIODevice::ReadOnly) || file.size() < 8 + trailer.size())
                continue;
            file.seek(file.size() - trailer.size());
            if (file.read(trailer.size()) == trailer)
                return true;
        }
        return false;
    }

    XProbe &x;
    QString snapshotDir;
};

// A session bus of the benchmark's own, with no service activation, so that nothing starts
// Flameshot behind the benchmark's back.
QString startSessionBus(QProcess &bus, const QString &folder)
{
    const QString config = folder + QStringLiteral("/bus.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>\n"
        "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
        "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    file.close();
    bus.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    bus.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    bus.start(QStringLiteral("dbus-daemon"),
              {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
               QStringLiteral("--print-address=1")});
    if (!bus.waitForStarted(3000))
        return {};
    while (!bus.canReadLine() && bus.waitForReadyRead(3000)) {
    }
    return QString::fromLocal8Bit(bus.readLine()).trimmed();
}

bool flameshotOnBus(const QProcessEnvironment &env)
{
    QProcess query;
    query.setProcessEnvironment(env);
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                 QStringLiteral("--dest=org.freedesktop.DBus"),
                 QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                 QStringLiteral("string:org.flameshot.Flameshot")});
    query.waitForFinished(2000);
    return query.readAllStandardOutput().contains("boolean true");
}

QString firstLineOf(const QString &program, const QStringList &arguments,
                    const QProcessEnvironment &env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(3000);
    return QString::fromLocal8Bit(process.readAll()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

void printRow(const Series &s)
{
    if (s.ms.empty()) {
        std::printf("  %-44s %8s   (%d failed)\n", s.label, "n/a", s.failures);
        return;
    }
    const std::vector<double> warm(s.ms.begin() + 1, s.ms.end());
    if (warm.empty()) {
        std::printf("  %-44s %8.1f\n", s.label, s.ms.front());
        return;
    }
    std::printf("  %-44s %8.1f %8.1f %8.1f %8.1f %4zu", s.label, s.ms.front(), median(warm),
                *std::min_element(warm.begin(), warm.end()),
                *std::max_element(warm.begin(), warm.end()), warm.size());
    if (s.failures)
        std::printf("  (%d failed)", s.failures);
    std::printf("\n");
}

std::optional<double> warmMedian(const Series &s)
{
    if (s.ms.size() < 2)
        return std::nullopt;
    return median(std::vector<double>(s.ms.begin() + 1, s.ms.end()));
}

void printRatio(const char *what, const Series &ours, const Series &theirs)
{
    const auto a = warmMedian(ours);
    const auto b = warmMedian(theirs);
    if (a && b && *a > 0)
        std::printf("  %-58s %6.2f\n", what, *b / *a);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchClock.start();
    int warmRounds = 7;
    QString snapshotDir;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            warmRounds = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--snapshots"))
            snapshotDir = args[++i];
    }
    if (!snapshotDir.isEmpty())
        QDir().mkpath(snapshotDir);

    XProbe x;
    if (!x.isConnected()) {
        std::printf("bench_capture_latency: needs an X server (run it under scripts/with-xvfb)\n");
        return 1;
    }
    x.setDesktopColour(DesktopColour);
    x.movePointer(PointerPosition);
    Bench bench(x, snapshotDir);

    QTemporaryDir ourHome;
    QTemporaryDir theirHome;
    QTemporaryDir scratch;
    QProcess quorvel;
    startChild(quorvel, QStringLiteral(QUORVEL_BINARY), {}, isolatedEnvironment(ourHome.path()),
               true);
    {
        QElapsedTimer t;
        t.start();
        const bool ready = waitFor(
                               t,
                               [&] {
                                   return x.isKeyGrabbedElsewhere(PrintKey, 0) &&
                                          x.isKeyGrabbedElsewhere(PrintKey, ControlMask);
                               },
                               15000)
                               .has_value();
        if (!ready) {
            std::printf("bench_capture_latency: quorvel did not take its hot keys\n");
            stopChild(quorvel);
            return 1;
        }
    }

    const bool haveFlameshot =
        !QStandardPaths::findExecutable(QStringLiteral("flameshot")).isEmpty();
    const bool haveBus = !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() &&
                         !QStandardPaths::findExecutable(QStringLiteral("dbus-send")).isEmpty();
    QProcess bus;
    QProcess flameshotDaemon;
    QProcessEnvironment theirEnv = isolatedEnvironment(theirHome.path());
    QString flameshotVersion;
    bool resident = false;
    if (haveFlameshot && haveBus) {
        const QString address = startSessionBus(bus, scratch.path());
        if (!address.isEmpty()) {
            theirEnv.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
            flameshotVersion =
                firstLineOf(QStringLiteral("flameshot"), {QStringLiteral("--version")}, theirEnv);
            startChild(flameshotDaemon, QStringLiteral("flameshot"), {}, theirEnv);
            QElapsedTimer t;
            t.start();
            resident = waitFor(
                           t, [&] { return flameshotOnBus(theirEnv); }, 10000)
                           .has_value();
            // Let its start-up greeting settle so that it does not load the first rounds.
            QThread::msleep(500);
        }
    }

    Series ourRegion{"quorvel region: Print -> overlay frame"};
    Series ourFull{"quorvel full: Ctrl+Print -> editor painted"};
    Series residentGui{"flameshot gui, daemon resident -> overlay"};
    Series residentFull{"flameshot full, daemon resident -> PNG"};
    Series ownGui{"flameshot gui, own process -> overlay"};
    Series ownFull{"flameshot full, own process -> PNG"};

    // Each phase keeps back enough of the budget for the next one and for cleaning up.
    const int rounds = 1 + warmRounds;
    int ourRounds = 0;
    for (int round = 0; round < rounds && remainingMs() > (haveFlameshot ? 55000 : 15000);
         ++round) {
        ourRegion.add(bench.ourRegion(ourRegion, round));
        ourFull.add(bench.ourFullScreen(ourFull, round));
        if (resident) {
            residentGui.add(bench.flameshotGui(residentGui, round, theirEnv));
            residentFull.add(bench.flameshotFull(residentFull, round, theirEnv, scratch.path()));
        }
        ++ourRounds;
    }
    stopChild(flameshotDaemon);
    int ownRounds = 0;
    if (haveFlameshot && haveBus &&
        !theirEnv.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")).isEmpty()) {
        for (int round = 0; round < rounds && remainingMs() > 10000; ++round) {
            ownGui.add(bench.flameshotGui(ownGui, round, theirEnv));
            ownFull.add(bench.flameshotFull(ownFull, round, theirEnv, scratch.path()));
            ++ownRounds;
        }
    }
    stopChild(bus);
    stopChild(quorvel);

    const QRect screen = x.screenRect();
    std::printf("Capture latency on a %dx%d X server, ms: the first run of each, then the median, "
                "min and max of the runs after it\n",
                screen.width(), screen.height());
    std::printf("  %-44s %8s %8s %8s %8s %4s\n", "", "first", "median", "min", "max", "runs");
    printRow(ourRegion);
    printRow(ourFull);
    if (ourRounds < rounds)
        std::printf("  (time budget: stopped after %d of %d rounds)\n", ourRounds, rounds);
    if (!haveFlameshot) {
        std::printf("  flameshot: skipped, not installed (scripts/setup --bench installs it)\n");
    } else if (!haveBus) {
        std::printf("  flameshot: skipped, dbus-daemon or dbus-send missing\n");
    } else {
        if (resident) {
            printRow(residentGui);
            printRow(residentFull);
        } else {
            std::printf("  flameshot daemon did not come up on the session bus: resident runs "
                        "skipped\n");
        }
        printRow(ownGui);
        printRow(ownFull);
        if (ownRounds < rounds)
            std::printf("  (time budget: own-process runs stopped after %d of %d rounds)\n",
                        ownRounds, rounds);
        std::printf("  %s\n", qPrintable(flameshotVersion));
        std::printf("Ratios of the medians, Flameshot / quorvel (above 1: quorvel is faster):\n");
        printRatio("region overlay vs flameshot gui, daemon resident", ourRegion, residentGui);
        printRatio("region overlay vs flameshot gui, own process", ourRegion, ownGui);
        printRatio("full: our editor painted vs flameshot PNG, daemon resident", ourFull,
                   residentFull);
        printRatio("full: our editor painted vs flameshot PNG, own process", ourFull, ownFull);
        const auto ours = warmMedian(ourRegion);
        std::optional<double> theirs;
        for (const Series *s : {&residentGui, &ownGui}) {
            const auto m = warmMedian(*s);
            if (m && (!theirs || *m < *theirs))
                theirs = m;
        }
        if (ours && theirs)
            std::printf("Target, our region overlay on screen before Flameshot's (median against "
                        "its faster mode): %s\n",
                        *ours < *theirs ? "met" : "NOT met");
    }
    std::printf("Colours: desktop #%06x; at (%d,%d) our overlay #%06x", DesktopColour,
                SamplePoints.first().x(), SamplePoints.first().y(), ourRegion.seenColour);
    const Series &theirGui = resident ? residentGui : ownGui;
    if (!theirGui.ms.empty())
        std::printf(", Flameshot's #%06x", theirGui.seenColour);
    std::printf("; our editor's toolbar #%06x\n", ourFull.seenColour);
    return ourRegion.ms.empty() || ourFull.ms.empty() ? 1 : 0;
}
