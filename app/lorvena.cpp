#include "app/Windows.h"
#include "app/main.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto mainWindow = createWindows();
    mainWindow->show();
    return app.exec();
}
