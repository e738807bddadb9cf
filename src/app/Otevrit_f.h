#pragma once

#include "order/Settings.h"

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class OrderFileReader;

// Lists the orders of the current year with their date, item count and total; the chosen file's
// path is the result.
class TOtevrit : public QDialog {
    Q_OBJECT
public:
    explicit TOtevrit(const Settings& settings, QWidget* parent = nullptr);

    // The chosen order file; empty when cancelled or closed.
    QString selectedPath() const { return m_path; }
    // Files that could not be read while the list was filled, with the reason.
    const QStringList& problems() const { return m_problems; }

    void Tl_OkClick();
    void Tl_StornoClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    QTreeWidgetItem* orderRow(OrderFileReader& reader, const QString& filePath);

    const Settings& m_settings;
    QString m_path;
    QStringList m_problems;
    bool m_problemsShown = false;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* Tl_Ok = nullptr;
    QPushButton* Tl_Storno = nullptr;
};
