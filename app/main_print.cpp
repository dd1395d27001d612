// The print command "TISK" and the printer choice.
#include "app/Messages.h"
#include "app/main.h"

#include <QPrintDialog>
#include <QPrinter>

void TForm1::Button7Click() {
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.exec();
}

void TForm1::Button1Click() {}
