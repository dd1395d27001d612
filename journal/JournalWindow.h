#pragma once

#include "journal/Journal.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

// The rows of the journal as the table shows them, with a filter.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<JournalEntry> entries); // newest first
    void setFilter(const QString& filter);
    const JournalEntry& entryAt(int row) const { return m_all[m_shown[row]]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    enum Column { Time, Kind, Designation, Subject, Officer, State, ColumnCount };

private:
    QList<JournalEntry> m_all;
    QList<qsizetype> m_shown;
    QString m_filter;
};

// "Deník vydaných čísel": every designation issued, newest first; the
// selected entries can be printed again under their own designations and
// the table exported for a spreadsheet. It does not block the main window,
// where the clerk marks the labels a reprint goes to.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    // `reprint` prints the entries again; it returns false when it printed nothing.
    TForm6(QWidget* parent, std::function<Journal&()> journal,
           std::function<bool(const QList<JournalEntry>&)> reprint);

    // Reads the journal again, keeping the filter.
    void reload();
    QList<JournalEntry> selectedEntries() const;

public Q_SLOTS:
    void Button1Click(); // Znovu vytisknout
    void Button2Click(); // Exportovat CSV
    void Button3Click(); // Zavřít
    void Edit1Change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyPendingFilter();

    std::function<Journal&()> m_journal;
    std::function<bool(const QList<JournalEntry>&)> m_reprint;
    JournalModel* m_model = nullptr;
    QTableView* Grid1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QTimer* m_filterDelay = nullptr;
};
