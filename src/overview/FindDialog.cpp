#include "overview/FindDialog.h"

#include "common/PlainText.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Najít"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    auto* label = PlainLabel(new QLabel(QStringLiteral("&Najít:"), this));
    Ed_Text = new QLineEdit(this);
    Ed_Text->setObjectName(QStringLiteral("Ed_Text"));
    label->setBuddy(Ed_Text);

    ChB_CelaSlova = new QCheckBox(QStringLiteral("&Pouze celá slova"), this);
    ChB_CelaSlova->setObjectName(QStringLiteral("ChB_CelaSlova"));
    ChB_Velikost = new QCheckBox(QStringLiteral("&Rozlišovat velká a malá písmena"), this);
    ChB_Velikost->setObjectName(QStringLiteral("ChB_Velikost"));

    auto* direction = new QGroupBox(QStringLiteral("Směr"), this);
    Rb_Nahoru = new QRadioButton(QStringLiteral("N&ahoru"), direction);
    Rb_Nahoru->setObjectName(QStringLiteral("Rb_Nahoru"));
    Rb_Dolu = new QRadioButton(QStringLiteral("&Dolů"), direction);
    Rb_Dolu->setObjectName(QStringLiteral("Rb_Dolu"));
    Rb_Dolu->setChecked(true);
    auto* directionRow = new QHBoxLayout(direction);
    directionRow->addWidget(Rb_Nahoru);
    directionRow->addWidget(Rb_Dolu);

    Tl_Najit = new QPushButton(QStringLiteral("Najít &další"), this);
    Tl_Najit->setObjectName(QStringLiteral("Tl_Najit"));
    Tl_Najit->setDefault(true);
    Tl_Najit->setEnabled(false);
    Tl_Storno = new QPushButton(QStringLiteral("Storno"), this);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(Ed_Text, 0, 1, 1, 2);
    grid->addWidget(Tl_Najit, 0, 3);
    grid->addWidget(ChB_CelaSlova, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    grid->addWidget(Tl_Storno, 1, 3);
    grid->addWidget(ChB_Velikost, 2, 0, 1, 2);

    connect(Ed_Text, &QLineEdit::textChanged, this,
            [this](const QString& text) { Tl_Najit->setEnabled(!text.isEmpty()); });
    connect(Tl_Najit, &QPushButton::clicked, this, &TFindDialog::findNext);
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::close);
    // F3 finds the next match here as in the overview.
    auto* again = new QAction(this);
    again->setShortcut(QKeySequence(Qt::Key_F3));
    connect(again, &QAction::triggered, Tl_Najit, &QPushButton::click);
    addAction(again);
}

QString TFindDialog::findText() const {
    return Ed_Text->text();
}

bool TFindDialog::down() const {
    return Rb_Dolu->isChecked();
}

bool TFindDialog::matchCase() const {
    return ChB_Velikost->isChecked();
}

bool TFindDialog::wholeWord() const {
    return ChB_CelaSlova->isChecked();
}

void TFindDialog::setOptions(const QString& text, bool isDown, bool isMatchCase, bool isWholeWord) {
    Ed_Text->setText(text);
    (isDown ? Rb_Dolu : Rb_Nahoru)->setChecked(true);
    ChB_Velikost->setChecked(isMatchCase);
    ChB_CelaSlova->setChecked(isWholeWord);
}
