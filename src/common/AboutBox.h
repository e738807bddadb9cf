#pragma once

#include <QDialog>
#include <QLabel>

// "O programu": version, author, support line, rights notice and the home-page row (we have none: the
// row says that the manual comes with the program), built in code.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 520;
    static constexpr int kCaptionLeft = 80;
    static constexpr int kValueLeft = 216;
    static constexpr int kFirstRowTop = 16;
    static constexpr int kRowStep = 24;
    static constexpr int kButtonLeft = 376;
    static constexpr int kButtonTop = 140;
    static constexpr int kHeight = kButtonTop + 65;
    static constexpr int kFirstYear = 2021;

    // dataFolder: the folder of the settings and orders, shown below the rows when given.
    AboutBox(const QString& versionText, const QString& buildDate, const QString& dataFolder = {},
             QWidget* parent = nullptr);

    // "© 2021–<this year, at least 2021> Velorin".
    static QString RightsNotice();

private:
    void addRow(int row, const QString& captionName, const QString& caption, QLabel* value, const QString& valueName);
    void addFolderLine(const QString& folder);
};
