#include "dialogs/ExportABO_f.h"

#include "abo/AboReader.h"
#include "abo/AboWriter.h"
#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/Clock.h"
#include "common/CommandRunner.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "common/TextFile.h"
#include "dialogs/ExportDialogs.h"
#include "dialogs/OrderHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

void ExportAboCommand(OrderHost& host) {
    if (!host.isOrderOpen())
        return;
    const QString problem = AboExportProblem(host.order(), host.settings());
    if (!problem.isEmpty()) {
        InfoBox(problem);
        return;
    }
    TExportABO dialog(host, host.hostWindow());
    dialog.exec();
}

TExportABO::TExportABO(OrderHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_host(host) {
    SetUpExportWindow(this, QStringLiteral("ExportABO"), QStringLiteral("Export příkazu do formátu ABO"));
    Panel1 = NewExportPanel(this);

    Tl_Ulozit = new QPushButton(QStringLiteral("Ulozit ABO do souboru"), Panel1);
    Tl_Ulozit->setObjectName(QStringLiteral("Tl_Ulozit"));
    Tl_Ulozit->setGeometry(40, 8, 129, 25);

    ChB_PripojovatKomentare = new QCheckBox(QStringLiteral("Připojovat komentáře jako zprávu pro příjemce"), Panel1);
    ChB_PripojovatKomentare->setObjectName(QStringLiteral("ChB_PripojovatKomentare"));
    ChB_PripojovatKomentare->setGeometry(192, 12, 257, 17);

    Tl_Storno = new QPushButton(QStringLiteral("Storno"), Panel1);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));
    Tl_Storno->setGeometry(592, 8, 75, 25);

    // Neither button is the default: Enter in the text box must start a new line, not save.
    for (QPushButton* button : {Tl_Ulozit, Tl_Storno}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setAccessibleName(button->text());
    }
    ChB_PripojovatKomentare->setAccessibleName(ChB_PripojovatKomentare->text());

    Memo1 = NewExportTextBox(this);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // The form's places and sizes; where the substitute for Tahoma runs wider, a caption still shows whole.
    FitToHints({Tl_Ulozit, ChB_PripojovatKomentare, Tl_Storno});

    // Rows the banks may turn back; the export goes ahead all the same.
    La_Varovani = new WarningLine(this);
    LayOutExportWindow(this, Panel1, La_Varovani, Memo1);

    ConnectCommand(Tl_Ulozit, &QPushButton::clicked, this, &TExportABO::Tl_UlozitClick);
    // Toggled, not clicked: the keyboard and assistive tools change the box without a click too.
    ConnectCommand(ChB_PripojovatKomentare, &QCheckBox::toggled, this, &TExportABO::ChB_PripojovatKomentareClick);
    connect(Tl_Storno, &QPushButton::clicked, this, &TExportABO::Tl_StornoClick);

    createBankControls();
    FormCreate();
}

void TExportABO::FormCreate() {
    {
        const QSignalBlocker once(ChB_PripojovatKomentare); // the text is built once, below
        ChB_PripojovatKomentare->setChecked(ReadAboCommentsOption(m_host.settings()));
    }
    readBankChoices();
    fillText();
}

void TExportABO::fillText() {
    // The next number of the day, taken anew with every build: a save in between used the last one.
    m_fileNumber =
        chosenProfile().numberPerDay ? qMin(AboFilesExportedOn(m_host.settings(), Clock::Today()) + 1, 999) : 1;
    const QStringList lines = BuildAboText(m_host.order(), m_host.settings(), currentOptions());
    Memo1->setUpdatesEnabled(false);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    Memo1->setUpdatesEnabled(true);

    QString warning = OrderWarningLine(m_host.order(), BanksFor(m_host.settings().ProgramFolder), Clock::Today(),
                                       m_host.duplicates());
    const QStringList replaced = AboAsciiReplacements(m_host.order(), m_host.settings(), currentOptions());
    if (!replaced.isEmpty())
        warning += (warning.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("Bez diakritiky: ") +
                   replaced.join(QStringLiteral(", ")) + QLatin1Char('.');
    La_Varovani->Show(warning);
}

void TExportABO::ChB_PripojovatKomentareClick() {
    fillText();
}

void TExportABO::Tl_UlozitClick() {
    const QStringList lines = TextFile::SplitLines(Memo1->toPlainText());
    if (!confirmTextReadsBack(lines))
        return;
    const QString path = AskExportPath(m_host.settings(), m_host.order(), QStringLiteral("Uložit ABO do souboru"),
                                       QStringLiteral("Příkaz k úhradě (*.abo)"), QStringLiteral("abo"));
    if (path.isEmpty())
        return;
    // The box's own lines, edits included; every line, the last too, ends with CR LF.
    TextFile::WriteLines(path, lines);
    RememberExportFolder(m_host.settings(), path);
    if (chosenProfile().numberPerDay)
        RecordAboFileExported(m_host.settings(), Clock::Today(), m_fileNumber);
}

void TExportABO::Tl_StornoClick() {
    close();
}

void TExportABO::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TExportABO::FormClose() {
    RunCommand([this] {
        WriteAboCommentsOption(m_host.settings(), ChB_PripojovatKomentare->isChecked());
        storeBankChoices();
    });
}

void TExportABO::keyPressEvent(QKeyEvent* event) {
    // No cancel button: a stray Escape must not throw away edits made in the text box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TExportABO::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        CentreOnScreen(*this);
    }
    QDialog::showEvent(event);
}

void TExportABO::createBankControls() {
    // A panel of its own under the first one, so the first panel's controls keep their places.
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(36);
    Panel2->setFrameShape(QFrame::StyledPanel);

    La_FormatBanky = PlainLabel(new QLabel(QStringLiteral("Formát banky"), Panel2));
    La_FormatBanky->setObjectName(QStringLiteral("La_FormatBanky"));
    La_FormatBanky->setGeometry(40, 10, 75, 17);

    CB_FormatBanky = new QComboBox(Panel2);
    CB_FormatBanky->setObjectName(QStringLiteral("CB_FormatBanky"));
    for (const AboBankProfile& profile : AboBankProfiles())
        CB_FormatBanky->addItem(profile.Name());
    CB_FormatBanky->setGeometry(120, 7, 150, 23);
    CB_FormatBanky->setAccessibleName(La_FormatBanky->text());
    La_FormatBanky->setBuddy(CB_FormatBanky);

    ChB_BezDiakritiky = new QCheckBox(QStringLiteral("Bez diakritiky"), Panel2);
    ChB_BezDiakritiky->setObjectName(QStringLiteral("ChB_BezDiakritiky"));
    ChB_BezDiakritiky->setGeometry(290, 10, 120, 17);
    ChB_BezDiakritiky->setAccessibleName(ChB_BezDiakritiky->text());

    FitToHints({La_FormatBanky, CB_FormatBanky, ChB_BezDiakritiky});

    // The window grows by the panel, so the text box keeps its size.
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, Panel2);
    setMinimumSize(minimumWidth(), minimumHeight() + Panel2->height());
    resize(width(), height() + Panel2->height());

    setTabOrder(Tl_Storno, CB_FormatBanky);
    setTabOrder(CB_FormatBanky, ChB_BezDiakritiky);
    setTabOrder(ChB_BezDiakritiky, Memo1);

    ConnectCommand(CB_FormatBanky, &QComboBox::currentIndexChanged, this, &TExportABO::CB_FormatBankyChange);
    ConnectCommand(ChB_BezDiakritiky, &QCheckBox::toggled, this, &TExportABO::ChB_BezDiakritikyClick);
}

const AboBankProfile& TExportABO::chosenProfile() const {
    const auto profiles = AboBankProfiles();
    const int index = CB_FormatBanky->currentIndex();
    return index >= 0 && index < int(profiles.size()) ? profiles[std::size_t(index)] : StandardAboProfile();
}

AboOptions TExportABO::currentOptions() const {
    AboOptions options;
    options.profile = &chosenProfile();
    options.attachComments = ChB_PripojovatKomentare->isChecked();
    options.ascii = ChB_BezDiakritiky->isChecked();
    options.fileNumber = m_fileNumber;
    return options;
}

void TExportABO::readBankChoices() {
    const Settings& settings = m_host.settings();
    m_storedProfile = &ReadAboProfile(settings);
    m_openedAscii = ReadAboAscii(settings).value_or(m_storedProfile->ascii);
    const auto profiles = AboBankProfiles();
    const QSignalBlocker comboBlocker(CB_FormatBanky);
    const QSignalBlocker asciiBlocker(ChB_BezDiakritiky);
    CB_FormatBanky->setCurrentIndex(int(m_storedProfile - profiles.data()));
    ChB_BezDiakritiky->setChecked(m_openedAscii);
}

void TExportABO::storeBankChoices() {
    const AboBankProfile& profile = chosenProfile();
    if (m_storedProfile && profile != *m_storedProfile)
        WriteAboProfile(m_host.settings(), profile);
    if (ChB_BezDiakritiky->isChecked() != m_openedAscii || (m_storedProfile && profile != *m_storedProfile))
        WriteAboAscii(m_host.settings(), ChB_BezDiakritiky->isChecked());
}

void TExportABO::CB_FormatBankyChange() {
    // Each bank starts with its own choice of diacritics; the user may change it afterwards.
    {
        const QSignalBlocker blocker(ChB_BezDiakritiky);
        ChB_BezDiakritiky->setChecked(chosenProfile().ascii);
    }
    fillText();
}

void TExportABO::ChB_BezDiakritikyClick() {
    fillText();
}

bool TExportABO::confirmTextReadsBack(const QStringList& lines) {
    // The text box gives a no-break space back as a plain one: that is no difference.
    PaymentOrder shown = m_host.order();
    for (OrderItem& item : shown.Items)
        item.Comment.replace(QChar::Nbsp, QLatin1Char(' '));
    const QString difference = CheckAboText(lines, shown, m_host.settings(), currentOptions());
    if (difference.isEmpty())
        return true;
    // A warning, not a refusal: the box is there to be edited by hand, and saving must keep working.
    return QuestionBox(QString(), QStringLiteral("Text ABO neodpovídá příkazu: %1.\n\nPřesto uložit?").arg(difference),
                       QuestionKind::Warning) == Answer::Yes;
}
