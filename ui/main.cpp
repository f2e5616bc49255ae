#include <QApplication>

#include "application.h"
#include "frmmain.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zorv::ui::ConfigureApplication(application);
    zorv::ui::frmmain window;
    window.show();
    return QApplication::exec();
}
