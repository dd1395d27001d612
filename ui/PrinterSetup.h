#pragma once

class QPrinter;
class QWidget;

// "Vybrat tiskárnu": the printer-setup dialog. It chooses the printer and its
// options for every later job and prints nothing, so its confirming button
// says "OK" (Qt's print dialog would say "Tisk"). Returns true when the clerk
// confirmed the choice.
bool choosePrinter(QPrinter& printer, QWidget* parent);
