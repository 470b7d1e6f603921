// Start values of every animation variable.
#pragma once

// Places the stars, then gives the phase and every effect's variables their start values.
void initsterrenveld();
