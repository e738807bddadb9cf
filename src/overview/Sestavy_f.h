#pragma once

#include "overview/OverviewModel.h"
#include "overview/OverviewTable.h"
#include "report/Report.h"

#include <QDialog>
#include <QHash>
#include <QStringList>

class QAction;
class QLabel;
class QTableView;
class QToolBar;
class TFindDialog;
struct Settings;

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
    // F3: the next match as the find dialog is set, or the dialog while it has no text.
    void HledatDalsi();

    void Filtr(const QString& criterion, int column);
    void VzestupneSetrideni(int column);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void seznamsouboru();
    void nacistdata();
    // The total of the rows shown, as the status bar and the print show it.
    QString totalText() const;
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
