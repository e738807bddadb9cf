#include "report/ReportLayout.h"

TextBox TextBox::At(const QString& name, double left, double top, double width, double height, const QString& text) {
    TextBox box;
    box.name = name;
    box.left = left;
    box.top = top;
    box.width = width;
    box.height = height;
    box.text = text;
    return box;
}

Frame Frame::Sides(const QString& spec) {
    Frame f;
    const bool dotted = spec.contains(QLatin1Char('.'));
    FrameSide* last = nullptr;
    for (const QChar c : spec) {
        switch (c.toUpper().unicode()) {
        case 'L':
            last = &f.left;
            break;
        case 'R':
            last = &f.right;
            break;
        case 'T':
            last = &f.top;
            break;
        case 'B':
            last = &f.bottom;
            break;
        case '2':
            if (last)
                last->widthMm = ReportUnits::ThickLineMm;
            continue;
        default:
            continue;
        }
        last->drawn = true;
        if (dotted)
            last->style = LineStyle::Dotted;
    }
    return f;
}

void ReportLayout::SetVariable(const QString& varName, const QString& value) {
    for (ReportVariable& v : variables) {
        if (v.name == varName) {
            v.value = value;
            return;
        }
    }
    variables.push_back({varName, value});
}

QString ReportLayout::Variable(const QString& varName) const {
    for (const ReportVariable& v : variables)
        if (v.name == varName)
            return v.value;
    return {};
}

bool ReportLayout::HasVariable(const QString& varName) const {
    for (const ReportVariable& v : variables)
        if (v.name == varName)
            return true;
    return false;
}

void ReportLayout::Declare(const QStringList& names) {
    for (const QString& n : names)
        if (!HasVariable(n))
            variables.push_back({n, QString()});
}

const Band* ReportLayout::FindBand(BandKind kind) const {
    for (const Band& b : bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

Band& ReportLayout::AddBand(BandKind kind, double height) {
    Band b;
    b.kind = kind;
    b.height = height;
    bands.push_back(std::move(b));
    return bands.back();
}

QString LiteralText(const QString& expression) {
    // The program does not double inner apostrophes, so only the outer pair delimits the text.
    if (expression.size() >= 2 && expression.front() == QLatin1Char('\'') && expression.back() == QLatin1Char('\''))
        return expression.mid(1, expression.size() - 2);
    return expression;
}

QString TextLiteral(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}
