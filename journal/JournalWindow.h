#pragma once

#include "journal/Journal.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

// The rows of the journal a filter finds, as the table shows them: read a
// page at a time as the clerk scrolls, so that a journal of many years opens
// at once.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    JournalModel(std::function<Journal&()> journal, QObject* parent);

    // Reads the first page again (after a print, with another filter).
    void reload(const QString& filter);
    const QString& filter() const { return m_filter; }
    const JournalEntry& entryAt(int row) const { return m_rows[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    enum Column { Time, Kind, Designation, Subject, Officer, State, ColumnCount };
    static constexpr int kPage = 500;

private:
    std::function<Journal&()> m_journal;
    QList<JournalEntry> m_rows;
    QString m_filter;
    bool m_more = false;
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
