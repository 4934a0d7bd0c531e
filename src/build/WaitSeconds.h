#pragma once

// Keeps the user interface live for more than seconds * 1000 ms: events, timers and the runners' line
// events are handled meanwhile. Returns early only when the application's event loops are told to quit.
void waitSeconds(int seconds);
