#pragma once

#include <QString>
#include <Qt>

class QWidget;

// One key press and release with the character it types, sent straight to w.
void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text);
// Types text key by key. QTest::keyClick takes Latin-1 only; Czech letters and the rest come as
// keys carrying their character.
void Type(QWidget* w, const QString& text);
