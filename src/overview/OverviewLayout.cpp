#include "overview/OverviewLayout.h"

namespace {

TextBox Box(const char* name, double left, double top, double width, double height, const QString& text = {}) {
    TextBox b = TextBox::At(QLatin1String(name), left, top, width, height, text);
    b.font.family = QStringLiteral("Times New Roman");
    b.font.pointSize = 10;
    return b;
}

TextBox Cell(const char* name, double left, double width, const char* field, HAlign align) {
    TextBox b = Box(name, left, 1, width, 5, QStringLiteral("[%1]").arg(QLatin1String(field)));
    b.hAlign = align;
    b.wordWrap = false;
    return b;
}

TextBox Heading(const char* name, double left, double top, double width, double height, const QString& text) {
    TextBox b = Box(name, left, top, width, height, text);
    b.font.bold = true;
    return b;
}

} // namespace

ReportLayout OverviewListLayout() {
    ReportLayout l;
    l.name = QStringLiteral("Přehled příkazů");
    l.rows = RowSource(QStringLiteral("UserDataSet1"));
    l.Declare({QStringLiteral("Celkem"), QStringLiteral("OznaceniMeny")});
    l.preview.pageNavigator = true;

    TextBox title = Box("Memo2", 0, 0, 190, 7, QStringLiteral("Přehled příkazů"));
    title.font.pointSize = 14;
    title.fillBandWidth = true;
    l.AddBand(BandKind::ReportTitle, 8).boxes.push_back(title);

    Band& header = l.AddBand(BandKind::PageHeader, 10);
    TextBox frame = Box("Memo8", 0, 0, 190, 10);
    frame.frame = Frame::Sides(QStringLiteral("L2R2T2B2"));
    frame.fillBandWidth = true;
    header.boxes.push_back(frame);
    const struct {
        const char* name;
        double x, width;
    } lines[] = {{"Memo9", 18, 0}, {"Memo10", 45, 1}, {"Memo11", 56, 1}, {"Memo12", 78, 1}, {"Memo13", 99, 1}};
    for (const auto& line : lines) {
        TextBox b = Box(line.name, line.x, 0, line.width, 10);
        b.frame = Frame::Sides(QStringLiteral("L"));
        header.boxes.push_back(b);
    }
    header.boxes.push_back(Heading("Memo14", 3, 1, 13, 5, QStringLiteral("Datum")));
    header.boxes.push_back(Heading("Memo15", 23, 1, 18, 5, QStringLiteral("Číslo účtu")));
    header.boxes.push_back(Heading("Memo16", 47, 1, 8, 5, QStringLiteral("Kód")));
    TextBox amount = Heading("Memo17", 57, 1, 20, 5, QStringLiteral("Částka v"));
    amount.hAlign = HAlign::Center;
    header.boxes.push_back(amount);
    TextBox currency = Heading("OznaceniMeny", 57, 5, 20, 5, QStringLiteral("[OznaceniMeny]"));
    currency.hAlign = HAlign::Center;
    header.boxes.push_back(currency);
    header.boxes.push_back(Heading("Memo18", 81, 1, 17, 8, QStringLiteral("Označení příkazu")));
    header.boxes.push_back(Heading("Memo19", 131, 1, 18, 5, QStringLiteral("Poznámka")));

    Band& data = l.AddBand(BandKind::MasterData, 7);
    data.stretches = true;
    data.boxes.push_back(Cell("Memo1", 1, 16, kOverviewFields[OverviewTable::Datum], HAlign::Right));
    data.boxes.push_back(Cell("Memo3", 18, 27, kOverviewFields[OverviewTable::CisloUctu], HAlign::Left));
    data.boxes.push_back(Cell("Memo4", 46, 9, kOverviewFields[OverviewTable::Kod], HAlign::Right));
    data.boxes.push_back(Cell("Memo5", 57, 20, kOverviewFields[OverviewTable::Castka], HAlign::Right));
    data.boxes.push_back(Cell("Memo6", 79, 20, kOverviewFields[OverviewTable::Prikaz], HAlign::Left));
    TextBox comment = Cell("Memo7", 100, 89, kOverviewFields[OverviewTable::Poznamka], HAlign::Left);
    comment.wordWrap = true;
    comment.stretch = StretchMode::ToTallest;
    data.boxes.push_back(comment);

    Band& summary = l.AddBand(BandKind::ReportSummary, 8);
    TextBox box = Box("Memo20", 0, 0, 190, 8);
    box.frame = Frame::Sides(QStringLiteral("L2R2T2B2"));
    box.fillBandWidth = true;
    summary.boxes.push_back(box);
    summary.boxes.push_back(Heading("Celkem", 1, 1, 188, 5, QStringLiteral("[Celkem]")));

    Band& footer = l.AddBand(BandKind::PageFooter, 6);
    TextBox date = Box("Date", 0, 0, 55, 5, QStringLiteral("[Date] [Time]"));
    date.font.italic = true;
    footer.boxes.push_back(date);
    TextBox page = Box("TotalPages", 158, 0, 32, 5, QStringLiteral("Strana: [Page]"));
    page.font.italic = true;
    page.hAlign = HAlign::Right;
    footer.boxes.push_back(page);
    return l;
}
