#include "dialogs/QrPlatba_f.h"

#include "bank/BankRegister.h"
#include "common/CommandRunner.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "common/TextFile.h"
#include "common/WarningLine.h"
#include "dialogs/OrderHost.h"
#include "qr/QrPlatba.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Pixels a module on the screen and in saved or copied pictures: phones read it from arm's length.
constexpr int kScreenModulePx = 6;
constexpr int kImageModulePx = 10;

QLabel* ValueLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = PlainLabel(new QLabel(text, parent)); // the item's fields as the order file holds them
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

QrCodeView::QrCodeView(const QrCode& code, QWidget* parent) : QWidget(parent), m_code(code) {
    setObjectName(QStringLiteral("Qr_Kod"));
    setAccessibleName(QrPlatbaPicture::kCaption);
    setMinimumSize(sizeHint());
}

QSize QrCodeView::sizeHint() const {
    return QrPlatbaPicture::ImageSize(m_code, kScreenModulePx);
}

void QrCodeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSize size = sizeHint().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.fillRect(target, Qt::white);
    QrPlatbaPicture::Paint(painter, target, m_code);
}

TQrPlatba::TQrPlatba(OrderHost& host, QWidget* parent) : QDialog(parent), m_host(host), m_row(host.selectedRow()) {
    setObjectName(QStringLiteral("QrPlatba"));
    setWindowTitle(QStringLiteral("QR Platba – položka %1").arg(m_row + 1));
    const OrderItem& item = host.order().Items[size_t(m_row)];
    QrPlatba::ItemCode itemCode = QrPlatba::CodeOfItem(item, host.order().OrderDate, host.settings().Mena);
    m_problem = itemCode.problem;
    m_text = itemCode.text;
    m_code = std::move(itemCode.code);

    auto* layout = new QVBoxLayout(this);
    if (m_code) {
        addPaymentPart(layout);
    } else {
        auto* why = ValueLabel(
            "La_Duvod", QStringLiteral("Pro položku %1 nelze vytvořit QR Platbu.\n\n%2").arg(m_row + 1).arg(m_problem),
            this);
        why->setMinimumWidth(360);
        layout->addWidget(why);
    }

    auto* buttons = new QHBoxLayout;
    Tl_KopirovatObrazek = new QPushButton(QStringLiteral("Kopírovat obrázek"), this);
    Tl_KopirovatObrazek->setObjectName(QStringLiteral("Tl_KopirovatObrazek"));
    Tl_Ulozit = new QPushButton(QStringLiteral("Uložit…"), this);
    Tl_Ulozit->setObjectName(QStringLiteral("Tl_Ulozit"));
    Tl_Zavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    Tl_Zavrit->setObjectName(QStringLiteral("Tl_Zavrit"));
    Tl_Zavrit->setDefault(true);
    for (QPushButton* b : {Tl_KopirovatObrazek, Tl_Ulozit, Tl_Zavrit}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(b == Tl_Zavrit);
    }
    Tl_KopirovatObrazek->setEnabled(m_code.has_value());
    Tl_Ulozit->setEnabled(m_code.has_value());
    buttons->addWidget(Tl_KopirovatObrazek);
    buttons->addWidget(Tl_Ulozit);
    buttons->addStretch(1);
    buttons->addWidget(Tl_Zavrit);
    layout->addLayout(buttons);

    ConnectCommand(Tl_KopirovatObrazek, &QPushButton::clicked, this, &TQrPlatba::Tl_KopirovatObrazekClick);
    ConnectCommand(Tl_Ulozit, &QPushButton::clicked, this, &TQrPlatba::Tl_UlozitClick);
    connect(Tl_Zavrit, &QPushButton::clicked, this, &QDialog::accept);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Tl_Zavrit->setFocus();
}

void TQrPlatba::addPaymentPart(QVBoxLayout* layout) {
    const OrderItem& item = m_host.order().Items[size_t(m_row)];
    // The code is made all the same: the bank list may be older than the bank.
    auto* warning = new WarningLine(this);
    warning->Show(QrPlatba::BankWarning(item, BanksFor(m_host.settings().ProgramFolder)));
    layout->addWidget(warning);
    layout->addWidget(new QrCodeView(*m_code, this), 0, Qt::AlignHCenter);

    auto* form = new QFormLayout;
    const QString account = item.Account.trimmed() + QLatin1Char('/') + item.BankCode.trimmed();
    form->addRow(QStringLiteral("Příjemce:"), ValueLabel("La_Prijemce", account, this));
    form->addRow(QStringLiteral("IBAN:"), ValueLabel("La_Iban", QrPlatba::FormattedIban(item), this));
    const double amount = CzechFormat::ParseNumber(item.Amount).value_or(0.0);
    form->addRow(
        QStringLiteral("Částka:"),
        ValueLabel("La_Castka", CzechFormat::Fixed2(amount) + QLatin1Char(' ') + m_host.settings().Mena, this));
    const QString symbols = QrPlatba::SymbolsText(item);
    form->addRow(QStringLiteral("Symboly:"),
                 ValueLabel("La_Symboly", symbols.isEmpty() ? QStringLiteral("žádné") : symbols, this));
    if (!item.Comment.isEmpty())
        form->addRow(QStringLiteral("Zpráva:"), ValueLabel("La_Zprava", item.Comment, this));
    if (!m_host.order().OrderDate.isEmpty())
        form->addRow(QStringLiteral("Splatnost:"), ValueLabel("La_Splatnost", m_host.order().OrderDate, this));
    Ed_Text = new QLineEdit(m_text, this);
    Ed_Text->setObjectName(QStringLiteral("Ed_Text"));
    Ed_Text->setReadOnly(true);
    Ed_Text->setAccessibleName(QStringLiteral("Text QR Platby"));
    Ed_Text->setCursorPosition(0);
    form->addRow(QStringLiteral("Text:"), Ed_Text);
    layout->addLayout(form);
}

QString TQrPlatba::BaseFileName() const {
    return m_host.order().PathWithoutExtension() + QStringLiteral("-polozka%1").arg(m_row + 1);
}

void TQrPlatba::Tl_KopirovatObrazekClick() {
    if (m_code)
        QGuiApplication::clipboard()->setImage(QrPlatbaPicture::Image(*m_code, kImageModulePx));
}

void TQrPlatba::Tl_UlozitClick() {
    if (!m_code)
        return;
    QString path = GetSaveFileName(QStringLiteral("Uložit QR Platbu"), BaseFileName() + QLatin1String(".png"),
                                   QStringLiteral("Obrázek PNG (*.png);;Obrázek SVG (*.svg)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        TextFile::WriteBytes(path, QrPlatbaPicture::Svg(*m_code));
        return;
    }
    // Any other name gets a picture its suffix tells.
    if (suffix != QLatin1String("png"))
        path += QLatin1String(".png");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QrPlatbaPicture::Image(*m_code, kImageModulePx).save(&buffer, "PNG");
    TextFile::WriteBytes(path, png);
}
