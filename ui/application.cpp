#include "application.h"

#include <QApplication>
#include <QIcon>
#include <QStringView>

#include "identity.h"

#if defined(ZORV_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace zorv::ui {

void ConfigureApplication(QApplication& application) {
    QApplication::setApplicationName(QStringView(kProductName).toString());
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QApplication::setOrganizationName(QString::fromLatin1(kMakerAddress));
    QApplication::setOrganizationDomain(QString::fromLatin1(kMakerAddress));
    QApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(QIcon(QString::fromLatin1(kIconPath)));
    QApplication::setStyle(QStringLiteral("Fusion"));
    (void)application;
}

FontConfigurationLoader::FontConfigurationLoader() {
#if defined(ZORV_HAVE_FONTCONFIG)
    // FcInit publishes the loaded configuration atomically; Qt's own call then finds it.
    thread_ = std::jthread([] { FcInit(); });
#endif
}

void FontConfigurationLoader::Wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace zorv::ui
