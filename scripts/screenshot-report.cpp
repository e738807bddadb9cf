// Opens the report preview "Náhled" on a sample layout, grabs it and closes it.
// Built and run by scripts/screenshot-report.sh.
#include "report/Nahled_f.h"
#include "report/Report.h"
#include "report/ShowReport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

namespace {

TextBox Box(const QString& name, double left, double top, double width, double height, const QString& text,
            const QString& frame = {}) {
    TextBox b = TextBox::At(name, left, top, width, height, text);
    b.frame = Frame::Sides(frame);
    b.font.family = QStringLiteral("Times New Roman");
    return b;
}

ReportLayout Sample() {
    ReportLayout l;
    l.name = QStringLiteral("Hromadný příkaz");
    Band& head = l.AddBand(BandKind::PageHeader, 55);
    TextBox title = Box("Memo1", 45, 0, 98, 6, "HROMADNÝ PŘÍKAZ K ÚHRADĚ");
    title.font.pointSize = 16;
    title.font.bold = true;
    head.boxes.push_back(title);
    TextBox bank = Box("Memo6", 4, 8, 40, 5, "Banka:");
    bank.font.bold = true;
    head.boxes.push_back(bank);
    TextBox bankName = Box("Pl_NazevBanky", 45, 8, 135, 5, "[Pl_NazevBanky]");
    bankName.font.bold = true;
    head.boxes.push_back(bankName);
    head.boxes.push_back(Box("Memo2", 4, 23, 133, 17, {}, "L2R2T2B2"));
    head.boxes.push_back(Box("Memo9", 45, 23, 1, 17, {}, "L"));
    head.boxes.push_back(Box("Memo21", 8, 24, 33, 5, "Na vrub účtu"));
    head.boxes.push_back(Box("Memo11", 4, 33, 133, 1, {}, "T2"));
    head.boxes.push_back(Box("Pl_CisloUctu", 5, 34, 39, 5, "[Pl_CisloUctu]"));
    head.boxes.push_back(Box("Memo4", 4, 44, 180, 11, {}, "L2R2T2B2"));
    head.boxes.push_back(Box("Memo23", 12, 45, 30, 9, "Ve prospěch účtu číslo"));
    head.boxes.push_back(Box("Memo8", 45, 44, 1, 11, {}, "L"));
    head.boxes.push_back(Box("Memo18", 79, 45, 18, 9, "Částky plateb v Kč"));
    Band& row = l.AddBand(BandKind::MasterData, 5);
    row.boxes.push_back(Box("Memo19", 4, 0, 1, 5, {}, "L"));
    TextBox account = Box("Memo50", 6, 0, 38, 5, "[cislouctu]");
    account.hAlign = HAlign::Right;
    row.boxes.push_back(account);
    row.boxes.push_back(Box("Memo20", 45, 0, 1, 5, {}, "L"));
    TextBox amount = Box("Memo52", 73, 0, 30, 5, "[castka]");
    amount.hAlign = HAlign::Right;
    row.boxes.push_back(amount);
    row.boxes.push_back(Box("Memo58", 183, 0, 1, 5, {}, "R"));
    l.AddBand(BandKind::ReportSummary, 6).boxes.push_back(Box("Memo17", 4, 0, 180, 2, {}, "T"));
    Band& foot = l.AddBand(BandKind::PageFooter, 20);
    foot.boxes.push_back(Box("Memo34", 129, 5, 55, 7, "Razítko a podpis příkazce", "T."));
    foot.boxes.push_back(Box("Strana", 150, 14, 34, 5, "Strana: [Page]"));
    l.preview.pageNavigator = true;
    return l;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("nahled.png");
    Report report(Sample());
    report.Rows().SetRangeEndCount(60);
    report.SetOnGetValue([&](const QString& name, QString& value) {
        const int n = report.Rows().RecNo();
        if (name == QLatin1String("cislouctu"))
            value = QStringLiteral("19-%1").arg(2000145399 + n);
        if (name == QLatin1String("castka"))
            value = QStringLiteral("%1,50").arg(1250 + 17 * n);
    });
    report.SetVariable(QStringLiteral("Pl_NazevBanky"), TextLiteral(QStringLiteral("Česká spořitelna, a. s.")));
    report.SetVariable(QStringLiteral("Pl_CisloUctu"), TextLiteral(QStringLiteral("19-2000145399")));
    QTimer::singleShot(1500, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        if (auto* find = w->findChild<QLineEdit*>("Ed_Hledat")) {
            find->setText(QStringLiteral("2000145401"));
            w->findChild<QAction*>("TB_Hledat")->trigger();
        }
        QTimer::singleShot(800, [w, out] {
            w->grab().save(out);
            w->close();
        });
    });
    ShowReport(report);
    return 0;
}
