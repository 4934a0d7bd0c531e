#include "WaitSeconds.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

void waitSeconds(int seconds) {
    const qint64 wait = qint64(qMax(seconds, 0)) * 1000;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= wait) {
        QEventLoop loop;
        bool timedOut = false;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        timer.start(int(wait - clock.elapsed() + 1));
        loop.exec();
        if (!timedOut) // QCoreApplication::exit() ends every running loop, ours too
            return;
    }
}
