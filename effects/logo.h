// The event logo: zooms in from scale 20 to 1.5, then keeps swinging.
#pragma once

extern float rotateTolvane;

void tekentolvanelogo(double dt);
bool tolvanelogodone();
