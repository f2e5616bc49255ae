#include "application.h"

#include <QApplication>
#include <QIcon>

#include "frmmain.h"

namespace zorv::ui {

void ConfigureApplication(QApplication& application) {
    QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QApplication::setOrganizationName(QString::fromLatin1(kMakerAddress));
    QApplication::setOrganizationDomain(QString::fromLatin1(kMakerAddress));
    QApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(QIcon(QString::fromLatin1(kIconPath)));
    QApplication::setStyle(QStringLiteral("Fusion"));
    (void)application;
}

}  // namespace zorv::ui
