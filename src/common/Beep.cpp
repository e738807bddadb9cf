#include "common/Beep.h"

#include <QApplication>

namespace {
int g_beeps = 0;
}

void StandardBeep() {
    ++g_beeps;
    QApplication::beep();
}

int BeepCount() {
    return g_beeps;
}
void ResetBeepCount() {
    g_beeps = 0;
}
