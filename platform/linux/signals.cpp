// SIGTERM and SIGINT set a flag that the message queue turns into WM_QUIT.
#include "platform/linux/signals.h"

#include <signal.h>

static volatile sig_atomic_t stopRequested;

static void onStopSignal(int) { stopRequested = 1; }

void installStopSignals() {
  struct sigaction action = {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool stopSignalled() { return stopRequested != 0; }
