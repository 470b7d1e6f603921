// An OpenGL that draws nothing and counts the calls made to it.
#pragma once

extern long nullGlCalls;
