#pragma once

#include <QDialog>

class TForm1;

// The book-label window: the record of one batch for the certification book.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(TForm1* main);

protected:
    void done(int result) override;

private:
    void FormCreate();
    void FormClose();
    TForm1* m_main;
};
