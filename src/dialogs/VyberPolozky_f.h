#pragma once

#include "order/Presets.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;

// The modal picker "Výběr položky z předvolby": one preset chosen by name, with a forward search
// (Hledat, F3). It lists the names of the presets file in programFolder (ending in "/") in file
// order with the first entry selected; no file gives an empty list.
//
// Taking a preset into the item editor (the "..." button, Tl_PrenestClick) is one call:
//
//     if (const auto p = TVyberPolozky::PickPreset(settings.ProgramFolder, this)) {
//         Ed_Ucet->setText(p->Account);
//         Ed_Kod->setText(p->BankCode);
//         Ed_VarSymbol->setText(p->VariableSymbol);
//         Ed_KonstSymbol->setText(p->ConstantSymbol);
//         Ed_SpecSymbol->setText(p->SpecificSymbol);
//         Ed_Komentar->setText(p->Comment);
//         Ed_Platba->clear(); // a preset never carries an amount
//     }
//
// Set all six fields and empty the amount even when the preset's values are empty; p->Name is not
// used. These setText calls are changes and so enable the editor's Tl_Ok. On nullopt change nothing:
// the user cancelled, or PickPreset has already shown why nothing can be taken. It never throws.
//
// The same by hand: construct, exec(); on Accepted call selectedPreset(); on nullopt call
// ExplainNoPreset() and change nothing. selectedPreset() and the constructor throw VelorinError when
// the file cannot be read.
class TVyberPolozky : public QDialog {
    Q_OBJECT
public:
    explicit TVyberPolozky(const QString& programFolder, QWidget* parent = nullptr);

    // Creates the picker, shows it modally and gives the preset to take; shows "Není vybraná žádná
    // položka." when confirmed with no entry selected, the damaged-file message when the chosen line
    // has fewer than seven fields, and the error box when the file cannot be read.
    static std::optional<PaymentPreset> PickPreset(const QString& programFolder, QWidget* parent);

    // Position of the selected entry in the list (and line in the file), -1 for none.
    int selectedIndex() const;
    // Reads the file again and gives the selected line as a preset; nullopt when no entry is selected
    // or the line is damaged (fewer than seven fields).
    std::optional<PaymentPreset> selectedPreset() const;
    // After selectedPreset() gave nullopt: tells the user why.
    void ExplainNoPreset() const;

    // The forward search of Hledat and F3.
    void Akce_HledatExecute();
    // Walks from the selected entry to the first name containing text; false when none does.
    bool SearchFromSelection(const QString& text);

    QListWidget* ListBox1 = nullptr;
    QLineEdit* Ed_Hledat = nullptr;
    QAction* Akce_Hledat = nullptr;
    QPushButton* Tl_Hledat = nullptr;
    QPushButton* Tl_Vlozit = nullptr;
    QPushButton* Tl_Storno2 = nullptr;

protected:
    // Up, Down, Page Up and Page Down in the search field move the list's selection.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_path;
};
