// Sine, cosine and the exponential for the demo's pictures and sounds, computed here
// rather than by the C library: the libraries differ in the last bit of a float, and
// the demo must come out as the same bytes on every platform. Each is computed in
// double precision with nothing but IEEE additions and multiplications, then rounded
// once to float, which gives the nearest float to the true value (as the C library
// gives it too, for the values the demo uses).
#pragma once

namespace shirakaba::demo {

float sine(float x);
float cosine(float x);
float exponential(float x);

}  // namespace shirakaba::demo
