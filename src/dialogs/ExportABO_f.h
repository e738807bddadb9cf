#pragma once

#include "abo/AboProfile.h"
#include "common/WarningLine.h"

#include <QDialog>
#include <optional>

class OrderHost;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The export command of the main window: checks that an ABO file can be made of the open order
// (an information box says why not) and shows TExportABO modally.
void ExportAboCommand(OrderHost& host);

// Shows the ABO text of the open order in an editable box and saves it to a ".abo" file. The
// comments option lives in the settings file: read on opening, written on every close. The bank's
// format and "Bez diakritiky" are stored beside it when the user changed them.
class TExportABO : public QDialog {
    Q_OBJECT
public:
    explicit TExportABO(OrderHost& host, QWidget* parent = nullptr);

    void FormCreate();
    void ChB_PripojovatKomentareClick();
    void Tl_UlozitClick();
    void Tl_StornoClick();
    void CB_FormatBankyChange();
    void ChB_BezDiakritikyClick();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();
    void fillText();
    void createBankControls();
    void readBankChoices();
    void storeBankChoices();
    const AboBankProfile& chosenProfile() const;
    AboOptions currentOptions() const;
    // True when the text reads back to the order, or the user saves it anyway.
    bool confirmTextReadsBack(const QStringList& lines);

    OrderHost& m_host;
    bool m_placed = false;
    QFrame* Panel1 = nullptr;
    QPushButton* Tl_Ulozit = nullptr;
    QCheckBox* ChB_PripojovatKomentare = nullptr;
    QPushButton* Tl_Storno = nullptr;
    WarningLine* La_Varovani = nullptr; // what the payment checks find; hidden when nothing
    QPlainTextEdit* Memo1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* La_FormatBanky = nullptr;
    QComboBox* CB_FormatBanky = nullptr;
    QCheckBox* ChB_BezDiakritiky = nullptr;
    // As read on opening: only what the user changed is written back.
    const AboBankProfile* m_storedProfile = nullptr;
    bool m_openedAscii = false;
    // The number of the day's file that the text was built with.
    int m_fileNumber = 1;
};
