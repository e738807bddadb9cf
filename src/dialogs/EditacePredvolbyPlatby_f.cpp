#include "dialogs/EditacePredvolbyPlatby_f.h"

#include "common/PlainText.h"
#include "dialogs/FieldGuard.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// Typing limits by preset field; 0 is none.
constexpr std::array<int, kPresetFieldCount> kMaxLengths{0, 17, 4, 10, 4, 10, 0};

// The field's maximum length is kept by its guard, not by the line edit, which would cut a longer
// text put in by the program and lose its end on the next save.
QLineEdit* MakeField(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0) {
        // Room for the longest text and a little air, so that no digit hides behind the frame.
        const int width = edit->fontMetrics().horizontalAdvance(QString(maxLength + 2, QLatin1Char('0')));
        edit->setMinimumWidth(width);
        edit->setMaximumWidth(width + 8);
    }
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QLineEdit* buddy) {
    auto* label = PlainLabel(new QLabel(text, parent));
    label->setBuddy(buddy);
    return label;
}

} // namespace

TEditacePredvolbyPlatby::TEditacePredvolbyPlatby(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditacePredvolbyPlatby"));
    setWindowTitle(QStringLiteral("Nová položka předvolby"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Ed_NazevPlatby = MakeField(this, "Ed_NazevPlatby", kMaxLengths[0]);
    Ed_Ucet = MakeField(this, "Ed_Ucet", kMaxLengths[1]);
    Ed_Kod = MakeField(this, "Ed_Kod", kMaxLengths[2]);
    Ed_VarSymbol = MakeField(this, "Ed_VarSymbol", kMaxLengths[3]);
    Ed_KonstSymbol = MakeField(this, "Ed_KonstSymbol", kMaxLengths[4]);
    Ed_SpecSymbol = MakeField(this, "Ed_SpecSymbol", kMaxLengths[5]);
    Ed_Komentar = MakeField(this, "Ed_Komentar", kMaxLengths[6]);
    Ed_NazevPlatby->setMinimumWidth(Ed_NazevPlatby->fontMetrics().horizontalAdvance(QString(44, QLatin1Char('n'))));

    Tl_Ok = new QPushButton(QStringLiteral("Ok"), this);
    Tl_Ok->setObjectName(QStringLiteral("Tl_Ok"));
    Tl_Ok->setAccessibleName(QStringLiteral("Ok"));
    Tl_Ok->setDefault(true);
    Tl_Storno2 = new QPushButton(QStringLiteral("Storno"), this);
    Tl_Storno2->setObjectName(QStringLiteral("Tl_Storno2"));
    Tl_Storno2->setAccessibleName(QStringLiteral("Storno"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->addWidget(MakeLabel(this, QStringLiteral("Název platby"), Ed_NazevPlatby), 0, 0);
    grid->addWidget(Ed_NazevPlatby, 0, 1, 1, 3);
    grid->addWidget(MakeLabel(this, QStringLiteral("Číslo účtu banky"), Ed_Ucet), 1, 0);
    grid->addWidget(Ed_Ucet, 1, 1);
    grid->addWidget(MakeLabel(this, QStringLiteral("Směrový kód"), Ed_Kod), 1, 2, Qt::AlignRight);
    grid->addWidget(Ed_Kod, 1, 3);
    grid->addWidget(MakeLabel(this, QStringLiteral("Variabilní symbol"), Ed_VarSymbol), 2, 0);
    grid->addWidget(Ed_VarSymbol, 2, 1);
    grid->addWidget(MakeLabel(this, QStringLiteral("Konst. symbol"), Ed_KonstSymbol), 2, 2, Qt::AlignRight);
    grid->addWidget(Ed_KonstSymbol, 2, 3);
    grid->addWidget(MakeLabel(this, QStringLiteral("Specifický symbol"), Ed_SpecSymbol), 3, 0);
    grid->addWidget(Ed_SpecSymbol, 3, 1);
    grid->addWidget(MakeLabel(this, QStringLiteral("Komentář"), Ed_Komentar), 4, 0);
    grid->addWidget(Ed_Komentar, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Tl_Ok);
    buttons->addWidget(Tl_Storno2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(4);
    layout->addWidget(line);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The account, bank code and symbols take digits, "-" and "." when typed.
    auto* numbers = new KeyFilter({.characters = QStringLiteral("0123456789-.")}, this);
    const auto all = fields();
    for (int i = 0; i < kPresetFieldCount; ++i) {
        QLineEdit* edit = all[std::size_t(i)];
        // A paste past the limit is dropped as silently as a refused key.
        new FieldGuard(edit, {.limit = kMaxLengths[std::size_t(i)]},
                       {.separator = FieldGuard::Notice::BeepAndTip,
                        .codePage = FieldGuard::Notice::BeepAndTip,
                        .beepOther = false});
        if (i != 0 && i != kPresetFieldCount - 1)
            numbers->watch(edit);
        connect(edit, &QLineEdit::textChanged, this, [this, i] { Ed_NazevPlatbyChange(i); });
    }

    QWidget::setTabOrder(Ed_NazevPlatby, Ed_Ucet);
    QWidget::setTabOrder(Ed_Ucet, Ed_Kod);
    QWidget::setTabOrder(Ed_Kod, Ed_VarSymbol);
    QWidget::setTabOrder(Ed_VarSymbol, Ed_KonstSymbol);
    QWidget::setTabOrder(Ed_KonstSymbol, Ed_SpecSymbol);
    QWidget::setTabOrder(Ed_SpecSymbol, Ed_Komentar);
    QWidget::setTabOrder(Ed_Komentar, Tl_Ok);
    QWidget::setTabOrder(Tl_Ok, Tl_Storno2);

    connect(Tl_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Tl_Storno2, &QPushButton::clicked, this, &QDialog::reject);
}

std::array<QLineEdit*, kPresetFieldCount> TEditacePredvolbyPlatby::fields() const {
    return {Ed_NazevPlatby, Ed_Ucet, Ed_Kod, Ed_VarSymbol, Ed_KonstSymbol, Ed_SpecSymbol, Ed_Komentar};
}

void TEditacePredvolbyPlatby::setPreset(const PaymentPreset& preset) {
    const auto all = fields();
    for (int i = 0; i < kPresetFieldCount; ++i) {
        FieldGuard::Of(all[std::size_t(i)])->setText(preset.field(i));
    }
}

PaymentPreset TEditacePredvolbyPlatby::preset() const {
    PaymentPreset result;
    const auto all = fields();
    for (int i = 0; i < kPresetFieldCount; ++i)
        result.field(i) = all[std::size_t(i)]->text();
    return result;
}

void TEditacePredvolbyPlatby::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEditacePredvolbyPlatby::FormShow() {
    // After the caller has filled the fields, so that filling them is no change.
    const auto all = fields();
    for (int i = 0; i < kPresetFieldCount; ++i) {
        QLineEdit* edit = all[std::size_t(i)];
        m_lastTexts[std::size_t(i)] = edit->text();
        edit->setCursorPosition(edit->text().size());
    }
    Tl_Ok->setEnabled(false);
    Ed_NazevPlatby->setFocus();
    Ed_NazevPlatby->selectAll();
}

void TEditacePredvolbyPlatby::Ed_NazevPlatbyChange(int index) {
    const QString text = fields()[std::size_t(index)]->text();
    if (text == m_lastTexts[std::size_t(index)])
        return;
    m_lastTexts[std::size_t(index)] = text;
    Tl_Ok->setEnabled(true);
}
