#pragma once

#include <QDialog>

class TForm1;

// The settings dialog "Nastavení": every setting edited by category.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(TForm1* main);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    TForm1* m_main;
};
