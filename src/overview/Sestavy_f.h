#pragma once

#include "overview/OverviewTable.h"
#include "report/Report.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QHash>
#include <QStringList>
#include <QStyledItemDelegate>

class QAction;
class QLabel;
class QTableView;
class QToolBar;
class TFindDialog;
struct Settings;

// The overview's rows for the grid; cells are decoded only when shown.
class OverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit OverviewModel(OverviewTable& table, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Wraps a change of the rows.
    void change(const std::function<void()>& work);

private:
    OverviewTable& m_table;
};

// Paints the cells as the old grid did: date and amount right-aligned, text 2 pixels in.
class OverviewDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// "Sestavy": every item with an amount of every order of the current year, with find, filter,
// sort and a printed list. Reads the order files and never changes them.
class TSestavy : public QDialog {
    Q_OBJECT
public:
    // pdfExport: the PDF configuration the preview's export commands share; nullptr, the report's own.
    explicit TSestavy(const Settings& settings, QWidget* parent = nullptr, PdfExportConfig* pdfExport = nullptr);
    ~TSestavy() override;

    static constexpr int kColumnWidths[OverviewTable::kColumns] = {64, 128, 40, 82, 89, 417};
    static constexpr int kRowHeight = 19;

    const OverviewTable& table() const { return m_table; }
    int AllRowCount() const { return m_allRowCount; }
    const QStringList& FileNames() const { return m_fileNames; }
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);
    QString panelText(int panel) const;
    Report& report() { return Report1; }
    TFindDialog* findDialog() const { return FindDialog1; }

    void Tb_PrvniZaznamClick();
    void TB_PredchoziZaznamClick();
    void TB_NasledujiciZaznamClick();
    void TB_PosledniZaznamClick();
    void ToolButton12Click();
    void TB_HledatClick();
    void TB_SetriditClick();
    void TB_FiltrClick();
    void TB_FiltrRozsirClick();
    void TB_ZrusitFiltrClick();
    void TB_TiskClick();
    void FindDialog1Find();

    void Filtr(const QString& criterion, int column);
    void VzestupneSetrideni(int column);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void seznamsouboru();
    void nacistdata();
    void cenacelkem();
    void stavytlacitek();
    void showFilterState();
    void refreshPosition();
    void buildToolBar();
    void Report1GetValue(const QString& name, QString& value);

    const Settings& m_settings;
    QString m_folder;
    QStringList m_fileNames;
    int SearchRow = 0;
    int m_allRowCount = 0;
    OverviewTable m_table;
    OverviewModel* m_model = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QHash<QString, QAction*> m_buttons;
    QTableView* Grid1 = nullptr;
    QLabel* m_panels[3] = {nullptr, nullptr, nullptr};
    TFindDialog* FindDialog1 = nullptr;
    Report Report1;
};
