// Starts a window, waits for its first paint and quits: run from a script, it
// measures launch to first paint and peak memory. Built three times: with the
// converter's window, with a bare window of the same size, and with that bare window
// holding one label (so that it loads the fonts, as any window with text must).
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

#if defined(ZORV_LABEL_WINDOW)
#include <QLabel>
#elif !defined(ZORV_BARE_WINDOW)
#include "application.h"
#include "frmmain.h"
#endif

namespace {

// Quits the application once the watched window has painted for the first time.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "first paint after %.1f ms in main, at %lld.%06ld\n", clock_.nsecsElapsed() / 1e6,
                         static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
#if !defined(ZORV_BARE_WINDOW) && !defined(ZORV_LABEL_WINDOW)
    zorv::ui::FontConfigurationLoader fonts;
#endif
    QApplication application(argc, argv);
#if defined(ZORV_BARE_WINDOW) || defined(ZORV_LABEL_WINDOW)
    QWidget window;
    window.setFixedSize(616, 97);
#if defined(ZORV_LABEL_WINDOW)
    QLabel label(QStringLiteral("Enter Number"), &window);
#endif
#else
    zorv::ui::ConfigureApplication(application);
    fonts.Wait();
    zorv::ui::frmmain window;
#endif
    FirstPaint watcher(clock);
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
