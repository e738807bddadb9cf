#pragma once

// The standard beep of refused keys. It counts, so that tests see a refusal.
void StandardBeep();
int BeepCount();
void ResetBeepCount();
