#pragma once

#include "clauses/ClauseBatch.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabBar;
class QTimer;
class QToolButton;
class QAction;
class QCompleter;
class QStringListModel;
class DocumentCheck;
class SavedClauses;
class MakerSite;
class ManualOpener;
struct BookWindowSource;
struct DocumentCheckResult;
struct LegalizationFields;
class PositionPanel;
class SettingsStore;
class TForm2;
class TForm3;
class TForm5;
class TForm6;
class Journal;
struct JournalEntry;

// The main window: the clerk chooses the clause kind on a tab, fills in the
// particulars, marks the label positions and prints.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The other windows, created after this one by the program entry.
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm5* Form5 = nullptr;

    // State shared with the other windows.
    int firstPrintedNumber = 0;
    QString documentCheckState;

    SettingsStore& settings();
    // The maker's web site as the settings name it (the built-in one when they cannot be read).
    MakerSite makerSite();
    // The printer of every job of this run, the system's default until the
    // clerk chooses another. Made on first use; throws AppError when the print
    // system does not answer (and is asked again next time).
    QPrinter& printer();
    // The journal of issued numbers, opened on first use (which settles what
    // a program that ended mid-print left). Throws AppError.
    Journal& journal();
    // Prints journal entries again on the marked positions; false when it printed nothing.
    bool reprintEntries(const QList<JournalEntry>& entries);
    // The journal window, made when first opened.
    TForm6* Form6 = nullptr;

    // The saved legalization clauses, shared with the settings dialog.
    SavedClauses& savedClauses();
    DocumentCheck& documentCheck();
    LegalizationFields legalizationFields() const;
    void nastavDleSeznamuLegalizace(const QString& hledany);

    // The caption of the selected tab: "VIDIMACE", "LEGALIZACE", "ZÁMĚR",
    // "SCHVÁLENÍ", or empty when no tab exists.
    QString selectedKind() const;
    bool isMarked(int position) const;
    int markedCount() const;

    void setNextPrinted();
    QString oznaceni(const QString& cinnost);

    // The particulars of each kind as the fields hold them now; what comes
    // from the settings (office, place, faces) is filled in by the batch.
    CopyVerificationParticulars gatherCopyVerification() const;
    LegalizationParticulars gatherLegalization() const;
    IntentionParticulars gatherIntention() const;
    ApprovalParticulars gatherApproval() const;
    // The order-number and year fields.
    OrderNumbers orderNumbers() const;
    // What the book-label window fills itself from when it is shown.
    BookWindowSource bookWindowSource() const;

public Q_SLOTS:
    void TabControl1Change();
    void PanelClick(int position);
    void Button2Click();
    void Button4Click();
    void Button5Click();
    void Button7Click();
    void Button3Click();
    void iskttkdoovovacknihy1Click();
    void DateTimePicker3Change();
    void DateTimePicker4Change();

    void Button1Click();
    void Nahledtisku1Click();
    void Denik1Click();
    void ComboBox15Change();
    void ComboBox16Change();

    void ComboBox14KeyUp(int key);
    void ComboBox14Select();
    void ComboBox7Change();
    void Edit1Change();
    void Edit4Change();
    void Timer1Timer();
    void Button8Click();
    void BitBtn1Click();

    void Manulkprogramu1Click();
    void Webovstrnkysnpovdou1Click();
    void Sthnoutnejnovjverziprogramu1Click();
    void Informaceoprogramu1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildControls();
    void setUpKeyboard();
    void buildCopyVerificationBox();
    void buildLegalizationBox();
    void buildIntentionBox();
    void buildApprovalBox();
    void FormCreate();
    void loadSavedClauses();
    void setUpApplicantData();
    void documentFieldChanged();
    void documentCheckFinished(const DocumentCheckResult& result);
    std::optional<Refusal> savingRefusal() const;
    void ulozDolozkuLegalizace();
    void printClauses();
    // Asks before numbers given out already are printed again and lets the
    // batch print them; false when the clerk cancels (or there are none: true).
    bool reissueAccepted(ClauseBatch& batch, const QList<IssuedNumber>& again);
    QList<int> markedPositions() const;
    // The preview of the print (main_preview.cpp); asks before text runs over a label.
    void showPrintPreview();
    bool overflowAccepted(ClauseBatch& batch, const ClauseParticulars& particulars);
    std::optional<Refusal> refusalOfKind(ClauseKind kind) const;
    ClauseParticulars gather(ClauseKind kind) const;
    void setOrderNumbers(const OrderNumbers& numbers);
    void loadOrderNumber(QComboBox* chooser, QSpinBox* field);
    void FormClose();

    // Controls, by their component names.
    QTabBar* TabControl1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    std::array<PositionPanel*, 12> panels{};
    QPushButton* Button2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button7 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* iskttkdoovovacknihy1 = nullptr;
    QAction* Nahledtisku1 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;

    // GroupBox1, copy verification
    QComboBox* ComboBox16 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSpinBox* SpinEdit5 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QComboBox* ComboBox9 = nullptr;
    QLabel* Label9 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QComboBox* ComboBox4 = nullptr;

    // GroupBox2, legalization
    QComboBox* ComboBox15 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QSpinBox* SpinEdit4 = nullptr;
    QSpinBox* SpinEdit6 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QComboBox* ComboBox14 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button8 = nullptr;
    QLabel* Label18 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QComboBox* ComboBox8 = nullptr;

    // GroupBox3, intention of the municipality
    QComboBox* ComboBox10 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QDateEdit* DateTimePicker3 = nullptr;
    QDateEdit* DateTimePicker4 = nullptr;
    QComboBox* ComboBox11 = nullptr;
    QDateEdit* DateTimePicker5 = nullptr;
    QLineEdit* Edit5 = nullptr;

    // GroupBox4, approval
    QComboBox* ComboBox12 = nullptr;
    QComboBox* ComboBox13 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QDateEdit* DateTimePicker6 = nullptr;

    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<SavedClauses> m_savedClauses;
    DocumentCheck* m_documentCheck = nullptr;
    ManualOpener* m_manualOpener = nullptr;
    QStringListModel* m_clauseModel = nullptr;
    QCompleter* m_clauseCompleter = nullptr;
};
