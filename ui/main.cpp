// zorv-converter: the converter's window program. The font configuration loads on a
// second thread while the application starts (application.h); the window frmmain
// (frmmain.h) holds the controls and hands Enter and Convert to the Convert command.
#include <QApplication>

#include "application.h"
#include "frmmain.h"

int main(int argc, char* argv[]) {
    zorv::ui::FontConfigurationLoader fonts;
    QApplication application(argc, argv);
    zorv::ui::ConfigureApplication(application);
    fonts.Wait();
    zorv::ui::frmmain window;
    window.show();
    return QApplication::exec();
}
