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
