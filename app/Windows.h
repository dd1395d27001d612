#pragma once

#include <memory>

class TForm1;

// Creates the program's four windows in their order (main window, settings
// dialog, about box, book-label window); the others live as long as the main
// window. Used by the program entry and by the tests alike; sets up the
// application first.
std::unique_ptr<TForm1> createWindows();

// Process-wide setup, done once: application name, Czech locale and Qt's
// Czech translations.
void setUpApplication();
