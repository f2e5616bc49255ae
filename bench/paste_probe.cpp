// How the window copes with pasted text as large as a user can paste: times the
// paste into the input box and the conversion from Enter to the message or answer.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "application.h"
#include "frmmain.h"

namespace {

struct Case {
    const char* name;
    QString text;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zorv::ui::ConfigureApplication(application);
    zorv::ui::frmmain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    auto* txtnumber = window.findChild<QLineEdit*>(QStringLiteral("txtnumber"));
    auto* txtword = window.findChild<QLineEdit*>(QStringLiteral("txtword"));

    constexpr int kMiB = 1 << 20;
    const Case cases[] = {
        {"1 MiB of digits", QString(kMiB, QLatin1Char('9'))},
        {"1 MiB of slashes", QString(kMiB, QLatin1Char('/'))},
        {"1 MiB of zeros before a point", QString(kMiB, QLatin1Char('0')) + QStringLiteral(".5")},
        {"1 MiB of zeros after a point", QStringLiteral("1.") + QString(kMiB, QLatin1Char('0'))},
        {"32,767 characters answered", QStringLiteral("1.") + QString(32764, QLatin1Char('0')) + QStringLiteral("1")},
    };
    for (const auto& c : cases) {
        txtnumber->clear();
        txtword->clear();
        QApplication::clipboard()->setText(c.text);
        QElapsedTimer clock;
        clock.start();
        txtnumber->paste();
        QApplication::processEvents();
        const double pasteMs = clock.nsecsElapsed() / 1e6;

        double answeredMs = -1;
        QString outcome;
        QTimer watcher;
        watcher.setInterval(0);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                answeredMs = clock.nsecsElapsed() / 1e6;
                outcome = QStringLiteral("message \"%1\"").arg(box->text());
                watcher.stop();
                box->accept();
            }
        });
        watcher.start();
        clock.restart();
        QTest::keyClick(txtnumber, Qt::Key_Return);
        if (answeredMs < 0) {
            QApplication::processEvents();
            answeredMs = clock.nsecsElapsed() / 1e6;
            outcome = QStringLiteral("answer of %1 characters").arg(txtword->text().size());
        }
        watcher.stop();
        std::printf("%-32s paste %7.1f ms   Enter to %s: %.1f ms\n", c.name, pasteMs,
                    qPrintable(outcome.left(60)), answeredMs);
    }
    return 0;
}
