#pragma once

#include <QDialog>
#include <QStringList>

class OrderHost;
class QListWidget;
class QPushButton;
class TEditacePredvolbyPlatby;

// The presets manager "Předvolby plateb": lists the presets of ProgramFolder's presets file by
// name and adds, edits, deletes and sorts them. Every change is written to the file at once, so
// closing asks nothing. Use: TPredvolbyPlateb d(host, parent); d.exec();
// The constructor throws VelorinError when the file exists but cannot be read.
class TPredvolbyPlateb : public QDialog {
    Q_OBJECT
public:
    explicit TPredvolbyPlateb(OrderHost& host, QWidget* parent = nullptr);

    // The lines of the file as the list shows them, index-aligned with ListBox1.
    const QStringList& presetLines() const { return m_presetLines; }
    QString presetsFilePath() const { return m_path; }

    QListWidget* ListBox1 = nullptr;
    QPushButton* Tl_PridatPolozku = nullptr;
    QPushButton* Tl_EditovatPolozku = nullptr;
    QPushButton* Tl_OdstranitPolozku = nullptr;
    QPushButton* Tl_Setridit = nullptr;
    QPushButton* Tl_Storno = nullptr;

    // The button handlers; they throw VelorinError when the file cannot be written.
    void Tl_PridatPolozkuClick();
    void Tl_EditovatPolozkuClick();
    void Tl_OdstranitPolozkuClick();
    void Tl_SetriditClick();

protected:
    // Enter presses the focused button and nothing else: the manager has no default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void UpdatePresetButtons();
    void StorePresetLine(const QString& line);
    void SavePresets();
    void FillList();
    int selectedIndex() const;
    // Shows the preset editor modally; true when confirmed with OK.
    bool RunEditor(TEditacePredvolbyPlatby& editor);

    OrderHost& m_host;
    QString m_path;
    QStringList m_presetLines;
    int m_editedIndex = -1; // the entry under edit while Editovat runs
};
