#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box "O programu".
class TForm3 : public QDialog {
    Q_OBJECT
public:
    // Centres itself over `main` at every showing.
    explicit TForm3(QWidget* main);

    // Fills the eighteen lines afresh (never twice over).
    void fillText(const QString& siteAddress);

    void setVisible(bool visible) override;
    // Makes the controls now rather than at the first showing or filling.
    void ensureControls();

    // Made at the first showing or filling.
    QLabel* Image1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    QWidget* m_main;
};
