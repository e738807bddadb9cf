#include "print/QrSheet.h"

#include "common/CzechFormat.h"
#include "qr/QrPlatba.h"

namespace {

TextBox Box(const char* name, double left, double top, double width, double height, const QString& text,
            double points = 10, bool bold = false) {
    TextBox b = TextBox::At(QLatin1String(name), left, top, width, height, text);
    b.font = {QStringLiteral("Arial"), points, bold, false};
    return b;
}

// Five codes of 40 mm to a page: large enough for any phone, small enough to save paper.
ReportLayout SheetLayout() {
    ReportLayout l;
    l.name = QStringLiteral("QR Platba");

    Band& head = l.AddBand(BandKind::PageHeader, 14);
    head.boxes.push_back(Box("Qr_Nadpis", 0, 0, 130, 8, QStringLiteral("QR Platba – příkaz [Qr_Prikaz]"), 14, true));
    TextBox due = Box("Qr_Splatnost", 120, 1, 70, 6, QStringLiteral("Datum splatnosti: [Qr_Datum]"));
    due.hAlign = HAlign::Right;
    head.boxes.push_back(due);
    TextBox rule = Box("Qr_Cara", 0, 11, 190, 1, {});
    rule.frame = Frame::Sides(QStringLiteral("T"));
    head.boxes.push_back(rule);

    Band& item = l.AddBand(BandKind::MasterData, 46);
    TextBox code = Box("Qr_Kod", 0, 2, 40, 40, {});
    code.picture = QStringLiteral("kod");
    item.boxes.push_back(code);
    item.boxes.push_back(Box("Qr_Titulek", 41, 3, 22, 5, QStringLiteral("QR Platba"), 9, true));
    item.boxes.push_back(Box("Qr_Radek", 66, 3, 124, 6, QStringLiteral("Položka [radek]"), 12, true));
    item.boxes.push_back(Box("Qr_Ucet", 66, 10, 124, 5, QStringLiteral("Účet příjemce: [ucet]")));
    item.boxes.push_back(Box("Qr_Iban", 66, 15, 124, 5, QStringLiteral("IBAN: [iban]"), 9));
    item.boxes.push_back(Box("Qr_Castka", 66, 20, 124, 6, QStringLiteral("Částka: [castka]"), 11, true));
    item.boxes.push_back(Box("Qr_Symboly", 66, 26, 124, 5, QStringLiteral("[symboly]")));
    item.boxes.push_back(Box("Qr_Zprava", 66, 31, 124, 10, QStringLiteral("[zprava]"), 9));
    // A dotted line to cut along.
    TextBox cut = Box("Qr_Strih", 0, 45, 190, 1, {});
    cut.frame = Frame::Sides(QStringLiteral("T."));
    item.boxes.push_back(cut);

    Band& summary = l.AddBand(BandKind::ReportSummary, 6);
    summary.stretches = true;
    TextBox skipped = Box("Qr_Vynechane", 0, 1, 190, 5, QStringLiteral("[vynechane]"), 9);
    skipped.stretch = StretchMode::ToTallest;
    summary.boxes.push_back(skipped);

    TextBox page = Box("Qr_Strana", 150, 0, 40, 5, QStringLiteral("Strana [Page]"), 8);
    page.hAlign = HAlign::Right;
    l.AddBand(BandKind::PageFooter, 6).boxes.push_back(page);
    return l;
}

QString AccountText(const OrderItem& item) {
    return item.BankCode.trimmed().isEmpty() ? item.Account.trimmed()
                                             : item.Account.trimmed() + QLatin1Char('/') + item.BankCode.trimmed();
}

} // namespace

QrSheet::QrSheet() : m_report(SheetLayout()) {
    m_report.SetOnGetValue([this](const QString& name, QString& value) { answer(name, value); });
    m_report.SetOnGetPicture([this](const QString& name, VectorPicture& picture) {
        const int rec = m_report.Rows().RecNo();
        if (name != QLatin1String("kod") || rec < 0 || rec >= int(m_entries.size()))
            return;
        const QrCode& code = m_entries[size_t(rec)].code;
        picture.size = QSizeF(code.extent(), code.extent());
        for (const QRect& r : code.darkRects())
            picture.rects.emplace_back(r);
    });
}

int QrSheet::Fill(const PaymentOrder& order, const Settings& settings) {
    m_entries.clear();
    m_skipped.clear();
    m_currency = settings.Mena;
    m_currencyProblem.clear();
    for (int row = 0; row < kItemCount; ++row) {
        const OrderItem& item = order.Items[size_t(row)];
        if (!item.isValidItem())
            continue;
        QrPlatba::ItemCode itemCode = QrPlatba::CodeOfItem(item, order.OrderDate, settings.Mena);
        if (!itemCode.code) {
            m_skipped.push_back({row, itemCode.problem});
            continue;
        }
        m_entries.push_back({row, item, itemCode.text, *itemCode.code});
    }
    m_currencyProblem = QrPlatba::CurrencyProblem(settings.Mena);

    m_report.SetVariable(QStringLiteral("Qr_Prikaz"), TextLiteral(order.Designation()));
    m_report.SetVariable(QStringLiteral("Qr_Datum"), TextLiteral(order.OrderDate));
    m_report.Rows().SetRangeEndCount(int(m_entries.size()));
    return int(m_entries.size());
}

QString QrSheet::NothingToPrintText() const {
    if (!m_entries.empty())
        return {};
    if (!m_currencyProblem.isEmpty())
        return m_currencyProblem;
    if (m_skipped.empty())
        return QStringLiteral("Příkaz neobsahuje ani jednu platnou položku k úhradě.");
    QStringList lines{QStringLiteral("Pro žádnou položku příkazu nelze vytvořit QR Platbu:")};
    for (const Skipped& s : m_skipped)
        lines << QStringLiteral("položka %1: %2").arg(s.row + 1).arg(s.reason);
    return lines.join(QLatin1Char('\n'));
}

void QrSheet::answer(const QString& name, QString& value) const {
    if (name == QLatin1String("vynechane")) {
        QStringList lines;
        for (const Skipped& s : m_skipped)
            lines << QStringLiteral("Položka %1 je bez QR kódu: %2").arg(s.row + 1).arg(s.reason);
        value = lines.join(QLatin1Char('\n'));
        return;
    }
    const int rec = m_report.Layout().rows.RecNo();
    if (rec < 0 || rec >= int(m_entries.size()))
        return;
    const Entry& e = m_entries[size_t(rec)];
    if (name == QLatin1String("radek")) {
        value = QString::number(e.row + 1);
    } else if (name == QLatin1String("ucet")) {
        value = AccountText(e.item);
    } else if (name == QLatin1String("iban")) {
        value = QrPlatba::FormattedIban(e.item);
    } else if (name == QLatin1String("castka")) {
        value =
            CzechFormat::Fixed2(CzechFormat::ParseNumber(e.item.Amount).value_or(0)) + QLatin1Char(' ') + m_currency;
    } else if (name == QLatin1String("symboly")) {
        value = QrPlatba::SymbolsText(e.item);
    } else if (name == QLatin1String("zprava")) {
        value = e.item.Comment;
    }
}
