#include "backgroundworker.h"

#include <QtTest>

#include <chrono>
#include <thread>

class TestBackgroundWorker : public QObject
{
    Q_OBJECT

private slots:
    void resultMayStartFurtherWorkAtOnce();
};

void TestBackgroundWorker::resultMayStartFurtherWorkAtOnce()
{
    BackgroundWorker worker;
    QList<int> progress;
    connect(&worker, &BackgroundWorker::progressed, this,
            [&](int percent) { progress << percent; });
    bool secondStarted = false;
    bool secondRan = false;
    QVERIFY(worker.start([&](const BackgroundWorker::Job &job) {
        job.progress(50);
        job.deliver([&] {
            QVERIFY(!worker.isRunning());
            secondStarted = worker.start([&](const BackgroundWorker::Job &second) {
                second.deliver([&] { secondRan = true; });
            });
        });
        // What the work still does after handing over its result, like releasing large copies,
        // must not make the result's own follow-up be refused.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }));
    QVERIFY(!worker.start([](const BackgroundWorker::Job &) {}));
    QTRY_VERIFY(secondRan);
    QVERIFY(secondStarted);
    QCOMPARE(progress, QList<int>{50});
}

QTEST_GUILESS_MAIN(TestBackgroundWorker)
#include "tst_backgroundworker.moc"
