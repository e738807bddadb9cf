#include "dialogs/ExportXML_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/Clock.h"
#include "common/CommandRunner.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "common/TextFile.h"
#include "dialogs/ExportDialogs.h"
#include "dialogs/OrderHost.h"
#include "pain/PainReader.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

void ExportXmlCommand(OrderHost& host) {
    if (!host.isOrderOpen())
        return;
    const QString problem = PainExportProblem(host.order(), host.settings());
    if (!problem.isEmpty()) {
        InfoBox(problem);
        return;
    }
    TExportXML dialog(host, host.hostWindow());
    dialog.exec();
}

TExportXML::TExportXML(OrderHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_host(host) {
    SetUpExportWindow(this, QStringLiteral("ExportXML"), QStringLiteral("Export příkazu do formátu XML (pain.001)"));
    Panel1 = NewExportPanel(this);

    Tl_Ulozit = new QPushButton(QStringLiteral("Uložit do souboru"), Panel1);
    Tl_Ulozit->setObjectName(QStringLiteral("Tl_Ulozit"));
    Tl_Ulozit->setGeometry(40, 8, 129, 25);

    La_Profil = PlainLabel(new QLabel(QStringLiteral("Profil"), Panel1));
    La_Profil->setObjectName(QStringLiteral("La_Profil"));
    La_Profil->setGeometry(192, 12, 40, 17);

    CB_Profil = new QComboBox(Panel1);
    CB_Profil->setObjectName(QStringLiteral("CB_Profil"));
    for (const PainProfile profile : {PainProfile::Cba, PainProfile::Sepa})
        CB_Profil->addItem(PainProfileName(profile), int(profile));
    CB_Profil->setGeometry(240, 9, 150, 23);
    CB_Profil->setAccessibleName(La_Profil->text());
    La_Profil->setBuddy(CB_Profil);

    Tl_Storno = new QPushButton(QStringLiteral("Storno"), Panel1);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));
    Tl_Storno->setGeometry(592, 8, 75, 25);
    for (QPushButton* button : {Tl_Ulozit, Tl_Storno}) {
        button->setAutoDefault(false);
        button->setAccessibleName(button->text());
    }
    FitToHints({Tl_Ulozit, La_Profil, CB_Profil, Tl_Storno});

    // Read-only: the document is saved only as built, checked against the schema and the order.
    Memo1 = NewExportTextBox(this);
    Memo1->setReadOnly(true);

    La_Varovani = new WarningLine(this);
    LayOutExportWindow(this, Panel1, La_Varovani, Memo1);

    m_openedProfile = ReadPainProfile(m_host.settings());
    {
        const QSignalBlocker once(CB_Profil);
        CB_Profil->setCurrentIndex(CB_Profil->findData(int(m_openedProfile)));
    }
    ConnectCommand(Tl_Ulozit, &QPushButton::clicked, this, &TExportXML::Tl_UlozitClick);
    ConnectCommand(CB_Profil, &QComboBox::currentIndexChanged, this, &TExportXML::CB_ProfilChange);
    connect(Tl_Storno, &QPushButton::clicked, this, &TExportXML::Tl_StornoClick);
    fillText();
}

PainProfile TExportXML::chosenProfile() const {
    return PainProfile(CB_Profil->currentData().toInt());
}

void TExportXML::fillText() {
    // The next number of the day, taken anew with every build: a save in between used the last one.
    const QDate today = Clock::Today();
    m_dayNumber = qMin(PainFilesExportedOn(m_host.settings(), today) + 1, 999);
    PainOptions options;
    options.profile = chosenProfile();
    options.created = QDateTime(today, QTime::currentTime());
    options.dayNumber = m_dayNumber;
    m_document =
        BuildPainDocument(m_host.order(), m_host.settings(), BanksFor(m_host.settings().ProgramFolder), options);
    Memo1->setUpdatesEnabled(false);
    Memo1->setPlainText(QString::fromUtf8(m_document.xml));
    Memo1->setUpdatesEnabled(true);

    La_Varovani->Show(
        OrderWarningLine(m_host.order(), BanksFor(m_host.settings().ProgramFolder), today, nullptr, m_document.notes));
}

void TExportXML::CB_ProfilChange() {
    fillText();
}

void TExportXML::Tl_UlozitClick() {
    fillText();
    const QString problem = CheckPainDocument(m_document, m_host.order(), m_host.settings(), chosenProfile());
    if (!problem.isEmpty()) {
        InfoBox(WithFullStop(problem) + QStringLiteral("\n\nSoubor XML nebyl uložen."));
        return;
    }
    const QString path = AskExportPath(m_host.settings(), m_host.order(), QStringLiteral("Uložit XML do souboru"),
                                       QStringLiteral("Platební příkaz XML (*.xml)"), QStringLiteral("xml"));
    if (path.isEmpty())
        return;
    TextFile::WriteBytes(path, m_document.xml);
    RecordPainFileExported(m_host.settings(), Clock::Today(), m_dayNumber);
    RememberExportFolder(m_host.settings(), path);
}

void TExportXML::Tl_StornoClick() {
    close();
}

void TExportXML::done(int result) {
    RunCommand([this] {
        if (chosenProfile() != m_openedProfile)
            WritePainProfile(m_host.settings(), chosenProfile());
    });
    QDialog::done(result);
}

void TExportXML::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        CentreOnScreen(*this);
    }
    QDialog::showEvent(event);
}
