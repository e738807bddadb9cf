#pragma once

#include "common/WarningLine.h"
#include "pain/PainDocument.h"

#include <QDialog>

class OrderHost;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The XML export command of the main window: checks that a pain.001 file can be made of the open
// order (an information box says why not) and shows TExportXML modally.
void ExportXmlCommand(OrderHost& host);

// Shows the order as a pain.001 document in the chosen profile and saves it to a ".xml" file once it
// validates against the schema and reads back to the order. The profile is remembered in the
// settings file when the user changed it.
class TExportXML : public QDialog {
    Q_OBJECT
public:
    explicit TExportXML(OrderHost& host, QWidget* parent = nullptr);

    void CB_ProfilChange();
    void Tl_UlozitClick();
    void Tl_StornoClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PainProfile chosenProfile() const;
    void fillText();

    OrderHost& m_host;
    bool m_placed = false;
    QFrame* Panel1 = nullptr;
    QPushButton* Tl_Ulozit = nullptr;
    QLabel* La_Profil = nullptr;
    QComboBox* CB_Profil = nullptr;
    QPushButton* Tl_Storno = nullptr;
    WarningLine* La_Varovani = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    PainProfile m_openedProfile = PainProfile::Cba;
    PainDocument m_document; // as shown
    int m_dayNumber = 1;
};
