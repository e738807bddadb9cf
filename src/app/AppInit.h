#pragma once

// Title, Czech locale and Qt translations, the window font: what main() sets before the main
// window exists. Tests call it too, so that they see what the user sees.
void InitApplication();
