#pragma once

#include <QDialog>
#include <QList>
#include <array>
#include <exception>
#include <functional>

class Pen;
struct NamedText;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabBar;
class PositionPanel;
class QPrinter;
class SettingsStore;
struct BookWindowSource;
struct CopyVerificationRecord;
struct LegalizationRecord;

// The book-label window: the record of one batch for the certification book.
// Every showing fills it afresh from the main window; the clerk adds the kind
// of document and prints the record on one of the six labels of the sheet.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    // The window prints through the main window's settings handle and
    // printer, which `printer` makes when first asked (it throws when the print
    // system does not answer); `source` gives the main window's batch and
    // fields at each showing.
    TForm5(QWidget* parent, SettingsStore& settings, std::function<QPrinter&()> printer,
           std::function<BookWindowSource()> source);

    void setVisible(bool visible) override;
    // Makes the controls now rather than at the first showing; the methods
    // below that read or set controls make them too.
    void ensureControls();

    // The designation of one order number on the record; issues no number.
    QString oznaceni(const QString& cinnost, int poradi, int rok) const;
    // Recomposes the two lines of item 8 (Edit1, Edit6) from the copy-verification fields.
    void DoplnitPrvkyVidimace();
    // The marked label position, 1 to 6, or 0 when none is marked.
    int markedPosition() const;
    bool isMarked(int position) const;

    // The fields of each tab as the record prints them; the designations and
    // the face come from the settings when the record is printed.
    CopyVerificationRecord copyVerificationRecord() const;
    LegalizationRecord legalizationRecord() const;

public Q_SLOTS:
    void TabControl1Change();
    void PanelClick(int position);
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void SpinEdit4Change();
    void SpinEdit5Change();
    void SpinEdit6Change();
    void SpinEdit7Change();
    void SpinEdit8Change();
    void ComboBox4Change();
    void ComboBox5Change();
    void ComboBox6Change();
    void CheckBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void buildCopyVerificationBox();
    void buildLegalizationBox();
    void FormCreate();
    void FormShow();
    void FormClose();

    // The couplings of first, last and count, shared by both tabs.
    void firstChanged(QSpinBox* first, QSpinBox* last, QSpinBox* count);
    void lastChanged(QSpinBox* first, QSpinBox* last, QSpinBox* count);
    void countChanged(QSpinBox* first, QSpinBox* last, QSpinBox* count);
    void computeCopyVerificationFee();
    void computeLegalizationFee();

    void printRecord(int position);
    // Draws the record of the current tab from a pen; named, when given,
    // receives its texts with the name of their line.
    std::function<void(Pen&)> recordDrawing(QList<NamedText>* named) const;
    // Asks before a record that runs over its label is printed.
    bool overflowAccepted(int position) const;

    // Runs one handler. A value assigned by a handler runs the next handler
    // inside it; an error is reported once, when the outermost one returns,
    // so that no exception passes through the widgets' signals.
    template <typename F> void handle(F&& handler);

    // Controls, by their component names.
    QTabBar* TabControl1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    std::array<PositionPanel*, 6> panels{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // GroupBox1, copy verification
    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QSpinBox* SpinEdit7 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QSpinBox* SpinEdit8 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QComboBox* ComboBox3 = nullptr;

    // GroupBox2, legalization
    QSpinBox* SpinEdit4 = nullptr;
    QSpinBox* SpinEdit5 = nullptr;
    QSpinBox* SpinEdit6 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QComboBox* ComboBox2 = nullptr;

    SettingsStore& m_settings;
    std::function<QPrinter&()> m_printer;
    std::function<BookWindowSource()> m_source;
    int m_handlerDepth = 0;
    std::exception_ptr m_pendingError;
};
