#include "common/AboutBox.h"

#include "common/Dialogs.h"
#include "common/HomePage.h"
#include "common/PlainText.h"

#include <QPushButton>
#include <algorithm>

namespace {

const QColor kCaptionColour(3, 63, 113);

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

} // namespace

AboutBox::AboutBox(const QString& versionText, const QString& buildDate, const QString& dataFolder, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("O programu ") + AppTitle());
    MakeFixedWhiteDialog(this, kWidth, kHeight);

    addRow(0, QStringLiteral("La_VerzeProgramu"), QStringLiteral("Verze programu:"),
           new QLabel(versionText + QStringLiteral("     ") + buildDate, this), QStringLiteral("La_CisloVerze"));
    addRow(1, QStringLiteral("La_AutorProgramu"), QStringLiteral("Autor programu:"),
           new QLabel(QStringLiteral("Tým Velorin"), this), QStringLiteral("La_Autor"));
    addRow(2, QStringLiteral("La_HotLine"), QStringLiteral("HotLine:"),
           new QLabel(QStringLiteral("800 100 200 (po–pá 8:00–16:00)"), this), QStringLiteral("La_Telefon"));
    addRow(3, QStringLiteral("La_Copyright"), QStringLiteral("Autorská práva:"), new QLabel(RightsNotice(), this),
           QStringLiteral("La_CopyrightText"));
    addRow(4, QStringLiteral("La_DomovskaStranka"), QStringLiteral("Domovská stránka:"),
           new QLabel(HomePage::AboutText(), this), QStringLiteral("La_URL"));

    if (!dataFolder.isEmpty())
        addFolderLine(dataFolder);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Tl_Ok"));
    ok->setAccessibleName(ok->text());
    ok->setGeometry(kButtonLeft, kButtonTop, 75, 25);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::addRow(int row, const QString& captionName, const QString& caption, QLabel* value,
                      const QString& valueName) {
    const int top = kFirstRowTop + row * kRowStep;
    auto* label = PlainLabel(new QLabel(caption, this));
    label->setObjectName(captionName);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    SetTextColour(label, kCaptionColour);
    label->move(kCaptionLeft, top);
    label->resize(kValueLeft - kCaptionLeft - 4, label->sizeHint().height());

    PlainLabel(value);
    value->setObjectName(valueName);
    value->move(kValueLeft, top);
    value->resize(kWidth - kValueLeft - 8, value->sizeHint().height());
}

void AboutBox::addFolderLine(const QString& folder) {
    auto* label = PlainLabel(new QLabel(this)); // a folder name may hold "<"
    label->setObjectName(QStringLiteral("La_Slozka"));
    const int width = kButtonLeft - kCaptionLeft - 8;
    const QString text = QStringLiteral("Složka s daty: ") + folder;
    // A long home path is shortened in the middle; the tooltip and a copy give it whole.
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, width));
    label->setToolTip(PlainToolTip(folder));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setGeometry(kCaptionLeft, kButtonTop + 4, width, label->sizeHint().height());
}

QString AboutBox::RightsNotice() {
    const int year = std::max(CurrentYear(), kFirstYear);
    return QStringLiteral("© %1–%2 Velorin").arg(kFirstYear).arg(year);
}
