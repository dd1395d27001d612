#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <map>
#include <memory>

class CalibrationPicture;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class SettingsStore;
class SavedClauses;

// The settings dialog "Nastavení": every setting edited by category. It loads
// all values afresh at each show and writes them only on "OK".
class TForm2 : public QDialog {
    Q_OBJECT
public:
    // Centres itself over `main`; the saved clauses are the main window's lists.
    TForm2(QWidget* main, SavedClauses& savedClauses);
    ~TForm2() override;

    void setVisible(bool visible) override;

    // Controls, by their component names, made at the first showing; the
    // numbered runs through the accessors below.
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QLabel* Image2 = nullptr;
    CalibrationPicture* Image1 = nullptr;
    CalibrationPicture* Image3 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label62 = nullptr;

    // GroupBox1 to GroupBox12; there is no GroupBox4 (nullptr).
    QGroupBox* groupBox(int n) const { return m_groupBoxes.at(n - 1); }
    QCheckBox* checkBox(int n) const { return m_checkBoxes.at(n - 1); }
    QSpinBox* spinEdit(int n) const { return m_spinEdits.at(n - 1); }
    QLineEdit* edit(int n) const { return m_edits.at(n); }

    // Makes the controls now rather than at the first showing.
    void ensureControls();

    // The category list's items, in order.
    static const QStringList& categories();

public Q_SLOTS:
    void ListBox1Click();
    void Button1Click();
    void Button3Click();
    void Button5Click();
    void Button6Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildGeneral();
    void buildOrganisation();
    void buildCopyAndLegalization();
    void buildBooks();
    void buildLegalActs();
    void buildCalibration(QGroupBox* box, int firstSpin, int spinCount, int firstLabel,
                          const char* textLabel);

    void FormShow();
    void loadSettings(QStringList& problems);
    void loadLogoPreview();
    void fillSavedClauseList(const QStringList& names);
    void saveSettings();

    QWidget* m_main;
    SavedClauses& m_savedClauses;
    std::unique_ptr<SettingsStore> m_settings;
    std::array<QGroupBox*, 12> m_groupBoxes{};
    std::array<QCheckBox*, 5> m_checkBoxes{};
    std::array<QSpinBox*, 14> m_spinEdits{};
    std::map<int, QLineEdit*> m_edits;
};
