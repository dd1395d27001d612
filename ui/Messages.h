#pragma once

#include <QString>
#include <exception>
#include <utility>

class QWidget;

// Refusal of the clerk's input: an information box with the single button "OK".
void showInfo(QWidget* parent, const QString& text);
// A question with "OK" and "Zrušit" (the word of Qt's own Czech dialogs) and
// no icon; true for "OK".
bool confirmOkCancel(QWidget* parent, const QString& text);
// The general error report: a command that failed shows its error's text.
void showErrorReport(QWidget* parent, const QString& text);

// Runs one command; an error it does not handle ends the command, is shown
// by the general error report, and the program goes on. Exceptions never
// cross the event loop. Returns false when the command failed.
template <typename F> bool guarded(QWidget* parent, F&& command);

void reportCurrentException(QWidget* parent);

template <typename F> bool guarded(QWidget* parent, F&& command) {
    try {
        std::forward<F>(command)();
        return true;
    } catch (...) {
        reportCurrentException(parent);
        return false;
    }
}
