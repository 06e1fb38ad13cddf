// How large the program's windows show their pictures: a whole factor, so that every
// picture pixel stays a crisp square. It is the largest whole factor of the display's
// device-pixel ratio (its DPI over 96 on Windows) times the program's --scale, set once
// before the backend starts. Every backend that can scale its windows follows this rule; the
// layer keeps seeing the pictures' own size.
#pragma once

void AfxSetWindowScale(int nScale);
// 1 unless set.
int AfxGetWindowScale();

// The largest whole factor of a device-pixel ratio, at least 1 (1.5 gives 1, 2 gives 2).
int AfxWholeScale(double devicePixelRatio);
// The factor a window shows its pictures at on a display of this ratio: AfxWholeScale of
// the ratio times the window scale.
int AfxWindowFactor(double devicePixelRatio);
