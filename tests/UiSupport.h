#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/Windows.h"
#include "app/main.h"

// Answers every modal message box that appears while it lives: records its
// text and presses the button with the given caption ("OK" or "Cancel").
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
