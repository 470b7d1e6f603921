// SIGTERM and SIGINT end the run the way closing the window does.
#pragma once

void installStopSignals();

// True once a stop signal has arrived; the message queue then delivers WM_QUIT.
bool stopSignalled();
