// The whole factor the program asks its windows' pictures to be shown at (its --scale):
// set once before the backend starts; a backend that can scale its windows reads it.
#pragma once

void AfxSetWindowScale(int nScale);
// 1 unless set.
int AfxGetWindowScale();
