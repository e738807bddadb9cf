#pragma once

#include <functional>

// A callback for long loops over a year's files: now and then it lets the windows paint, without
// paying for that after every file. The user's keys and clicks wait, so that no command starts in
// the middle of a load.
std::function<void()> ServeEventsEvery(int milliseconds);
