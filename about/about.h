#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TForm1;

// The about box "O programu".
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(TForm1* main);

    // Fills the eighteen lines afresh (never twice over).
    void fillText(const QString& siteAddress);

    QLabel* Image1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    TForm1* m_main;
};
