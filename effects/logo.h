// The event logo: zooms in from scale 20 to 1.5, then keeps swinging.
#pragma once

extern float rotateTolvane;

// dt: a time step in seconds; the sequencer calls it twice a frame while the logo zooms in. Binds
// slot 2 (TEXTURE_LOGO), blends by alpha; leaves the model-view turned by the swing, white colour.
void tekentolvanelogo(double dt);
// True once the logo has reached its final size; changes nothing, no OpenGL call.
bool tolvanelogodone();
