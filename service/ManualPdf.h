#pragma once

#include <QByteArray>
#include <QString>

// The program's manual as Markdown, built into the service.
QString manualMarkdown();

// Lays the Markdown out on A4 pages and returns the PDF. Needs a
// QGuiApplication (the offscreen platform will do).
QByteArray renderManualPdf(const QString& markdown);
