#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "app/Windows.h"
#include "app/main.h"
#include "book/book.h"
#include "settings/SettingsStore.h"
#include "ui/PositionPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QToolButton>
#include <memory>

// Answers every modal message box that appears while it lives: records its
// text and presses the button with the given caption ("OK" or "Zrušit").
class MessageBoxAnswerer : public QObject {
public:
    explicit MessageBoxAnswerer(QString button = QStringLiteral("OK")) : m_button(std::move(button)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }
    void setButton(const QString& caption) { m_button = caption; }

    QStringList texts;

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts << box->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == m_button) {
                b->click();
                return;
            }
        box->buttons().first()->click();
    }

    QString m_button;
    QTimer m_timer;
};

template <typename W> W* child(QObject* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child named %s", name);
    return w;
}
template <typename W> W* child(QObject& parent, const char* name) {
    return child<W>(&parent, name);
}
template <typename W, typename T> W* child(const std::unique_ptr<T>& parent, const char* name) {
    return child<W>(parent.get(), name);
}

// A button's caption as the clerk reads it: without the '&' that marks the
// underlined letter of its Alt key ("&&" is a plain '&').
inline QString shownCaption(const QAbstractButton* button) {
    QString out;
    const QString text = button->text();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// Label position n of a window's sheet (Panel1 to Panel12 of the main
// window, Panel1 to Panel6 of the book-label window).
inline PositionPanel* panel(QObject& window, int n) {
    return child<PositionPanel>(&window, QStringLiteral("Panel%1").arg(n).toLatin1().constData());
}

// Marks exactly these label positions of the main window, by mouse.
inline void mark(TForm1& f, const QList<int>& positions) {
    f.Button4Click();
    for (int n : positions)
        QTest::mouseClick(panel(f, n), Qt::LeftButton);
}

// Sends the main window's jobs to a PDF file instead of the print queue.
inline QString printToPdf(TForm1& f, const QString& path) {
    f.printer().setOutputFormat(QPrinter::PdfFormat);
    f.printer().setOutputFileName(path);
    return path;
}

// Replaces the settings file with these lines, as the Windows program wrote them.
inline void writeSettings(const QStringList& lines) {
    QDir().mkpath(DataDir::directory());
    QVERIFY(writeWindowsIni(DataDir::settingsFile(), lines));
}

inline QString readSetting(const char* section, const char* key) {
    return SettingsStore(DataDir::settingsFile())
        .ReadString(QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("<absent>"));
}

inline QStringList comboItems(QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Closes the book-label window whenever it comes up, and counts the showings.
class BookWindowCloser : public QObject {
public:
    explicit BookWindowCloser(TForm1& f) : m_form(f) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_form.Form5 && m_form.Form5->isVisible()) {
                ++shown;
                m_form.Form5->reject();
            }
        });
        m_timer.start();
    }
    int shown = 0;

private:
    TForm1& m_form;
    QTimer m_timer;
};
