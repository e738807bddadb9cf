#pragma once

#include <QString>

class QLabel;

// Qt takes a text that starts like HTML as rich text and loads the pictures it names, so a comment
// "<img src=...>" read from a file would open that file. Text from files, the clipboard, the
// settings or the bank list reaches labels and tooltips only through these two.

// Makes the label show its text as the characters written; returns the label.
QLabel* PlainLabel(QLabel* label);

// The text as a tooltip that Qt shows literally, spaces and line breaks kept. Tooltips have no
// plain mode of their own: the text goes escaped inside a paragraph. Empty stays empty (no tooltip).
QString PlainToolTip(const QString& text);
