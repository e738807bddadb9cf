#pragma once

#include "dialogs/OrderHost.h"
#include "order/DataFolder.h"
#include "order/DuplicateIndex.h"
#include "order/PaymentOrder.h"
#include "order/Settings.h"
#include "report/PdfExport.h"

#include <QFrame>
#include <QHash>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QToolBar;
class QToolButton;
class OrderGridModel;
class OrderGridView;
class OrderPrint;

// The order panel: the headings with their ruling lines above the grid.
class OrderPanel : public QFrame {
    Q_OBJECT
public:
    explicit OrderPanel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The main window: the open order in a grid of 16 rows, and every command.
class THlavni : public QMainWindow, public OrderHost {
    Q_OBJECT
public:
    // programFolder ends with "/"; empty means the folder of the executable.
    explicit THlavni(const QString& programFolder = {}, QWidget* parent = nullptr);
    ~THlavni() override;

    // OrderHost
    QWidget* hostWindow() override { return this; }
    const PaymentOrder& order() const override { return m_order; }
    Settings& settings() override { return m_settings; }
    bool isOrderOpen() const override;
    int selectedRow() const override;
    void SaveItem(int row, const OrderItem& item) override;
    void SaveItems(const std::vector<std::pair<int, OrderItem>>& rows) override;
    const DuplicateIndex* duplicates() const override { return &m_duplicates; }
    void ShowProvisionalTotal(double total) override;
    void ShowOrderTotal() override;

    // Writes the open order's file; throws VelorinError naming the file.
    void SaveOrder();

    int CountValidItems() const { return m_order.CountValidItems(); }
    void UpdateOrderState();
    void selectRow(int row);

    // The action of a menu item by its name (HMenu_...).
    QAction* action(const QString& name) const;

    // The PDF export configuration of every report preview.
    PdfExportConfig& pdfExport1() { return PDFExport1; }

    // When the executable's folder cannot take the files but holds orders, says over the window where
    // the files go now; once per such folder, remembered in the settings file in use.
    void TellWhereFilesGo(const QString& executableFolder, const FolderProbe& canCreateFiles = CanCreateFilesIn);

    // The page the help and home-page commands open: the manual's index, empty when it is missing.
    static QString HelpUrl();

    // Commands, named after their menu items.
    void HMenu_NovyClick();
    void HMenu_OtevritClick();
    void HMenu_NovyPodlePrikazuClick();
    void HMenu_ZavritClick();
    void HMenu_TiskClick();
    void HMenu_TiskQrKoduClick();
    void HMenu_KonecClick();
    void HMenu_EditovatPolozkuClick();
    void HMenu_SmazatPolozkuClick();
    void HMenu_VyjmoutPolozkuClick();
    void HMenu_KopirovatPolozkuClick();
    void HMenu_VlozitPolozkuClick();
    void HMenu_VlozitRadkyZTabulkyClick();
    void HMenu_NacistPolozkyZeSouboruClick();
    void HMenu_ZmenitDatumClick();
    void HMenu_NacistPlatbuClick();
    void HMenu_QrPlatbaClick();
    void HMenu_KonfigClick();
    void HMenu_PredvolbyClick();
    void HMenu_NacistCiselnikBankClick();
    void HMenu_SestavyClick();
    void HMenu_TxtVypisClick();
    void HMenu_TxtVypisStrukturovanyClick();
    void HMenu_ExportABOClick();
    void HMenu_ExportXMLClick();
    void HMenu_ObsahNapovedyClick();
    void HMenu_DomuClick();
    void HMenu_OprogramuClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QString& programFolder);
    void buildMenuAndToolbar();
    void buildPanel();
    void updateCommentLabel();
    // The window's caption: the program's, with the open order's file name.
    QString caption() const;
    // Recomputes Total and shows it in La_Celkem.
    void RecalcTotal();
    // Redraws the grid and the comment label from the order.
    void RefreshGrid();
    // Shows m_order: the panel while one is open, its date, total and rows, the commands' state.
    void showOrder();
    // Runs change on m_order, then saves; a failed save puts the order back as it was and rethrows.
    void changeAndSave(const std::function<void()>& change);
    // Reads the payments of the year's orders for the same-payment warning, once per opened order.
    void indexYear();

    // The open order, its date and payer bank included: all the window shows of it comes from here.
    PaymentOrder m_order;
    Settings m_settings;
    DuplicateIndex m_duplicates;
    QHash<QString, QAction*> m_actions;
    QToolBar* m_toolbar = nullptr;
    OrderPanel* Panel1 = nullptr;
    OrderGridView* Grid1 = nullptr;
    OrderGridModel* m_gridModel = nullptr;
    QLabel* La_Komentar = nullptr;
    QLabel* La_Celkem = nullptr;
    QLabel* La_Datum = nullptr;
    QLabel* Datum = nullptr;
    PdfExportConfig PDFExport1;
    // The two order print layouts, Report1 and Report2.
    std::unique_ptr<OrderPrint> m_print;
};
