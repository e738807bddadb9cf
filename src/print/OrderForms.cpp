#include "print/OrderForms.h"

#include <span>

namespace {

// One box as the form's tables write it: millimetres from the band's top-left corner; font
// "10" or "16 bold" (Times New Roman); align horizontal/vertical ("C/T"); frame the drawn sides
// ("L2, R2, T2, B": 2 a thick side, "T dotted"); "—" for none.
struct FormBox {
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* font;
    const char* align;
    const char* frame;
};

const char* const None = "—";

// The first copy of the single order form, in order of the top edges.
const FormBox kSingleForm[] = {
    {"Memo1", 124, 2, 61, 6, "PŘÍKAZ K ÚHRADĚ", "16 bold", "R/T", None},
    {"Memo6", 5, 9, 16, 5, "Banka:", "10 bold", "L/T", None},
    {"Pl_NazevBanky", 25, 9, 135, 5, "[Pl_NazevBanky]", "10 bold", "L/T", None},
    {"Memo7", 5, 14, 19, 5, "Pobočka:", "10 bold", "L/T", None},
    {"Pl_AdresaBanky", 25, 14, 135, 5, "[Pl_AdresaBanky]", "10 bold", "L/T", None},
    {"Memo19", 150, 23, 35, 6, None, None, None, "L, R, T"},
    {"Memo30", 152, 24, 31, 5, "Datum splatnosti", "10", "C/T", None},
    {"Memo2", 5, 25, 70, 19, None, None, None, "L2, R2, T2, B"},
    {"Memo18", 6, 26, 37, 5, "Bankovní spojení", "10", "L/T", None},
    {"Memo20", 150, 29, 35, 6, None, None, None, "L2, R2, T2, B2"},
    {"DatumSplatnosti", 152, 30, 31, 5, "[DatumSplatnosti]", "10", "C/T", None},
    {"Memo10", 5, 31, 70, 1, None, None, None, "T"},
    {"Memo9", 51, 31, 1, 29, None, None, None, "L"},
    {"Memo21", 6, 32, 37, 5, "Číslo účtu plátce", "10", "L/T", None},
    {"Memo22", 53, 32, 20, 5, "Kód banky", "10", "C/T", None},
    {"Memo11", 5, 37, 70, 1, None, None, None, "T"},
    {"Memo17", 113, 37, 72, 7, None, None, None, "L2, R2, T2, B"},
    {"Memo26", 114, 38, 37, 5, "Symboly plateb", "10", "L/T", None},
    {"Pl_CisloUctu", 6, 39, 44, 5, "[Pl_CisloUctu]", "10", "C/T", None},
    {"Pl_SmerovyKod", 52, 39, 21, 5, "[Pl_SmerovyKod]", "10", "C/T", None},
    {"Memo3", 5, 44, 70, 16, None, None, None, "L2, R"},
    {"Memo13", 75, 44, 38, 1, None, None, None, "T2"},
    {"Memo14", 113, 44, 0, 16, None, None, None, "L"},
    {"Memo15", 141, 44, 1, 16, None, None, None, "L"},
    {"Memo16", 157, 44, 28, 16, None, None, None, "L, R2"},
    {"Memo23", 6, 45, 44, 5, "Číslo účtu příjemce", "10", "L/T", None},
    {"Memo24", 53, 45, 20, 5, "Kód banky", "10", "C/T", None},
    {"Memo25", 77, 45, 20, 5, "Částka v", "10", "R/T", None},
    {"OznaceniMeny1", 98, 45, 13, 5, "[OznaceniMeny]", "10", "L/T", None},
    {"Memo27", 114, 45, 25, 5, "Variabilní", "10", "C/T", None},
    {"Memo28", 142, 45, 13, 5, "Konst.", "10", "C/T", None},
    {"Memo29", 158, 45, 25, 5, "Specifický", "10", "C/T", None},
    {"Memo12", 5, 50, 180, 1, None, None, None, "T"},
    {"Pr_CisloUctu", 6, 53, 44, 5, "[Pr_CisloUctu]", "10", "C/T", None},
    {"Pr_SmerovyKod", 52, 53, 21, 5, "[Pr_SmerovyKod]", "10", "C/T", None},
    {"Pr_Castka", 77, 53, 34, 5, "[Pr_Castka]", "10", "C/T", None},
    {"Pr_VarSymbol", 114, 53, 25, 5, "[Pr_VarSymbol]", "10", "C/T", None},
    {"Pr_KonstSymbol", 142, 53, 13, 5, "[Pr_KonstSymbol]", "10", "C/T", None},
    {"Pr_SpecSymbol", 158, 53, 25, 5, "[Pr_SpecSymbol]", "10", "C/T", None},
    {"Memo4", 5, 60, 180, 6, None, None, None, "L2, R2, T2, B"},
    {"Memo8", 95, 60, 1, 16, None, None, None, "L"},
    {"Memo31", 6, 61, 87, 5, "Doplňující údaje banky", "10", "L/T", None},
    {"Memo32", 96, 61, 87, 5, "Údaj pro vnitřní potřebu příkazce", "10", "L/T", None},
    {"Memo5", 5, 66, 180, 10, None, None, None, "L2, R2, B2"},
    {"Komentar", 96, 66, 87, 9, "[Komentar]", "10", "L/C", None},
    {"DatumVystaveni", 18, 90, 28, 5, "[DatumVystaveni]", "10", "C/T", None},
    {"Memo33", 5, 97, 55, 7, "Místo a datum vystavení", "10", "C/B", "T dotted"},
    {"Memo34", 130, 97, 55, 7, "Podpis(y), razítko příkazce", "10", "C/B", "T dotted"},
};

// The cutting line between the two copies.
const FormBox kCuttingLine[] = {
    {"Memo82", 3, 135, 183, 5, None, None, None, "T dotted"},
};

// The collective order: page header.
const FormBox kCollectiveHeader[] = {
    {"Memo1", 45, 0, 98, 6, "HROMADNÝ PŘÍKAZ K ÚHRADĚ", "16 bold", "L/T", None},
    {"Memo6", 4, 8, 16, 5, "Banka:", "10 bold", "L/T", None},
    {"Pl_NazevBanky", 45, 8, 135, 5, "[Pl_NazevBanky]", "10 bold", "L/T", None},
    {"Memo7", 4, 13, 16, 5, "Pobočka:", "10 bold", "L/T", None},
    {"Pl_AdresaBanky", 45, 13, 135, 5, "[Pl_AdresaBanky]", "10 bold", "L/T", None},
    {"Memo2", 4, 23, 133, 17, None, None, None, "L2, R2, T2, B2"},
    {"Memo9", 45, 23, 1, 17, None, None, None, "L"},
    {"Memo15", 72, 23, 1, 17, None, None, None, "L"},
    {"Memo25", 76, 23, 23, 9, "Zaúčtujte celkem Kč", "10", "C/T", None},
    {"Memo5", 108, 23, 1, 17, None, None, None, "L"},
    {"Memo21", 8, 24, 33, 5, "Na vrub účtu", "10", "C/T", None},
    {"Memo22", 51, 24, 15, 9, "Směrový kód", "10", "C/T", None},
    {"Memo30", 112, 24, 21, 5, "Dne", "10", "C/T", None},
    {"Memo3", 0, 33, 4, 7, "2", "10", "C/C", "L2, T2, B2"},
    {"Memo11", 4, 33, 133, 1, None, None, None, "T2"},
    {"Pl_CisloUctu", 5, 34, 39, 5, "[Pl_CisloUctu]", "10", "C/T", None},
    {"Pl_SmerovyKod", 51, 34, 15, 5, "[Pl_SmerovyKod]", "10", "C/T", None},
    {"CastkaCelkem", 74, 34, 33, 5, "[CastkaCelkem]", "10", "C/T", None},
    {"DatumSplatnosti", 112, 34, 21, 5, "[DatumSplatnosti]", "10", "C/T", None},
    {"Memo4", 4, 44, 180, 11, None, None, None, "L2, R2, T2, B2"},
    {"Memo8", 45, 44, 1, 11, None, None, None, "L"},
    {"Memo10", 72, 44, 1, 11, None, None, None, "L"},
    {"Memo12", 108, 44, 1, 11, None, None, None, "L"},
    {"Memo23", 12, 45, 24, 9, "Ve prospěch účtu číslo", "10", "C/T", None},
    {"Memo24", 51, 45, 15, 9, "Směrový kód", "10", "C/T", None},
    {"Memo18", 79, 45, 18, 9, "Částky plateb v Kč", "10", "C/T", None},
    {"Memo26", 132, 45, 24, 5, "Symboly plateb", "10", "L/T", None},
    {"Memo16", 108, 50, 76, 1, None, None, None, "T"},
    {"Memo27", 114, 50, 21, 5, "Variabilní", "10", "C/T", None},
    {"Memo13", 137, 50, 1, 5, None, None, None, "L"},
    {"Memo28", 139, 50, 12, 5, "Konst.", "10", "C/T", None},
    {"Memo14", 153, 50, 1, 5, None, None, None, "L"},
    {"Memo29", 159, 50, 19, 5, "Specifický", "10", "C/T", None},
};

// The collective order: one item row of the master data band.
const FormBox kCollectiveRow[] = {
    {"Memo19", 4, 0, 1, 5, None, None, None, "L"},   {"Memo50", 6, 0, 38, 5, "[cislouctu]", "10", "R/T", None},
    {"Memo20", 45, 0, 1, 5, None, None, None, "L"},  {"Memo51", 51, 0, 15, 5, "[kod]", "10", "C/T", None},
    {"Memo31", 72, 0, 1, 5, None, None, None, "L"},  {"Memo52", 73, 0, 30, 5, "[castka]", "10", "R/T", None},
    {"Memo32", 108, 0, 1, 5, None, None, None, "L"}, {"Memo53", 111, 0, 24, 5, "[varsymbol]", "10", "R/T", None},
    {"Memo56", 137, 0, 1, 5, None, None, None, "L"}, {"Memo54", 139, 0, 12, 5, "[konstsymbol]", "10", "R/T", None},
    {"Memo57", 153, 0, 1, 5, None, None, None, "L"}, {"Memo55", 155, 0, 27, 5, "[specsymbol]", "10", "R/T", None},
    {"Memo58", 183, 0, 1, 5, None, None, None, "R"},
};

// The collective order: report summary, the line that closes the table. The note under it is
// ours: it stays empty unless the total leaves out an amount that is no number.
const FormBox kCollectiveSummary[] = {
    {"Memo17", 4, 0, 180, 2, None, None, None, "T"},
    {"PoznamkaCelkem", 72, 1, 112, 5, "[PoznamkaCelkem]", "10", "L/T", None},
};

// The collective order: page footer.
const FormBox kCollectiveFooter[] = {
    {"Memo33", 4, 10, 14, 5, "Datum :", "10", "L/T", None},
    {"DatumVystaveni", 19, 10, 28, 5, "[DatumVystaveni]", "10", "C/T", None},
    {"Memo34", 129, 10, 55, 7, "Razítko a podpis příkazce", "10", "C/B", "T dotted"},
    {"Memo35", 4, 37, 180, 5, "Údaje pro vnitřní potřebu příkazce", "10", "L/T", "T dotted"},
    {"Komentar1", 4, 45, 180, 5, "[Komentar1]", "10", "L/T", None},
    {"Komentar2", 4, 50, 180, 5, "[Komentar2]", "10", "L/T", None},
    {"Memo36", 4, 55, 180, 5, "[Komentar3]", "10", "L/T", None},
    {"Memo37", 4, 60, 180, 5, "[Komentar4]", "10", "L/T", None},
    {"Memo38", 4, 65, 180, 5, "[Komentar5]", "10", "L/T", None},
    {"Memo39", 4, 70, 180, 5, "[Komentar6]", "10", "L/T", None},
    {"Memo40", 4, 75, 180, 5, "[Komentar7]", "10", "L/T", None},
    {"Memo41", 4, 80, 180, 5, "[Komentar8]", "10", "L/T", None},
    {"Memo42", 4, 85, 180, 5, "[Komentar9]", "10", "L/T", None},
    {"Memo43", 4, 90, 180, 5, "[Komentar10]", "10", "L/T", None},
    {"Memo44", 4, 95, 180, 5, "[Komentar11]", "10", "L/T", None},
    {"Memo45", 4, 100, 180, 5, "[Komentar12]", "10", "L/T", None},
    {"Memo46", 4, 105, 180, 5, "[Komentar13]", "10", "L/T", None},
    {"Memo47", 4, 110, 180, 5, "[Komentar14]", "10", "L/T", None},
    {"Memo48", 4, 115, 180, 5, "[Komentar15]", "10", "L/T", None},
    {"Memo49", 4, 120, 180, 5, "[Komentar16]", "10", "L/T", None},
};

QString Field(const char* text) {
    const QString s = QString::fromUtf8(text);
    return s == QString::fromUtf8(None) ? QString() : s;
}

HAlign HorizontalOf(QChar c) {
    return c == u'C' ? HAlign::Center : c == u'R' ? HAlign::Right : HAlign::Left;
}

VAlign VerticalOf(QChar c) {
    return c == u'C' ? VAlign::Center : c == u'B' ? VAlign::Bottom : VAlign::Top;
}

TextBox MakeBox(const FormBox& row, double topOffset = 0) {
    TextBox box =
        TextBox::At(QString::fromUtf8(row.name), row.left, row.top + topOffset, row.width, row.height, Field(row.text));
    box.font.family = QStringLiteral("Times New Roman");
    if (const QString font = Field(row.font); !font.isEmpty()) {
        box.font.pointSize = font.section(QLatin1Char(' '), 0, 0).toDouble();
        box.font.bold = font.endsWith(QLatin1String("bold"));
    }
    if (const QString align = Field(row.align); align.size() == 3) {
        box.hAlign = HorizontalOf(align[0]);
        box.vAlign = VerticalOf(align[2]);
    }
    QString frame = Field(row.frame);
    frame.replace(QLatin1String("dotted"), QLatin1String("."));
    box.frame = Frame::Sides(frame);
    return box;
}

void AddBoxes(Band& band, std::span<const FormBox> rows, double topOffset = 0, const QString& suffix = {}) {
    for (const FormBox& row : rows) {
        TextBox box = MakeBox(row, topOffset);
        box.name += suffix;
        band.boxes.push_back(std::move(box));
    }
}

} // namespace

QString SecondCopyName(const QString& name) {
    return name + QStringLiteral("_2");
}

ReportLayout SingleOrderLayout() {
    ReportLayout layout;
    layout.name = QStringLiteral("Příkaz k úhradě");
    layout.Declare({QStringLiteral("Pl_NazevBanky"), QStringLiteral("Pl_AdresaBanky"), QStringLiteral("Pl_CisloUctu"),
                    QStringLiteral("Pl_SmerovyKod"), QStringLiteral("Pr_CisloUctu"), QStringLiteral("Pr_SmerovyKod"),
                    QStringLiteral("Pr_Castka"), QStringLiteral("Pr_VarSymbol"), QStringLiteral("Pr_KonstSymbol"),
                    QStringLiteral("Pr_SpecSymbol"), QStringLiteral("Komentar"), QStringLiteral("DatumVystaveni"),
                    QStringLiteral("DatumSplatnosti"), QStringLiteral("OznaceniMeny")});
    Band& title = layout.AddBand(BandKind::ReportTitle, 271);
    AddBoxes(title, kSingleForm);
    AddBoxes(title, kCuttingLine);
    AddBoxes(title, kSingleForm, kSecondCopyOffsetMm, SecondCopyName({}));
    return layout;
}

ReportLayout CollectiveOrderLayout() {
    ReportLayout layout;
    layout.name = QStringLiteral("Hromadný příkaz k úhradě");
    layout.Declare({QStringLiteral("Pl_NazevBanky"), QStringLiteral("Pl_AdresaBanky"), QStringLiteral("Pl_CisloUctu"),
                    QStringLiteral("Pl_SmerovyKod"), QStringLiteral("CastkaCelkem"), QStringLiteral("DatumVystaveni"),
                    QStringLiteral("DatumSplatnosti")});
    for (int i = 1; i <= 16; ++i)
        layout.Declare({QStringLiteral("Komentar%1").arg(i)});
    layout.Declare({QStringLiteral("PoznamkaCelkem")});
    AddBoxes(layout.AddBand(BandKind::PageHeader, 55), kCollectiveHeader);
    AddBoxes(layout.AddBand(BandKind::MasterData, 5), kCollectiveRow);
    AddBoxes(layout.AddBand(BandKind::ReportSummary, 6), kCollectiveSummary);
    AddBoxes(layout.AddBand(BandKind::PageFooter, 129), kCollectiveFooter);
    layout.rows = RowSource(QStringLiteral("UserDataSet1"));
    layout.rows.SetRangeEndCount(16);
    return layout;
}

QStringList CollectiveRowNames() {
    return {QStringLiteral("cislouctu"), QStringLiteral("kod"),         QStringLiteral("castka"),
            QStringLiteral("varsymbol"), QStringLiteral("konstsymbol"), QStringLiteral("specsymbol")};
}
